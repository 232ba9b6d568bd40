// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/direccion.h"

PartesDireccion SepararDireccion(std::string_view direccion) {
  if (direccion.empty()) direccion = " ";
  const auto punto = direccion.find('.');
  if (punto == std::string_view::npos) return {std::string(direccion), "0"};
  return {std::string(direccion.substr(0, punto)), std::string(direccion.substr(punto + 1))};
}

PartesNodo PartirNodo(std::string_view parteNodo) {
  const auto dosPuntos = parteNodo.find(':');
  if (dosPuntos == std::string_view::npos) return {};
  PartesNodo partes;
  partes.zona = parteNodo.substr(0, dosPuntos);
  const auto resto = parteNodo.substr(dosPuntos + 1);
  const auto barra = resto.find('/');
  partes.red = resto.substr(0, barra);
  if (barra != std::string_view::npos) partes.nodo = resto.substr(barra + 1);
  return partes;
}
