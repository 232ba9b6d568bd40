// SPDX-License-Identifier: GPL-3.0-or-later
// Archives that fail under the reader or are built to hurt: reads that fail half-way, a member
// that unpacks to a gigabyte, damaged archives among the weekly lists.

#include <cerrno>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/lista_vigente.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/comun/proceso.h"
#include "tests/lookup/entries/error_de.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

using fallos::Falla;
using fallos::Inyeccion;
using fallos::Llamada;

class ArchivoHostilTest : public testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", kNodos);
};

TEST_F(ArchivoHostilTest, UnaLecturaQueFallaEnMedioDelArchivo) {
  // The distribution ZIP is larger than one read of the packer: the second read fails.
  const std::string zip =
      carpeta.Escribir("NODELIST.Z22", LeerArchivo(TEST_DATA_DIR "/listas/NODELIST.Z22"));
  const Inyeccion falla(Falla{Llamada::Leer, zip, 2, 1, EIO});
  const auto error = ErrorDe([&] { (void)BuscarSinAvisos(zip, nodelist, "4:904/13"); });
  EXPECT_EQ(falla.Fallidas(), 1);
  EXPECT_EQ(error.first, CodigoDeErrno(EIO));
  EXPECT_EQ(DescriptoresAbiertos(zip), 0);
}

// The peak resident size of a child that runs one search, and whether it found the entry.
long PicoEnOtroProceso(const std::string& nodos, const std::string& puntos, bool& correcto) {
  const MedidaHijo medida = MedirEnOtroProceso([&] {
    return EjecutarBusqueda(nodos, puntos, "2:5020/52.10", [](const std::string&) {}).ejecutada;
  });
  correcto = medida.correcta;
  return medida.picoKb;
}

TEST_F(ArchivoHostilTest, UnMiembroDeUnGigabyteSeLeeConMemoriaPlana) {
  // 785 bytes of bzip2 that unpack to 1 GiB of zero bytes, one endless line; against the same
  // search on the smallest lists, since a child starts with its parent's pages.
  const std::string puntos = carpeta.Escribir("POINTS.345", kPuntos);
  bool correcto = false;
  const long base = PicoEnOtroProceso(nodelist, puntos, correcto);
  ASSERT_TRUE(correcto);
  const long pico = PicoEnOtroProceso(nodelist, TEST_DATA_DIR "/listas/cero-1gib.bz2", correcto);
  EXPECT_TRUE(correcto);
  std::printf("[ measure  ] 1 GiB bzip2 member: peak %ld KiB (%+ld KiB over the small lists)\n",
              pico, pico - base);
  // bzip2's own work area for 900 kB blocks is about 4 MB.
  EXPECT_LT(pico - base, 16 * 1024) << "memory grew with the member";
}

TEST_F(ArchivoHostilTest, UnArchivoRotoEntreLasSemanasCuentaPorSuFecha) {
  // Damaged, the 2014 ZIP has no readable date; its 2020 time stamp still beats 1997.
  const std::string zip = carpeta.Escribir(
      "NODELIST.Z22", LeerArchivo(TEST_DATA_DIR "/listas/NODELIST.Z22").substr(0, 40));
  carpeta.Escribir("NODELIST.003", LeerArchivo(TEST_DATA_DIR "/listas/nodelist.003"));
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), zip);
  EXPECT_EQ(resultadoES, 0);
  EXPECT_EQ(DescriptoresAbiertos(zip), 0);
  // The search then says what is wrong with it.
  const auto error =
      ErrorDe([&] { (void)BuscarSinAvisos(carpeta.Ruta("NODELIST"), nodelist, "4:904/13"); });
  EXPECT_EQ(error.second, "Archive is truncated");
}

}  // namespace
