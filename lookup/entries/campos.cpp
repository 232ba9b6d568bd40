// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/campos.h"

#include <algorithm>

std::string CortarCampo(std::string_view linea, std::size_t& pos) {
  if (pos >= linea.size()) {
    pos = linea.size();
    return {};
  }
  const auto coma = linea.find(',', pos);
  const auto fin = coma == std::string_view::npos ? linea.size() : coma;
  std::string campo(linea.substr(pos, fin - pos));
  std::replace(campo.begin(), campo.end(), '_', ' ');
  pos = coma == std::string_view::npos ? linea.size() : coma + 1;
  return campo;
}

std::string_view Clave(std::string_view linea) noexcept {
  return linea.substr(0, linea.find(','));
}
