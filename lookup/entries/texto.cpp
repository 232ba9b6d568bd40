// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/texto.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 at 0x80..0x9F. The five bytes the code page leaves undefined keep their C1
// control, as Windows' own converter does, so no byte is ever lost.
constexpr std::array<char32_t, 32> kC1Windows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// CP866 from 0x80 up: Cyrillic, box drawing, and the few signs of its last row.
constexpr std::array<char32_t, 128> kCp866 = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0x80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0x88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0x90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0x98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xA0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // 0xB0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // 0xC8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // 0xD0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // 0xD8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xE0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xE8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // 0xF0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // 0xF8
};

[[nodiscard]] constexpr bool EsContinuacion(unsigned char b) noexcept {
  return (b & 0xC0) == 0x80;
}

void AnadirUtf8(std::string& salida, char32_t punto) {
  if (punto < 0x80) {
    salida.push_back(static_cast<char>(punto));
  } else if (punto < 0x800) {
    salida.push_back(static_cast<char>(0xC0 | (punto >> 6)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  } else {
    // Neither code page reaches past the Basic Multilingual Plane.
    salida.push_back(static_cast<char>(0xE0 | (punto >> 12)));
    salida.push_back(static_cast<char>(0x80 | ((punto >> 6) & 0x3F)));
    salida.push_back(static_cast<char>(0x80 | (punto & 0x3F)));
  }
}

}  // namespace

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool EsUtf8Valido(std::string_view bytes) noexcept {
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

std::string DecodificarTexto(std::string_view bytes, CodigoPagina pagina) {
  if (EsUtf8Valido(bytes)) return std::string(bytes);

  std::string salida;
  salida.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (pagina == CodigoPagina::kCp866 && b >= 0x80) {
      AnadirUtf8(salida, kCp866[b - 0x80]);
    } else if (b >= 0x80 && b <= 0x9F) {
      AnadirUtf8(salida, kC1Windows1252[b - 0x80]);
    } else {
      AnadirUtf8(salida, b);
    }
  }
  return salida;
}

std::string DecodificarCampos(std::string_view linea, CodigoPagina pagina) {
  std::string salida;
  salida.reserve(linea.size() * 2);
  for (std::size_t pos = 0;;) {
    const auto coma = linea.find(',', pos);
    salida += DecodificarTexto(linea.substr(pos, coma - pos), pagina);
    if (coma == std::string_view::npos) return salida;
    salida += ',';
    pos = coma + 1;
  }
}

void PaginaDeLista::Contar(std::string_view linea) noexcept {
  // Most lines are ASCII: sixteen or eight bytes at a time tell so.
  std::uint64_t juntos = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  __m128i altos = _mm_setzero_si128();
  for (; i + 16 <= linea.size(); i += 16)
    altos =
        _mm_or_si128(altos, _mm_loadu_si128(reinterpret_cast<const __m128i*>(linea.data() + i)));
  if (_mm_movemask_epi8(altos) != 0) juntos = 0x80;
#endif
  for (; i + 8 <= linea.size(); i += 8) {
    std::uint64_t ocho = 0;
    std::memcpy(&ocho, linea.data() + i, 8);
    juntos |= ocho;
  }
  for (; i < linea.size(); ++i)
    juntos |= static_cast<unsigned char>(linea[i]);
  if ((juntos & 0x8080808080808080u) == 0) return;

  if (EsUtf8Valido(linea)) return;
  const auto letra866 = [](unsigned char b) { return b <= 0xAF || (b >= 0xE0 && b <= 0xF1); };
  for (std::size_t k = 0; k < linea.size();) {
    if (static_cast<unsigned char>(linea[k]) < 0x80) {
      ++k;
      continue;
    }
    std::size_t fin = k;
    bool todas866 = true;
    bool alguna80 = false;
    while (fin < linea.size() && static_cast<unsigned char>(linea[fin]) >= 0x80) {
      const auto b = static_cast<unsigned char>(linea[fin++]);
      todas866 = todas866 && letra866(b);
      alguna80 = alguna80 || b <= 0xAF;
    }
    if (fin - k >= 2 && todas866 && alguna80) {
      bajos_ += fin - k;
    } else {
      for (; k < fin; ++k)
        altos_ += static_cast<unsigned char>(linea[k]) >= 0xC0;
    }
    k = fin;
  }
}
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

