// SPDX-License-Identifier: GPL-3.0-or-later
// What a list path would read now, told before any search: the newest weekly list of a base name,
// a list inside an archive, a list brought forward by the diff beside it, and nothing to read.

#include "lookup/lists/lectura_prevista.h"

#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/comun/carpeta_temporal.h"

namespace {

const std::string kDatos = TEST_DATA_DIR;

std::string Lista(const std::string& fecha) {
  return ";A FidoNet Nodelist for " + fecha +
         " -- Day number 001 : 00000\r\n,1,Nodo,Sitio,Sysop,-,300\r\n";
}

struct Caso {
  const char* nombre;
  const char* carpeta;  // inside the scratch folder
  const char* escrita;  // the path a box holds, inside that folder
  bool hayLista;
  const char* archivos;
  std::optional<FechaLista> fecha;
};

class LecturaPrevistaTest : public testing::TestWithParam<Caso> {
 protected:
  // In `carpeta`: two weekly lists, the newer by its first line with the lower suffix; the real
  // weekly pair (a packed list and the diff that brings it forward); a distribution archive.
  void Preparar(const std::string& carpeta) {
    std::filesystem::create_directories(raiz.Ruta(carpeta));
    raiz.Escribir(carpeta + "/NODELIST.362", Lista("Friday, December 27, 2024"));
    raiz.Escribir(carpeta + "/NODELIST.003", Lista("Friday, January 3, 2025"));
    const std::filesystem::path aqui = raiz.Ruta(carpeta);
    std::filesystem::copy_file(kDatos + "/nodediff/nodelist.362.bz2", aqui / "WORLDLIST.362");
    std::filesystem::copy_file(kDatos + "/nodediff/NODEDIFF.003", aqui / "WORLDDIFF.003");
    std::filesystem::copy_file(kDatos + "/listas/NODELIST.Z22", aqui / "ZONAS.Z22");
  }

  CarpetaTemporal raiz;
};

TEST_P(LecturaPrevistaTest, DiceQueLeeria) {
  const Caso& c = GetParam();
  Preparar(c.carpeta);
  const LecturaPrevista prevista =
      PreverLectura(raiz.Ruta(std::string(c.carpeta) + "/" + c.escrita));
  EXPECT_EQ(prevista.hayLista, c.hayLista);
  EXPECT_EQ(prevista.archivos, c.archivos);
  EXPECT_EQ(prevista.fecha, c.fecha);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LecturaPrevistaTest,
    testing::Values(Caso{"BaseNombre", "fido", "NODELIST", true, "NODELIST.003",
                         FechaLista{2025, 1, 3}},
                    Caso{"ArchivoNombrado", "fido", "NODELIST.362", true, "NODELIST.362",
                         FechaLista{2024, 12, 27}},
                    Caso{"MiembroDeArchivo", "fido", "ZONAS.Z22", true, "ZONAS.Z22:NODELIST.122",
                         FechaLista{2014, 5, 2}},
                    Caso{"Cadena", "fido", "WORLDLIST", true, "WORLDLIST.362 + WORLDDIFF.003",
                         FechaLista{1997, 1, 3}},
                    // The folder's "+" is no joint between a list and its diff.
                    Caso{"CadenaEnCarpetaConMas", "semana+1", "WORLDLIST", true,
                         "WORLDLIST.362 + WORLDDIFF.003", FechaLista{1997, 1, 3}},
                    Caso{"Falta", "fido", "POINTS", false, "", std::nullopt},
                    Caso{"CarpetaQueNoExiste", "fido", "no/NODELIST", false, "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Asked from the configuration window's worker while a search's thread asks too: both get the
// chain, kept once.
TEST(LecturaPrevistaHiloTest, DosHilosALaVez) {
  CarpetaTemporal carpeta;
  std::filesystem::copy_file(kDatos + "/nodediff/nodelist.362.bz2", carpeta.Ruta("NODELIST.362"));
  std::filesystem::copy_file(kDatos + "/nodediff/NODEDIFF.003", carpeta.Ruta("NODEDIFF.003"));
  LecturaPrevista primera;
  LecturaPrevista segunda;
  std::thread uno([&] { primera = PreverLectura(carpeta.Ruta("NODELIST")); });
  std::thread otro([&] { segunda = PreverLectura(carpeta.Ruta("NODELIST")); });
  uno.join();
  otro.join();
  for (const LecturaPrevista& p : {primera, segunda}) {
    EXPECT_EQ(p.archivos, "NODELIST.362 + NODEDIFF.003");
    EXPECT_EQ(p.fecha, (FechaLista{1997, 1, 3}));
  }
}

}  // namespace
