// The lists as users keep them, through the command line: a base name or a pattern finds the
// newest list, and --json names the files each search read.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"

namespace {

const std::string kPrograma = CLI_PATH;
const std::string kPointlist = SAMPLES_DIR "/POINTS.345";

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

void Fechar(const std::string& ruta, std::time_t momento) {
  const timespec tiempos[2] = {{momento, 0}, {momento, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, ruta.c_str(), tiempos, 0), 0) << ruta;
}

// NODELIST.362 (27 December 1996) and NODELIST.003 (3 January 1997), the later one older on disk.
class CliListasTest : public testing::Test {
 protected:
  void SetUp() override {
    Fechar(carpeta.Escribir("NODELIST.362", Leer(TEST_DATA_DIR "/listas/nodelist.362")),
           1622000000);
    Fechar(carpeta.Escribir("NODELIST.003", Leer(TEST_DATA_DIR "/listas/nodelist.003")),
           1590000000);
  }

  SalidaProceso Buscar(const std::string& nodelist, bool json = true) {
    std::vector<std::string> argumentos{"--nodelist", nodelist, "--pointlist", kPointlist};
    if (json) argumentos.push_back("--json");
    argumentos.push_back("1:1/120");
    return EjecutarProceso(kPrograma, argumentos);
  }

  CarpetaTemporal carpeta;
};

TEST_F(CliListasTest, BaseYPatronLeenLaListaMasNueva) {
  for (const char* escrita : {"NODELIST", "nodelist", "NODELIST.*"}) {
    const SalidaProceso r = Buscar(carpeta.Ruta(escrita));
    ASSERT_EQ(r.codigo, 0) << escrita << ": " << r.errores;
    const auto objeto = nlohmann::json::parse(r.salida);
    EXPECT_EQ(objeto["nodo"]["sysop"], "Mark Lewis") << escrita;
    EXPECT_EQ(objeto["archivos"], (nlohmann::json{{"nodelist", carpeta.Ruta("NODELIST.003")},
                                                  {"pointlist", kPointlist}}))
        << escrita;
  }
}

TEST_F(CliListasTest, UnArchivoNombradoSeLeeTalCual) {
  const SalidaProceso r = Buscar(carpeta.Ruta("NODELIST.362"));
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objeto = nlohmann::json::parse(r.salida);
  EXPECT_EQ(objeto["nodo"]["sysop"], "Bruce Bodger");
  EXPECT_EQ(objeto["archivos"]["nodelist"], carpeta.Ruta("NODELIST.362"));
}

TEST_F(CliListasTest, LaSalidaDeTextoNoCambia) {
  const SalidaProceso r = Buscar(carpeta.Ruta("NODELIST"), false);
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.salida,
            "Dirección de Punto: 1:1/120\nDatos del nodo:\nBBS: RemoteAccess Help USA\n"
            "Sysop: Mark Lewis\nCiudad: Sanford NC\nDatos del punto:\nNombre: ?\nNick: ?\n"
            "Ciudad: ?\nTeléfono: ?\n");
}

TEST_F(CliListasTest, UnPatronSinCoincidenciasEsUnaListaAusente) {
  const SalidaProceso r = Buscar(carpeta.Ruta("NODELIST.9*"));
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.errores, "No se encuentra el archivo de NodeList\n");
  EXPECT_EQ(r.salida, "");
}

TEST_F(CliListasTest, LosNombresNoUtf8SeMuestranDecodificados) {
  const std::string nombre = carpeta.Escribir("lista\xE9.001", Leer(carpeta.Ruta("NODELIST.003")));
  const SalidaProceso r = Buscar(carpeta.Ruta("lista\xE9"));
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"],
            carpeta.Ruta("lista\xC3\xA9.001"));
}

}  // namespace
