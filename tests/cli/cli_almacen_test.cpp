// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line lookup only reads the settings store, and only the values no option replaces.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kBbs = "BBS: Arbat Hub\n";

struct CasoAlmacen {
  const char* nombre;
  std::string contenido;  // NodeList.conf
  bool soloLectura;       // the file and its folder as only root may write them
  std::vector<std::string> argumentos;
};

using casos::PrintTo;

class LecturaDelAlmacen : public testing::TestWithParam<CasoAlmacen> {
 protected:
  void TearDown() override {
    // Its owner may empty the scratch folder again.
    if (fs::exists(perfil_.Carpeta())) {
      fs::permissions(perfil_.Carpeta(), fs::perms::owner_all, fs::perm_options::add);
    }
  }

  PerfilTemporal perfil_;
};

TEST_P(LecturaDelAlmacen, BuscaSinEscribirNada) {
  const CasoAlmacen& caso = GetParam();
  const fs::path archivo = perfil_.Guardar(caso.contenido);
  const fs::path tervanik = perfil_.Carpeta();
  // Everyone may reach the store and read it; with soloLectura no one may change it, not even its
  // owner, unless privileged.
  fs::permissions(perfil_.Raiz(), caso.soloLectura ? fs::perms(0755) : fs::perms::all);
  fs::permissions(tervanik, caso.soloLectura ? fs::perms(0555) : fs::perms::all);
  fs::permissions(archivo, caso.soloLectura ? fs::perms(0444) : fs::perms(0666));
  const auto antes = fs::last_write_time(archivo);

  std::vector<std::string> argumentos = caso.argumentos;
  argumentos.push_back("2:5020/52.10");
  const SalidaProceso r = EjecutarSinPrivilegios(kPrograma, argumentos);

  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.errores, "");
  EXPECT_NE(r.salida.find(kBbs), std::string::npos) << r.salida;
  EXPECT_EQ(LeerArchivo(archivo), caso.contenido);
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
    casos::PorNombre());

}  // namespace
