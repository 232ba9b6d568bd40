// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// List texts are bytes. For display: valid UTF-8 stays as it is, anything else is read as
// Windows-1252, the code page the lists were written for. Every byte yields a character.
[[nodiscard]] std::string DecodificarTexto(std::string_view bytes);

// A decoded text as a terminal or a label may show it: every control character but tab (U+0000 to
// U+001F, U+007F, U+0080 to U+009F) written as \xNN, its code in two lowercase hex digits, so a
// list can neither move a terminal's cursor nor retitle it. For plain text; JSON escapes its own.
[[nodiscard]] std::string SinControles(std::string_view texto);

// DecodificarTexto, then SinControles.
[[nodiscard]] std::string TextoVisible(std::string_view bytes);
