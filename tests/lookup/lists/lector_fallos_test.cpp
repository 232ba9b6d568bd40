// SPDX-License-Identifier: GPL-3.0-or-later
// System calls that fail under the reader itself, through the test-only interposer.

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/lookup/lists/error_de.h"
#include "tests/lookup/lists/fallos_prueba.h"
#include "tests/lookup/lists/lista_prueba.h"

namespace {

using fallos::Falla;
using fallos::Inyeccion;
using fallos::Llamada;

class FallosTest : public ListasEnBloquesTest {};

// The reader itself: a failed read keeps its place, and the next read goes on from there.
TEST_F(FallosTest, UnaLecturaFallidaDejaElLectorAbiertoDondeEstaba) {
  const std::string ruta =
      carpeta.Escribir("l", std::string(100, 'a') + "\r\n" + std::string(300, 'b') + "\r\nC\r\n");
  LectorLista lector;
  AbrirLista(lector, ruta);
  EXPECT_EQ(lector.LeerLinea(), std::string(100, 'a'));
  {
    const Inyeccion inyeccion(Falla{Llamada::Leer, ruta, 2, 2, EIO});
    for (int vez = 0; vez < 2; ++vez)
      EXPECT_EQ(ErrorDe([&] { (void)lector.LeerLinea(); }).first, 1000 + EIO);
    EXPECT_TRUE(lector.Abierto());
    EXPECT_EQ(PosicionLeida(ruta), 256) << "a failed read moved the file";
  }
  // 26 + 128 bytes of the line came before the failure; the rest follows.
  EXPECT_EQ(lector.LeerLinea(), std::string(300 - 26 - 128, 'b'));
  EXPECT_EQ(lector.LeerLinea(), "C");
  EXPECT_TRUE(lector.FinDeArchivo());
  lector.Cerrar();
  ComprobarES();
}

TEST_F(FallosTest, ElFinDeArchivoQueFallaDaFinYElError) {
  LectorLista lector;
  AbrirLista(lector, nodelist);
  const Inyeccion inyeccion(Falla{Llamada::Leer, nodelist, 1, 1, EIO});
  EXPECT_TRUE(lector.FinDeArchivo());
  EXPECT_EQ(ErrorDe([] { ComprobarES(); }).first, 1000 + EIO);
  EXPECT_FALSE(lector.FinDeArchivo()) << "the failure was not remembered as an end";
}

}  // namespace
