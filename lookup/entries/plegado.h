// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The form in which the name search compares texts: every letter in lower case (any alphabet,
// "JOSÉ" reads "josé", "ИВАНОВ" reads "иванов") and "_" read as a blank. Takes and gives UTF-8,
// as DecodificarTexto yields it.
[[nodiscard]] std::string PlegarTexto(std::string_view utf8);

// The same for one ASCII byte; bytes from 0x80 up are left alone.
[[nodiscard]] constexpr char PlegarByte(char c) noexcept {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c == '_' ? ' ' : c;
}
