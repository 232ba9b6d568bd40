// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

using Reloj = std::chrono::steady_clock;

[[nodiscard]] inline double Ms(Reloj::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The upper median: with an even count it is one of the runs, never a mean of two.
[[nodiscard]] inline double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}
