// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "settings/almacen_config.h"

// The message of the ErrorAlmacen that `accion` raised, or nothing when it raised none.
template <typename Accion>
[[nodiscard]] std::optional<std::string> MensajeDe(Accion&& accion) {
  try {
    accion();
  } catch (const ErrorAlmacen& error) {
    return error.mensaje();
  }
  return std::nullopt;
}
