// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How much of a line the lookups keep. Real entries are far shorter; the cap keeps a hostile
// file (one endless line) from taking memory by the gigabyte.
inline constexpr std::size_t kLargoUtilLinea = 64 * 1024;

// Cuts the field that starts at `pos` and runs to the next comma (or to the end of the line),
// with "_" turned into a blank, and moves `pos` past that comma.
[[nodiscard]] std::string CortarCampo(std::string_view linea, std::size_t& pos);

// The keyword field: everything before the first comma (the whole line if there is none).
[[nodiscard]] std::string_view Clave(std::string_view linea) noexcept;
