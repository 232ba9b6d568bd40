// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"

// The code and message of the ErrorEntradaSalida that `accion` raises; a test failure if none.
template <typename F>
std::pair<std::int32_t, std::string> ErrorDe(F&& accion) {
  try {
    accion();
  } catch (const ErrorEntradaSalida& error) {
    return {error.codigo(), error.mensaje()};
  }
  ADD_FAILURE() << "no ErrorEntradaSalida raised";
  return {0, ""};
}

// A whole search in which any message to the user fails the test.
inline ResultadoBusqueda BuscarSinAvisos(const std::string& nodos, const std::string& puntos,
                                         std::string_view direccion) {
  return EjecutarBusqueda(nodos, puntos, direccion,
                          [](const std::string& m) { ADD_FAILURE() << "unexpected: " << m; });
}
