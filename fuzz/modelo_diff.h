// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A slow, plain model of a NODEDIFF applied to a list, written from the format (FTS-5000) apart
// from lookup/, for the fuzz target to compare with the engine.

#include <string>
#include <vector>

namespace modelo {

enum class EstadoDiff { kAplicado, kOtraLista, kOrdenMala, kPasaDelFinal, kFaltanLineas };

struct ResultadoDiff {
  EstadoDiff estado = EstadoDiff::kAplicado;
  std::vector<std::string> lineas;  // the new list, when applied
};

// `lista` and `diff` as lines (modelo::Lineas). The diff's first line must be the list's; then
// each command is "A", "C" or "D" and 1 to 32767 in decimal: An takes the n lines after it, Cn
// copies the next n lines of the list, Dn skips them.
[[nodiscard]] ResultadoDiff AplicarDiff(const std::vector<std::string>& lista,
                                        const std::vector<std::string>& diff);

// True when the first line ends in ':', blanks maybe, five digits, blanks maybe, and those
// digits are the CRC-16/XMODEM of every later line, each ended by CR LF.
[[nodiscard]] bool CrcCorrecto(const std::vector<std::string>& lineas);

}  // namespace modelo
