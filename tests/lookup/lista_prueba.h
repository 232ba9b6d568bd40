// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "lookup/lector_lista.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/lookup/descriptores.h"

// Joins lines with `fin` as line end, the way list files of each origin are written.
inline std::string Unir(std::initializer_list<std::string_view> lineas, std::string_view fin) {
  std::string texto;
  for (const auto linea : lineas)
    (texto += linea) += fin;
  return texto;
}

// A list written to a scratch file, with a reader open on it.
class ListaAbierta final {
 public:
  explicit ListaAbierta(std::string_view bytes) {
    lector.Asignar(carpeta.Escribir("lista", bytes));
    lector.Abrir();
    ComprobarES();
  }

  CarpetaTemporal carpeta;
  LectorLista lector;
};
