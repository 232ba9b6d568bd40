// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "tests/lookup/lists/error_de.h"

// A whole search in which any message to the user fails the test.
inline ResultadoBusqueda BuscarSinAvisos(const std::string& nodos, const std::string& puntos,
                                         std::string_view direccion) {
  return EjecutarBusqueda(nodos, puntos, direccion,
                          [](const std::string& m) { ADD_FAILURE() << "unexpected: " << m; });
}
