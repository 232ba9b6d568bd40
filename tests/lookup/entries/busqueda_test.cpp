// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/proceso.h"
#include "tests/lookup/entries/error_de.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

class EjecutarBusquedaTest : public ::testing::Test {
 protected:
  ResultadoBusqueda Buscar(const std::string& nodos, const std::string& puntos,
                           std::string_view direccion) {
    return EjecutarBusqueda(nodos, puntos, direccion,
                            [this](const std::string& m) { mensajes.push_back(m); });
  }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", kNodos);
  const std::string pointlist = carpeta.Escribir("POINTS.345", kPuntos);
  const std::string ausente = (carpeta.Ruta() / "missing").string();
  std::vector<std::string> mensajes;
};

TEST_F(EjecutarBusquedaTest, BuscaLosSieteCampos) {
  const auto resultado = Buscar(nodelist, pointlist, "2:5020/52.10");
  EXPECT_TRUE(resultado.ejecutada);
  EXPECT_EQ(resultado.nodo, (DatosNodo{"Mister Postman", "Volodya Rusinov", "Moscow"}));
  EXPECT_EQ(resultado.punto, (DatosPunto{"Stas O", "Home", "Moscow", "-Unpublished-"}));
  EXPECT_TRUE(mensajes.empty());
  EXPECT_EQ(DescriptoresAbiertos(nodelist) + DescriptoresAbiertos(pointlist), 0);
}

TEST_F(EjecutarBusquedaTest, SinPuntoSoloElNodo) {
  const auto resultado = Buscar(nodelist, pointlist, "2:5020/52");
  EXPECT_TRUE(resultado.ejecutada);
  EXPECT_EQ(resultado.nodo.bbs, "Mister Postman");
  EXPECT_EQ(resultado.punto, DatosPunto{});
}

TEST_F(EjecutarBusquedaTest, ArchivosAusentesSeAvisanEnOrden) {
  struct Caso {
    std::string nodos, puntos;
    std::vector<std::string> avisos;
  };
  const std::vector<Caso> casos{
      {ausente, ausente, {kFaltaNodelist, kFaltaPointlist}},
      {"", "", {kFaltaNodelist, kFaltaPointlist}},
      {nodelist, ausente, {kFaltaPointlist}},
      {ausente, pointlist, {kFaltaNodelist}},
      {carpeta.Ruta().string(), pointlist, {kFaltaNodelist}},
  };
  for (const auto& caso : casos) {
    mensajes.clear();
    const auto resultado = Buscar(caso.nodos, caso.puntos, "2:5020/52.10");
    EXPECT_FALSE(resultado.ejecutada);
    EXPECT_EQ(mensajes, caso.avisos) << caso.nodos << " / " << caso.puntos;
  }
}

TEST_F(EjecutarBusquedaTest, UnMismoArchivoParaAmbasListas) {
  const std::string ambas =
      carpeta.Escribir("ambas", std::string(kNodos, std::strlen(kNodos) - 1) + kPuntos);
  const auto resultado = Buscar(ambas, ambas, "2:5020/52.10");
  EXPECT_EQ(resultado.nodo.bbs, "Mister Postman");
  EXPECT_EQ(resultado.punto.nick, "Home");
}

TEST_F(EjecutarBusquedaTest, CadaBusquedaLeeElArchivoDeNuevo) {
  EXPECT_EQ(Buscar(nodelist, pointlist, "2:5020/52.10").punto.nick, "Home");
  carpeta.Escribir("POINTS.345", "Boss,2:5020/52\r\n,10,Changed,Moscow,S,P\r\n");
  EXPECT_EQ(Buscar(nodelist, pointlist, "2:5020/52.10").punto.nick, "Changed");
}

TEST_F(EjecutarBusquedaTest, UnErrorAlAbrirNoDejaArchivosAbiertos) {
  {
    const BloqueoExclusivo escritor(pointlist);
    EXPECT_EQ(ErrorDe([&] { (void)Buscar(nodelist, pointlist, "2:5020/52.10"); }),
              std::make_pair(32, std::string("I/O error 32")));
    EXPECT_EQ(DescriptoresAbiertos(nodelist), 0) << "the nodelist reader was left open";
    EXPECT_EQ(resultadoES, 0);
  }
  EXPECT_TRUE(Buscar(nodelist, pointlist, "2:5020/52.10").ejecutada);
}

}  // namespace
