// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/texto.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Windows-1252 at 0x80..0x9F. The five bytes the code page leaves undefined keep their C1
// control, as Windows' own converter does, so no byte is ever lost.
constexpr std::array<char32_t, 32> kC1Windows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

[[nodiscard]] constexpr bool EsContinuacion(unsigned char b) noexcept {
  return (b & 0xC0) == 0x80;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool EsUtf8Valido(std::string_view bytes) noexcept {
  const std::size_t total = bytes.size();
  std::size_t i = 0;
  while (i < total) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    std::size_t largo = 0;
    char32_t punto = 0;
    char32_t minimo = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      largo = 2;
      punto = b0 & 0x1Fu;
      minimo = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      largo = 3;
      punto = b0 & 0x0Fu;
      minimo = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      largo = 4;
      punto = b0 & 0x07u;
      minimo = 0x10000;
    } else {
      return false;  // a stray continuation byte, C0/C1 (always overlong) or F5..FF
    }
    if (total - i < largo) return false;
    for (std::size_t k = 1; k < largo; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      if (!EsContinuacion(b)) return false;
      punto = (punto << 6) | (b & 0x3Fu);
    }
    if (punto < minimo || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF)) return false;
    i += largo;
  }
  return true;
}

void AnadirUtf8(std::string& salida, char32_t punto) {
  if (punto < 0x80) {
    salida.push_back(static_cast<char>(punto));
  } else if (punto < 0x800) {
    salida.push_back(static_cast<char>(0xC0 | (punto >> 6)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  } else {
    // Windows-1252 reaches no further than the Basic Multilingual Plane.
    salida.push_back(static_cast<char>(0xE0 | (punto >> 12)));
    salida.push_back(static_cast<char>(0x80 | ((punto >> 6) & 0x3F)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  }
}

}  // namespace

std::string SinControles(std::string_view texto) {
  static constexpr char kCifras[] = "0123456789abcdef";
  std::string salida;
  salida.reserve(texto.size());
  for (std::size_t i = 0; i < texto.size(); ++i) {
    const auto b = static_cast<unsigned char>(texto[i]);
    unsigned codigo = 0x100;
    if ((b < 0x20 && b != '\t') || b == 0x7F) codigo = b;
    // U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
    const bool c1 = b == 0xC2 && i + 1 < texto.size() &&
                    static_cast<unsigned char>(texto[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(texto[i + 1]) <= 0x9F;
    if (c1) codigo = static_cast<unsigned char>(texto[++i]);
    if (codigo == 0x100) {
      salida += static_cast<char>(b);
      continue;
    }
    ((salida += "\\x") += kCifras[codigo >> 4]) += kCifras[codigo & 0xF];
  }
  return salida;
}

std::string TextoVisible(std::string_view bytes) {
  return SinControles(DecodificarTexto(bytes));
}

std::string DecodificarTexto(std::string_view bytes) {
  if (EsUtf8Valido(bytes)) return std::string(bytes);

  std::string salida;
  salida.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b <= 0x9F) {
      AnadirUtf8(salida, kC1Windows1252[b - 0x80]);
    } else {
      AnadirUtf8(salida, b);
    }
  }
  return salida;
}
