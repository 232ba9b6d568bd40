// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/direccion.h"

#include "lookup/entries/numero_punto.h"

PartesDireccion SepararDireccion(std::string_view direccion) {
  if (direccion.empty()) direccion = " ";
  const auto punto = direccion.find('.');
  if (punto == std::string_view::npos) return {std::string(direccion), "0"};
  return {std::string(direccion.substr(0, punto)), std::string(direccion.substr(punto + 1))};
}

PartesNodo PartirNodo(std::string_view parteNodo) {
  parteNodo = parteNodo.substr(0, parteNodo.find('@'));
  PartesNodo partes;
  const auto dosPuntos = parteNodo.find(':');
  if (dosPuntos != std::string_view::npos) {
    partes.zona = parteNodo.substr(0, dosPuntos);
    parteNodo = parteNodo.substr(dosPuntos + 1);
  }
  const auto barra = parteNodo.find('/');
  partes.red = parteNodo.substr(0, barra);
  if (barra != std::string_view::npos) partes.nodo = parteNodo.substr(barra + 1);
  return partes;
}

std::int32_t NumeroDePunto(std::string_view partePunto) noexcept {
  return ConvertirNumero(partePunto.substr(0, partePunto.find('@'))).valor;
}

bool EnDireccion(const PartesNodo& buscada, std::string_view zona, std::string_view red,
                 std::string_view nodo) noexcept {
  return nodo == buscada.nodo && red == buscada.red &&
         (zona.empty() || buscada.zona.empty() || zona == buscada.zona);
}
