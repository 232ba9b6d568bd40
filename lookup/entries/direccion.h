// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

struct PartesDireccion {
  std::string parteNodo;   // zone:net/node
  std::string partePunto;  // "0" when the address has no point
};

struct PartesNodo {
  std::string zona;
  std::string red;
  std::string nodo;
};

// Splits at the first "."; nothing is trimmed or validated.
[[nodiscard]] PartesDireccion SepararDireccion(std::string_view direccion);

// Splits zone:net/node into its three texts; all empty when there is no ":".
[[nodiscard]] PartesNodo PartirNodo(std::string_view parteNodo);
