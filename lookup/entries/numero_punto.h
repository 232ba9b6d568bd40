// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

struct Conversion {
  std::int32_t valor = 0;
  bool correcta = false;
};

// Lenient text-to-number conversion of point numbers: leading blanks, "+"/"-", "$", "x", "0x"
// hex prefixes. A failed conversion still carries the value of the digits read before the fault.
[[nodiscard]] Conversion ConvertirNumero(std::string_view texto) noexcept;
