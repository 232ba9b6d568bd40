// SPDX-License-Identifier: GPL-3.0-or-later
// A week's list brought forward by its NODEDIFF, through the command line: every kind of search
// answers from the new list, --json names both files, and a refused diff is one line on stderr
// with exit status 0. The real pair is in tests/data/nodediff (see SOURCES.txt there).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"

namespace {

const std::string kPrograma = CLI_PATH;
const std::string kDatos = TEST_DATA_DIR "/nodediff/";

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

// The list of 27 December 1996, still packed (the program reads bzip2), beside the diff to the
// next week; the next week's list in a folder of its own.
class CliDiffsTest : public testing::Test {
 protected:
  void SetUp() override {
    lista = carpeta.Escribir("NODELIST.362", Leer(kDatos + "nodelist.362.bz2"));
    nueva = otra.Escribir("NODELIST.003", Leer(kDatos + "nodelist.003.bz2"));
    puntos = carpeta.Escribir("POINTS", "Boss,6:760/101\r\n,1,Punto,Sitio,Alguien,-,300\r\n");
  }

  SalidaProceso Ejecutar(const std::string& nodelist, std::vector<std::string> resto) {
    std::vector<std::string> argumentos{"--nodelist", nodelist, "--pointlist", puntos};
    argumentos.insert(argumentos.end(), resto.begin(), resto.end());
    return EjecutarProceso(kPrograma, argumentos);
  }

  CarpetaTemporal carpeta;
  CarpetaTemporal otra;
  std::string lista;
  std::string nueva;
  std::string puntos;
};

nlohmann::json SinArchivos(const std::string& salida) {
  auto objeto = nlohmann::json::parse(salida);
  objeto.erase("archivos");
  return objeto;
}

TEST_F(CliDiffsTest, CadaBusquedaRespondeComoLaListaNueva) {
  const std::string diff = carpeta.Escribir("NODEDIFF.003", Leer(kDatos + "NODEDIFF.003"));
  const std::vector<std::vector<std::string>> busquedas{{"6:760/101.1", "1:1/120"},
                                                        {"--completo", "--json", "1:1/120"},
                                                        {"--buscar", "Mark Lewis"},
                                                        {"--buscar", "Bruce Bodger", "--json"}};
  for (const auto& busqueda : busquedas) {
    const SalidaProceso r = Ejecutar(carpeta.Ruta("NODELIST"), busqueda);
    const SalidaProceso esperada = Ejecutar(nueva, busqueda);
    ASSERT_EQ(r.codigo, 0) << r.errores;
    EXPECT_EQ(r.errores, "");
    if (busqueda[0] == "--buscar" || busqueda[0] == "6:760/101.1") {
      EXPECT_EQ(r.salida, esperada.salida) << busqueda[0];
      continue;
    }
    EXPECT_EQ(SinArchivos(r.salida), SinArchivos(esperada.salida));
    EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"], lista + "+" + diff);
  }
}

TEST_F(CliDiffsTest, ElDiffEmpaquetadoSeNombraConSuMiembro) {
  const std::string diff = carpeta.Escribir("NODEDIFF.Z03", Leer(kDatos + "NODEDIFF.Z03"));
  const SalidaProceso r = Ejecutar(carpeta.Ruta("NODELIST"), {"--json", "1:1/120"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objeto = nlohmann::json::parse(r.salida);
  EXPECT_EQ(objeto["nodo"]["sysop"], "Mark Lewis");
  EXPECT_EQ(objeto["archivos"]["nodelist"], lista + "+" + diff + ":NODEDIFF.003");
}

TEST_F(CliDiffsTest, UnDiffAlteradoSeDiceUnaVezYLaBusquedaSaleCon0) {
  // In a folder whose name is not UTF-8: the name is shown decoded, the reason as it is.
  std::filesystem::create_directory(carpeta.Ruta("fido\xE9"));
  carpeta.Escribir("fido\xE9/NODELIST.362", Leer(kDatos + "nodelist.362.bz2"));
  std::string alterado = Leer(kDatos + "NODEDIFF.003");
  alterado.replace(alterado.find("InterMail_Help"), 14, "InterMail_Hlep");
  carpeta.Escribir("fido\xE9/NODEDIFF.003", alterado);
  const SalidaProceso r =
      Ejecutar(carpeta.Ruta("fido\xE9/NODELIST"), {"--json", "1:1/120", "1:1/120"});
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

TEST_F(CliDiffsTest, UnDiffDeOtraListaSeDejaSinDecirNada) {
  std::string ajeno = Leer(kDatos + "NODEDIFF.003");
  ajeno.replace(ajeno.find("December 27"), 11, "December 20");
  carpeta.Escribir("NODEDIFF.003", ajeno);
  const SalidaProceso r = Ejecutar(carpeta.Ruta("NODELIST"), {"--json", "1:1/120"});
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.errores, "");
  EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"], lista);
}

}  // namespace
