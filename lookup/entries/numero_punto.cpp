// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/numero_punto.h"

namespace {

int ValorDigito(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
  if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
  return d;
}

}  // namespace

Conversion ConvertirNumero(std::string_view texto) noexcept {
  texto = texto.substr(0, texto.find('\0'));
  std::size_t i = 0;
  while (i < texto.size() && texto[i] == ' ')
    ++i;

  bool negativo = false;
  int base = 10;
  if (i < texto.size()) {
    const char c = texto[i];
    if (c == '+' || c == '-') {
      negativo = c == '-';
      ++i;
    } else if (c == '$' || c == 'x' || c == 'X') {
      base = 16;
      ++i;
    } else if (c == '0' && i + 1 < texto.size() && (texto[i + 1] == 'x' || texto[i + 1] == 'X')) {
      base = 16;
      i += 2;
    }
  }
  if (i == texto.size()) return {0, false};

  // Magnitude as 32-bit pattern; a failure keeps the digits read so far, without the sign.
  std::uint32_t valor = 0;
  for (; i < texto.size(); ++i) {
    const int digito = ValorDigito(texto[i], base);
    if (digito < 0) return {static_cast<std::int32_t>(valor), false};
    if (base == 10 && valor > 214748364u) return {static_cast<std::int32_t>(valor), false};
    if (base == 16 && valor > 0x0FFFFFFFu) return {static_cast<std::int32_t>(valor), false};
    valor = valor * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digito);
  }
  if (base == 16) return {static_cast<std::int32_t>(valor), true};

  const std::uint32_t limite = negativo ? 2147483648u : 2147483647u;
  const std::uint32_t conSigno = negativo ? 0u - valor : valor;
  return {static_cast<std::int32_t>(conSigno), valor <= limite};
}
