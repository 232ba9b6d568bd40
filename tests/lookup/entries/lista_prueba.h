// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"
#include "tests/lookup/lists/lista_prueba.h"

// A failed comparison of found fields shows them.
inline void PrintTo(const DatosNodo& d, std::ostream* os) {
  *os << "{bbs \"" << d.bbs << "\", sysop \"" << d.sysop << "\", ciudad \"" << d.ciudad << "\"}";
}
inline void PrintTo(const DatosPunto& d, std::ostream* os) {
  *os << "{nombre \"" << d.nombre << "\", nick \"" << d.nick << "\", ciudad \"" << d.ciudad
      << "\", telefono \"" << d.telefono << "\"}";
}
