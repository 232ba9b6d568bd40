// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code page a list's text is read in when it is not UTF-8.
enum class CodigoPagina { kWindows1252, kCp866 };

// List texts are bytes. For display: valid UTF-8 stays as it is, anything else is read in
// `pagina`. Every byte yields a character, and the result is valid UTF-8, which this gives back
// unchanged: decoding twice is decoding once.
[[nodiscard]] std::string DecodificarTexto(std::string_view bytes,
                                           CodigoPagina pagina = CodigoPagina::kWindows1252);

// A line with each of its comma-separated fields decoded as by DecodificarTexto; the commas stay.
[[nodiscard]] std::string DecodificarCampos(std::string_view linea, CodigoPagina pagina);

[[nodiscard]] bool EsUtf8Valido(std::string_view bytes) noexcept;

// Which code page a list is in, decided from its lines read so far. Only lines that are not valid
// UTF-8 count. CP866 writes its most frequent Cyrillic letters (А-п) at 0x80-0xAF, where
// Windows-1252 has punctuation or nothing, and Windows-1252 writes its Latin letters at 0xC0-0xFF:
// the list is CP866 while it holds more bytes of the first kind than of the second.
class PaginaDeLista final {
 public:
  void Contar(std::string_view linea) noexcept;
  [[nodiscard]] CodigoPagina Pagina() const noexcept {
    return bajos_ > altos_ ? CodigoPagina::kCp866 : CodigoPagina::kWindows1252;
  }

 private:
  std::size_t bajos_ = 0;
  std::size_t altos_ = 0;
};
