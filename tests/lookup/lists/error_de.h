// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include <gtest/gtest.h>

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
