// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class LectorLista;

struct DatosPunto {
  std::string nombre = "?";
  std::string nick = "?";
  std::string ciudad = "?";
  std::string telefono = "?";

  bool operator==(const DatosPunto&) const = default;
};

struct Conversion {
  std::int32_t valor = 0;
  bool correcta = false;
};

// Lenient text-to-number conversion of point numbers: leading blanks, "+"/"-", "$", "x", "0x"
// hex prefixes. A failed conversion still carries the value of the digits read before the fault.
[[nodiscard]] Conversion ConvertirNumero(std::string_view texto) noexcept;

// Finds the line of point `partePunto` in the "Boss," section of `parteNodo` of an open pointlist
// reader and leaves it in `linea`; false when the point is not listed.
[[nodiscard]] bool BuscarLineaPunto(LectorLista& lector, std::string_view parteNodo,
                                    std::string_view partePunto, std::string& linea);

// Finds point `partePunto` in the "Boss," section of `parteNodo` of an open pointlist reader.
[[nodiscard]] DatosPunto BuscarPunto(LectorLista& lector, std::string_view parteNodo,
                                     std::string_view partePunto);

// True for the keywords of a point entry: empty, "Point", "Pvt", "Hold" and "Down".
[[nodiscard]] bool EsClavePunto(std::string_view clave) noexcept;

// Where the number of an entry starts: after a point keyword, else at the second character
// (comment lines inside a section are read that way too).
[[nodiscard]] std::size_t InicioNumero(std::string_view linea) noexcept;

// The four fields of one point entry line.
[[nodiscard]] DatosPunto LeerDatosPunto(std::string_view linea);
