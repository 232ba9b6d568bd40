// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Table rows that carry a `nombre`: a suite names its rows with PorNombre and, with
// `using casos::PrintTo;` in its namespace, a failure prints the row's name, not its bytes.
namespace casos {

template <typename Caso>
  requires requires(const Caso& caso, std::ostream& os) { os << caso.nombre; }
void PrintTo(const Caso& caso, std::ostream* os) {
  *os << caso.nombre;
}

// A row of a table for a function of one argument: its name, what goes in, what must come out.
template <typename Entrada, typename Esperado>
struct Fila {
  const char* nombre;
  Entrada entrada;
  Esperado esperado;
};

struct PorNombre {
  template <typename Caso>
  std::string operator()(const testing::TestParamInfo<Caso>& info) const {
    return std::string(info.param.nombre);
  }
};

}  // namespace casos
