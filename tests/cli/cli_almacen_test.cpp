// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line lookup only reads the settings store, and only the values no option replaces.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"

namespace {

namespace fs = std::filesystem;

const std::string kPrograma = CLI_PATH;
const std::string kNodelist = SAMPLES_DIR "/NODELIST.345";
const std::string kPointlist = SAMPLES_DIR "/POINTS.345";
constexpr const char* kBbs = "BBS: Arbat Hub\n";

std::string Leer(const fs::path& archivo) {
  std::ifstream entrada(archivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

struct CasoAlmacen {
  const char* nombre;
  std::string contenido;  // NodeList.conf
  bool soloLectura;       // the file and its folder as only root may write them
  std::vector<std::string> argumentos;
};

void PrintTo(const CasoAlmacen& caso, std::ostream* os) {
  *os << caso.nombre;
}

class LecturaDelAlmacen : public testing::TestWithParam<CasoAlmacen> {
 protected:
  void SetUp() override { ::setenv("XDG_CONFIG_HOME", carpeta_.Ruta("config").c_str(), 1); }
  void TearDown() override {
    ::unsetenv("XDG_CONFIG_HOME");
    // Its owner may empty the scratch folder again.
    if (const fs::path tervanik = carpeta_.Ruta("config/Tervanik"); fs::exists(tervanik)) {
      fs::permissions(tervanik, fs::perms::owner_all, fs::perm_options::add);
    }
  }

  CarpetaTemporal carpeta_;
};

TEST_P(LecturaDelAlmacen, BuscaSinEscribirNada) {
  const CasoAlmacen& caso = GetParam();
  const fs::path tervanik = carpeta_.Ruta("config/Tervanik");
  fs::create_directories(tervanik);
  const fs::path archivo = tervanik / "NodeList.conf";
  std::ofstream(archivo, std::ios::binary) << caso.contenido;
  // Everyone may reach the store and read it; with soloLectura no one may change it, not even its
  // owner, unless privileged.
  for (const fs::path& p : {carpeta_.Ruta(), fs::path(carpeta_.Ruta("config"))}) {
    fs::permissions(p, caso.soloLectura ? fs::perms(0755) : fs::perms::all);
  }
  fs::permissions(tervanik, caso.soloLectura ? fs::perms(0555) : fs::perms::all);
  fs::permissions(archivo, caso.soloLectura ? fs::perms(0444) : fs::perms(0666));
  const auto antes = fs::last_write_time(archivo);

  std::vector<std::string> argumentos = caso.argumentos;
  argumentos.push_back("2:5020/52.10");
  const SalidaProceso r = EjecutarSinPrivilegios(kPrograma, argumentos);

  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.errores, "");
  EXPECT_NE(r.salida.find(kBbs), std::string::npos) << r.salida;
  EXPECT_EQ(Leer(archivo), caso.contenido);
  EXPECT_EQ(fs::last_write_time(archivo), antes);
  std::vector<std::string> enCarpeta;
  for (const auto& entrada : fs::directory_iterator(tervanik))
    enCarpeta.push_back(entrada.path().filename().string());
  EXPECT_EQ(enCarpeta, std::vector<std::string>{"NodeList.conf"}) << "no lock or temporary file";
}

const std::string kAmbas = "[General]\nNodeList=" + kNodelist + "\nPointList=" + kPointlist + "\n";

INSTANTIATE_TEST_SUITE_P(
    Cli, LecturaDelAlmacen,
    testing::Values(CasoAlmacen{"SoloLectura", kAmbas, true, {}},
                    CasoAlmacen{
                        "SoloLecturaConUnaOpcion", kAmbas, true, {"--pointlist", kPointlist}},
                    CasoAlmacen{"NodeListQueNoEsTextoReemplazado",
                                "[General]\nNodeList=a, b\nPointList=" + kPointlist + "\n",
                                false,
                                {"--nodelist", kNodelist}},
                    CasoAlmacen{"PointListQueNoEsTextoReemplazado",
                                "[General]\nNodeList=" + kNodelist +
                                    "\nPointList=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n",
                                false,
                                {"--pointlist", kPointlist}},
                    CasoAlmacen{"SoloLecturaYDanadoReemplazado",
                                "[General]\nNodeList=a, b\nPointList=" + kPointlist + "\n",
                                true,
                                {"--nodelist", kNodelist}}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
