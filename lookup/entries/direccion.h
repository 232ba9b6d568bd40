// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct PartesDireccion {
  std::string parteNodo;   // zone:net/node
  std::string partePunto;  // "0" when the address has no point
};

struct PartesNodo {
  std::string zona;  // empty: any zone
  std::string red;
  std::string nodo;
};

// Splits at the first "."; nothing is trimmed or validated.
[[nodiscard]] PartesDireccion SepararDireccion(std::string_view direccion);

// Splits [zone:]net/node into its three texts, the zone empty when there is no ":". A "@domain"
// after the node is dropped. Nothing is trimmed.
[[nodiscard]] PartesNodo PartirNodo(std::string_view parteNodo);

// The point number of a typed point part (ConvertirNumero, "@domain" dropped); 0 or below names
// no point.
[[nodiscard]] std::int32_t NumeroDePunto(std::string_view partePunto) noexcept;

// True when an entry written at zona:red/nodo is at the typed address: net and node texts equal,
// and the zones equal unless either is empty.
[[nodiscard]] bool EnDireccion(const PartesNodo& buscada, std::string_view zona,
                               std::string_view red, std::string_view nodo) noexcept;
