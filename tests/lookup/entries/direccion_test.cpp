// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/direccion.h"

#include <gtest/gtest.h>

#include "tests/comun/casos.h"

namespace {

struct CasoDireccion {
  const char* nombre;
  std::string direccion;
  std::string parteNodo, partePunto;
  std::string zona, red, nodo;
};

class DireccionTest : public ::testing::TestWithParam<CasoDireccion> {};

TEST_P(DireccionTest, SeparaYParte) {
  const auto& caso = GetParam();
  const auto partes = SepararDireccion(caso.direccion);
  EXPECT_EQ(partes.parteNodo, caso.parteNodo);
  EXPECT_EQ(partes.partePunto, caso.partePunto);
  const auto nodo = PartirNodo(partes.parteNodo);
  EXPECT_EQ(nodo.zona, caso.zona);
  EXPECT_EQ(nodo.red, caso.red);
  EXPECT_EQ(nodo.nodo, caso.nodo);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DireccionTest,
    ::testing::Values(
        CasoDireccion{"Completa", "2:5020/52.10", "2:5020/52", "10", "2", "5020", "52"},
        CasoDireccion{"SinPunto", "2:5020/52", "2:5020/52", "0", "2", "5020", "52"},
        CasoDireccion{"PuntoVacio", "2:5020/52.", "2:5020/52", "", "2", "5020", "52"},
        CasoDireccion{"PuntoConPunto", "2:5020/52.1.2", "2:5020/52", "1.2", "2", "5020", "52"},
        CasoDireccion{"Vacia", "", " ", "0", "", " ", ""},
        CasoDireccion{"SinZona", "5020/52.1", "5020/52", "1", "", "5020", "52"},
        CasoDireccion{"Dominio", "2:5020/113@fidonet", "2:5020/113@fidonet", "0", "2", "5020",
                      "113"},
        CasoDireccion{"DominioConPunto", "2:5020/113@fido.net", "2:5020/113@fido", "net", "2",
                      "5020", "113"},
        CasoDireccion{"SinNodo", "2:5020.1", "2:5020", "1", "2", "5020", ""},
        CasoDireccion{"SoloPunto", ".5", "", "5", "", "", ""},
        CasoDireccion{"BlancoDelante", " 2:5020/52.1", " 2:5020/52", "1", " 2", "5020", "52"},
        CasoDireccion{"BlancoYDosBarras", "2:50 20/5/2.1", "2:50 20/5/2", "1", "2", "50 20", "5/2"},
        CasoDireccion{"Letras", "a:b/c.d", "a:b/c", "d", "a", "b", "c"},
        CasoDireccion{"DosVecesDosPuntos", "1:2:3/4", "1:2:3/4", "0", "1", "2:3", "4"}),
    casos::PorNombre());

TEST(NumeroDePuntoTest, ElDominioNoCuentaYCeroNoEsPunto) {
  EXPECT_EQ(NumeroDePunto("8@fidonet"), 8);
  EXPECT_EQ(NumeroDePunto("$A@fidonet"), 10);
  EXPECT_LE(NumeroDePunto("net"), 0);
}

TEST(DireccionLargaTest, MasDe255CaracteresSeParteEntero) {
  const std::string red(300, '7');
  const std::string nodo(400, '8');
  const auto partes = SepararDireccion("2:" + red + "/" + nodo + "." + std::string(500, '9'));
  EXPECT_EQ(partes.partePunto.size(), 500u);
  const auto partido = PartirNodo(partes.parteNodo);
  EXPECT_EQ(partido.red, red);
  EXPECT_EQ(partido.nodo, nodo);
}

}  // namespace
