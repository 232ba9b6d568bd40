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

// Which code page a list is in, decided from its lines read so far; lines that are valid UTF-8
// do not count. CP866 writes its most frequent Cyrillic letters (А-п) at 0x80-0xAF, where
// Windows-1252 has punctuation or nothing, and Windows-1252 writes its Latin letters at
// 0xC0-0xFF, where CP866 has box drawing and the letters р-я. So a run of two or more bytes from
// 0x80 up that are all CP866 letters, one of them at least from 0x80-0xAF, counts its bytes for
// CP866 (a Cyrillic word); every other byte from 0xC0 up counts for Windows-1252 (a Latin letter
// between ASCII ones, "é" or "ü"). The list is CP866 while the first count is the larger.
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

// A decoded text as a terminal or a label may show it: every control character but tab (U+0000 to
// U+001F, U+007F, U+0080 to U+009F) written as \xNN, its code in two lowercase hex digits, so a
// list can neither move a terminal's cursor nor retitle it. For plain text; JSON escapes its own.
[[nodiscard]] std::string SinControles(std::string_view texto);

// DecodificarTexto, then SinControles.
[[nodiscard]] std::string TextoVisible(std::string_view bytes);
