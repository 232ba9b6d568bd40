// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the newest list while the files misbehave: reads that fail, files that go away, a
// first line that never ends.

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "lookup/lists/lista_vigente.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/lookup/lists/error_de.h"
#include "tests/lookup/lists/lista_vigente_prueba.h"

namespace {

using fallos::Antes;
using fallos::Falla;
using fallos::Inyeccion;
using fallos::Llamada;

constexpr std::time_t k2020 = 1590000000;  // May 2020
constexpr std::time_t k2021 = 1622000000;  // May 2021

TEST_F(ListaVigenteFallosTest, UnaPrimeraLineaSinFinSeLeeSoloAlPrincipio) {
  const std::string enorme =
      carpeta.Escribir("NODELIST.001", ";A Friday, January 3, 1997 " + std::string(1 << 20, 'x'));
  carpeta.Escribir("NODELIST.362", ";A Friday, December 27, 1996\r\n");
  const Inyeccion cuenta(Falla{Llamada::Leer, enorme, 1000000, 1, EIO});
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), enorme);
  EXPECT_GE(cuenta.Llamadas(), 1);
  EXPECT_LE(cuenta.Llamadas() * LectorLista::kTamBufer, 512u) << "read past the header";
  EXPECT_EQ(DescriptoresAbiertos(enorme), 0);
}

TEST_F(ListaVigenteFallosTest, UnCandidatoIlegibleCuentaPorSuFechaDeArchivo) {
  // By its header the 2014 list is newer; unreadable, the other counts by its 2021 time stamp.
  const std::string ilegible = carpeta.Escribir("NODELIST.122", ";A Friday, May 2, 2014\r\n");
  const std::string otra = carpeta.Escribir("NODELIST.003", ";A Friday, January 3, 1997\r\n");
  Fechar(ilegible, k2020);
  Fechar(otra, k2021);
  {
    const Inyeccion denegada(Falla{Llamada::Abrir, otra, 1, 1, EACCES});
    EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), otra);
    EXPECT_EQ(denegada.Fallidas(), 1);
  }
  EXPECT_EQ(resultadoES, 0) << "choosing raises nothing and leaves nothing pending";
  {
    const Inyeccion rota(Falla{Llamada::Leer, otra, 1, 1, EIO});
    EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), otra);
  }
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), ilegible);
  // A failure pending from before is left as it was.
  resultadoES = 5;
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), ilegible);
  EXPECT_EQ(resultadoES, 5);
}

}  // namespace
