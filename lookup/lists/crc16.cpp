// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/crc16.h"

#include <array>
#include <cstddef>

namespace {

// Slicing by eight: a chain of diffs checks a whole list at every step, so eight bytes a round.
// kTablas[0] is the byte-at-a-time table; kTablas[k][b] is b followed by k zero bytes.
constexpr std::array<std::array<std::uint16_t, 256>, 8> HacerTablas() {
  std::array<std::array<std::uint16_t, 256>, 8> tablas{};
  for (std::uint32_t b = 0; b < 256; ++b) {
    std::uint32_t crc = b << 8;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 0x8000u) != 0 ? (crc << 1) ^ 0x1021u : crc << 1;
    tablas[0][b] = static_cast<std::uint16_t>(crc);
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t b = 0; b < 256; ++b) {
      const std::uint16_t previo = tablas[k - 1][b];
      tablas[k][b] = static_cast<std::uint16_t>((previo << 8) ^ tablas[0][previo >> 8]);
    }
  return tablas;
}

constexpr auto kTablas = HacerTablas();

}  // namespace

std::uint16_t Crc16Xmodem(std::string_view bytes, std::uint16_t crc) noexcept {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t resto = bytes.size();
  while (resto >= 8) {
    const std::uint16_t c = crc;
    crc = static_cast<std::uint16_t>(kTablas[7][((c >> 8) ^ p[0]) & 0xFF] ^
                                     kTablas[6][(c ^ p[1]) & 0xFF] ^ kTablas[5][p[2]] ^
                                     kTablas[4][p[3]] ^ kTablas[3][p[4]] ^ kTablas[2][p[5]] ^
                                     kTablas[1][p[6]] ^ kTablas[0][p[7]]);
    p += 8;
    resto -= 8;
  }
  for (; resto > 0; --resto, ++p)
    crc = static_cast<std::uint16_t>((crc << 8) ^ kTablas[0][((crc >> 8) ^ *p) & 0xFF]);
  return crc;
}
