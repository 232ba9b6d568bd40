// SPDX-License-Identifier: GPL-3.0-or-later
// The popup's name search runs on a worker thread, reading what the window's thread owns, while
// that thread looks an address up through the same kept diff chain.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/por_nombre.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/lookup/lists/diffs_prueba.h"

namespace {

TEST(PorNombreHiloTest, NombreEnUnHiloMientrasElOtroBuscaUnaDireccion) {
  const CarpetaTemporal carpeta;
  carpeta.Escribir("NODELIST.001", UnirCrLf(Semana(1)));
  carpeta.Escribir("NODEDIFF.002", DiffEntre(Semana(1), Semana(2)));
  // What the window keeps and hands the worker by reference, as the popup's task does.
  const std::string nodos = carpeta.Ruta("NODELIST");
  const std::string puntos =
      carpeta.Escribir("POINTS", "Boss,1:1/1\r\n,1,Punto,Sitio,Otro,-,300\r\n");
  const std::string texto = "sysop";
  std::atomic<int> faltas{0};
  const Informar contar = [&faltas](const std::string&) { ++faltas; };

  std::vector<Coincidencias> halladas;
  std::thread trabajador([&] {
    for (int i = 0; i < 20; ++i)
      halladas.push_back(BuscarCoincidencias(nodos, puntos, texto, 50, contar));
  });
  std::vector<std::string> sysops;
  for (int i = 0; i < 20; ++i)
    sysops.push_back(EjecutarBusqueda(nodos, puntos, "1:1/1", contar).nodo.sysop);
  trabajador.join();

  EXPECT_EQ(faltas, 0);
  EXPECT_EQ(sysops, std::vector<std::string>(20, "Sysop 2"));
  ASSERT_EQ(halladas.size(), 20u);
  for (const Coincidencias& c : halladas) {
    EXPECT_TRUE(c.ejecutada);
    EXPECT_EQ(c.filas, (std::vector<Coincidencia>{{"1:1/1", "Sysop 2", "Nodo uno", "Sitio"}}));
  }
}

}  // namespace
