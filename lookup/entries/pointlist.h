// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/entries/numero_punto.h"

class LectorLista;

struct DatosPunto {
  std::string nombre = "?";
  std::string nick = "?";
  std::string ciudad = "?";
  std::string telefono = "?";

  bool operator==(const DatosPunto&) const = default;
};

struct PartesNodo;

// The line of the first point entry RecorridoPointlist gives whose boss is at the typed address
// (EnDireccion) and whose number is `punto`, left in `linea`, with its boss's zone as written
// (empty for a boss without one) in `zonaJefe`; false when there is none. Reads no further than
// that entry.
[[nodiscard]] bool BuscarLineaPunto(LectorLista& lector, const PartesNodo& jefe, std::int32_t punto,
                                    std::string& linea, std::string& zonaJefe);
// The same for a typed [zone:]net/node and point part (PartirNodo, NumeroDePunto).
[[nodiscard]] bool BuscarLineaPunto(LectorLista& lector, std::string_view parteNodo,
                                    std::string_view partePunto, std::string& linea);

// Finds point `partePunto` of `parteNodo` in an open pointlist reader.
[[nodiscard]] DatosPunto BuscarPunto(LectorLista& lector, std::string_view parteNodo,
                                     std::string_view partePunto);

// The four fields of one point entry line: the ones after its keyword and number.
[[nodiscard]] DatosPunto LeerDatosPunto(std::string_view linea);
