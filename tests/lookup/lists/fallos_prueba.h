// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/carpeta_temporal.h"

// Both lines sought stand several 128-byte blocks into their files, so a read can fail half-way.
inline std::string Nodelist() {
  std::string texto =
      "Zone,2,Europe,Brussels,Coord,32-1,9600\r\n"
      "Host,5020,Moscow_Net,Moscow,Host_Sysop,7-095-1,9600\r\n";
  // Named numbers: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + std::string&&.
  for (int n = 100; n < 140; ++n) {
    const std::string numero = std::to_string(n);
    texto += "," + numero + ",Station_" + numero + ",Moscow,Sysop,7-095,9600\r\n";
  }
  return texto + "Hub,52,Mister_Postman,Moscow,Volodya_Rusinov,7-095-745,9600\r\n\x1A";
}

inline std::string Pointlist() {
  std::string texto = "Boss,2:5020/52\r\n";
  for (int n = 1; n < 40; ++n) {
    const std::string numero = std::to_string(n);
    texto += "," + numero + ",Nick,Moscow,Someone_Else,-Unpublished-,9600\r\n";
  }
  return texto + ",40,Home,Moscow,Stas_O,7-095-40,9600\r\n\x1A";
}

// Both lists in a scratch folder; a failure a test leaves pending does not reach the next one.
class ListasEnBloquesTest : public ::testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", Nodelist());
  const std::string pointlist = carpeta.Escribir("POINTS.345", Pointlist());
};
