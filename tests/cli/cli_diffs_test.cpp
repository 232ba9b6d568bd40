// SPDX-License-Identifier: GPL-3.0-or-later
// A week's list brought forward by its NODEDIFF, through the command line: every kind of search
// answers from the new list, --json names both files, and a refused diff is one line on stderr
// with exit status 0. The real pair is in tests/data/nodediff (see SOURCES.txt there).

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"
#include "tests/comun/archivos.h"

namespace {

const std::string kDatos = TEST_DATA_DIR "/nodediff/";
const char* const kPuntos = "Boss,6:760/101\r\n,1,Punto,Sitio,Alguien,-,300\r\n";

SalidaProceso Ejecutar(const std::string& nodelist, const std::string& puntos,
                       std::vector<std::string> resto) {
  resto.insert(resto.begin(), {"--nodelist", nodelist, "--pointlist", puntos});
  return EjecutarProceso(CLI_PATH, resto);
}

nlohmann::json SinArchivos(const std::string& salida) {
  auto objeto = nlohmann::json::parse(salida);
  objeto.erase("archivos");
  return objeto;
}

// The list of 27 December 1996, still packed (the program reads bzip2), beside the diff to the
// next week.
TEST(CliDiffsTest, CadaBusquedaRespondeComoLaListaNueva) {
  CarpetaTemporal carpeta;
  const std::string lista = carpeta.Ruta("NODELIST.362");
  const std::string diff = carpeta.Ruta("NODEDIFF.003");
  std::filesystem::copy_file(kDatos + "nodelist.362.bz2", lista);
  std::filesystem::copy_file(kDatos + "NODEDIFF.003", diff);
  const std::string puntos = carpeta.Escribir("POINTS", kPuntos);
  const std::vector<std::vector<std::string>> busquedas{{"6:760/101.1", "1:1/120"},
                                                        {"--completo", "--json", "1:1/120"},
                                                        {"--buscar", "Mark Lewis"},
                                                        {"--buscar", "Bruce Bodger", "--json"}};
  for (const auto& busqueda : busquedas) {
    const SalidaProceso r = Ejecutar(carpeta.Ruta("NODELIST"), puntos, busqueda);
    const SalidaProceso esperada = Ejecutar(kDatos + "nodelist.003.bz2", puntos, busqueda);
    ASSERT_EQ(r.codigo, 0) << r.errores;
    EXPECT_EQ(r.errores, "");
    if (busqueda[1] != "--json") {
      EXPECT_EQ(r.salida, esperada.salida) << busqueda[0];
      continue;
    }
    EXPECT_EQ(SinArchivos(r.salida), SinArchivos(esperada.salida));
    EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"], lista + "+" + diff);
  }
}

TEST(CliDiffsTest, UnDiffAlteradoSeDiceUnaVezYLaBusquedaSaleCon0) {
  // In a folder whose name is not UTF-8: the name is shown decoded, the reason as it is.
  CarpetaTemporal carpeta;
  std::filesystem::create_directory(carpeta.Ruta("fido\xE9"));
  std::filesystem::copy_file(kDatos + "nodelist.362.bz2", carpeta.Ruta("fido\xE9/NODELIST.362"));
  std::string alterado = LeerArchivo(kDatos + "NODEDIFF.003");
  alterado.replace(alterado.find("InterMail_Help"), 14, "InterMail_Hlep");
  carpeta.Escribir("fido\xE9/NODEDIFF.003", alterado);
  const std::string puntos = carpeta.Escribir("POINTS", kPuntos);
  const SalidaProceso r =
      Ejecutar(carpeta.Ruta("fido\xE9/NODELIST"), puntos, {"--json", "1:1/120", "1:1/120"});
  EXPECT_EQ(r.codigo, 0);
  const auto lineas = Lineas(r.errores);
  ASSERT_EQ(lineas.size(), 1u) << r.errores;
  EXPECT_TRUE(
      lineas[0].starts_with("No se aplica " + carpeta.Ruta("fido\xC3\xA9/NODEDIFF.003") +
                            ": el CRC no coincide: la primera línea dice 02616 y la lista da "))
      << lineas[0];
  const auto objeto = nlohmann::json::parse(Lineas(r.salida).at(0));
  EXPECT_EQ(objeto["nodo"]["sysop"], "Bruce Bodger");
  EXPECT_EQ(objeto["archivos"]["nodelist"], carpeta.Ruta("fido\xC3\xA9/NODELIST.362"));
}

}  // namespace
