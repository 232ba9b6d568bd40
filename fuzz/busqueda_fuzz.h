// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/modelo.h"
#include "lookup/entries/campos.h"

// A search input: the typed address before the first LF, the list bytes after it. Without an
// LF the whole input is the address and the list is empty.
inline std::pair<std::string_view, std::string_view> PartirEntrada(std::string_view bytes) {
  const auto lf = bytes.find('\n');
  if (lf == std::string_view::npos) return {bytes, {}};
  return {bytes.substr(0, lf), bytes.substr(lf + 1)};
}

// The list's lines as the lookups see them, long ones cut to what a lookup keeps of a line.
inline std::vector<std::string> ComoLasGuarda(std::string_view lista) {
  return modelo::Recortadas(modelo::Lineas(lista), kLargoUtilLinea);
}
