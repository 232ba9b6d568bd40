// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/plegado.h"

#include <locale.h>
#include <wctype.h>

namespace {

// glibc's C.UTF-8 knows the case of every Unicode letter; the user's own locale may not be a
// UTF-8 one, and the texts here always are. Should a system lack it, the plain C locale still
// folds ASCII and leaves other letters as they are.
locale_t LocaleUtf8() noexcept {
  static const locale_t locale = [] {
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return utf8 != static_cast<locale_t>(0) ? utf8 : newlocale(LC_CTYPE_MASK, "C", utf8);
  }();
  return locale;
}

// Reads one character of valid UTF-8 at `i` and moves past it.
char32_t LeerCaracter(std::string_view texto, std::size_t& i) noexcept {
  const auto b0 = static_cast<unsigned char>(texto[i++]);
  if (b0 < 0x80) return b0;
  const std::size_t largo = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : 2;
  char32_t punto = b0 & (largo == 2 ? 0x1Fu : largo == 3 ? 0x0Fu : 0x07u);
  for (std::size_t k = 1; k < largo && i < texto.size(); ++k)
    punto = (punto << 6) | (static_cast<unsigned char>(texto[i++]) & 0x3Fu);
  return punto;
}

void AnadirCaracter(std::string& salida, char32_t punto) {
  if (punto < 0x80) {
    salida.push_back(static_cast<char>(punto));
  } else if (punto < 0x800) {
    salida.push_back(static_cast<char>(0xC0 | (punto >> 6)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  } else if (punto < 0x10000) {
    salida.push_back(static_cast<char>(0xE0 | (punto >> 12)));
    salida.push_back(static_cast<char>(0x80 | ((punto >> 6) & 0x3F)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  } else {
    salida.push_back(static_cast<char>(0xF0 | (punto >> 18)));
    salida.push_back(static_cast<char>(0x80 | ((punto >> 12) & 0x3F)));
    salida.push_back(static_cast<char>(0x80 | ((punto >> 6) & 0x3F)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  }
}

}  // namespace

std::string PlegarTexto(std::string_view utf8) {
  std::string salida;
  salida.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t punto = LeerCaracter(utf8, i);
    if (punto < 0x80) {
      salida.push_back(PlegarByte(static_cast<char>(punto)));
    } else {
      AnadirCaracter(salida,
                     static_cast<char32_t>(towlower_l(static_cast<wint_t>(punto), LocaleUtf8())));
    }
  }
  return salida;
}
