// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// CRC-16/XMODEM (polynomial 0x1021, initial value 0, no reflection, no final XOR), the CRC a
// nodelist's first line gives. Pass the previous result as `crc` to go on over more bytes.
[[nodiscard]] std::uint16_t Crc16Xmodem(std::string_view bytes, std::uint16_t crc = 0) noexcept;
