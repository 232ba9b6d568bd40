// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Slow, plain models of the engine's rules, written apart from lookup/ so that a fuzz target can
// compare the two on any input. Each one favours being obviously right over being fast.

#include <string>
#include <string_view>
#include <vector>

#include "lookup/entries/direccion.h"
#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"

namespace modelo {

// The lines a list file holds: its data ends at the first 0x1A; CR LF, a lone CR and a lone LF
// each end a line; the last line needs no line end, and a line end at the very end of the data
// opens no further line.
[[nodiscard]] std::vector<std::string> Lineas(std::string_view bytes);

// The lines as the lookups keep them: each cut to its first `largo` bytes.
[[nodiscard]] std::vector<std::string> Recortadas(std::vector<std::string> lineas,
                                                  std::size_t largo);

// Every field between commas ("a,,b" gives "a", "", "b"); a line without commas is one field.
[[nodiscard]] std::vector<std::string> Campos(std::string_view linea);

[[nodiscard]] PartesDireccion SepararDireccion(std::string_view direccion);
[[nodiscard]] PartesNodo PartirNodo(std::string_view parteNodo);

// The lines as the entries are read from them: a UTF-8 byte-order mark dropped from the first,
// and in a list that reads as CP866 so far every field of a line that is not UTF-8 turned into
// UTF-8. Comment and empty lines are given too (they count for the code page).
[[nodiscard]] std::vector<std::string> ComoSeLeen(const std::vector<std::string>& lineas);

// The lenient point-number conversion.
[[nodiscard]] Conversion ConvertirNumero(std::string_view texto);

// The lookups answer from the first entry at the typed address: in any section, block or letter
// case, with a zone left out on either side taken as any zone, and "@domain" ignored.
[[nodiscard]] DatosNodo BuscarNodo(const std::vector<std::string>& lineas,
                                   std::string_view parteNodo);
[[nodiscard]] DatosPunto BuscarPunto(const std::vector<std::string>& lineas,
                                     std::string_view parteNodo, std::string_view partePunto);

}  // namespace modelo
