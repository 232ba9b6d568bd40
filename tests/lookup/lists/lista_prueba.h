// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"

// Joins lines with `fin` as line end, the way list files of each origin are written.
inline std::string Unir(std::initializer_list<std::string_view> lineas, std::string_view fin) {
  std::string texto;
  for (const auto linea : lineas)
    (texto += linea) += fin;
  return texto;
}

// Opens `lector` on `ruta` and closes it, each step checked as the lookups check it.
inline void AbrirLista(LectorLista& lector, const std::string& ruta) {
  lector.Asignar(ruta);
  lector.Abrir();
  ComprobarES();
}
inline void CerrarLista(LectorLista& lector) {
  lector.Cerrar();
  ComprobarES();
}

// Reads the way the lookups do: end test, then a line, until the end test says so.
inline std::vector<std::string> LeerTodo(LectorLista& lector) {
  std::vector<std::string> lineas;
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return lineas;
    lineas.push_back(lector.LeerLinea());
  }
}

// What `usar` makes of a reader open on `ruta`, closed again after.
template <typename Usar>
auto ConLista(const std::string& ruta, Usar&& usar) {
  LectorLista lector;
  AbrirLista(lector, ruta);
  auto resultado = usar(lector);
  CerrarLista(lector);
  return resultado;
}

// A list written to a scratch file, with a reader open on it.
class ListaAbierta final {
 public:
  explicit ListaAbierta(std::string_view bytes) {
    AbrirLista(lector, carpeta.Escribir("lista", bytes));
  }

  CarpetaTemporal carpeta;
  LectorLista lector;
};
