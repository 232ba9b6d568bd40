// The command-line lookup only reads the settings store, and only the values no option replaces.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The account of an ordinary user with no rights of its own: nobody, nogroup.
constexpr uid_t kNadie = 65534;
constexpr gid_t kNingunGrupo = 65534;

std::string Leer(const fs::path& archivo) {
  std::ifstream entrada(archivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>()};
}

// Runs the tool as an ordinary user: as nobody when the tests run as root (who may write any
// file), as is otherwise. Its output goes through files in `salidas`, a folder anyone may write.
SalidaProceso EjecutarSinPrivilegios(const std::vector<std::string>& argumentos,
                                     const fs::path& salidas) {
  fs::create_directories(salidas);
  fs::permissions(salidas, fs::perms::all);
  const std::string salida = (salidas / "salida").string();
  const std::string errores = (salidas / "errores").string();
  std::vector<char*> argv{const_cast<char*>(kPrograma.c_str())};
  for (const std::string& a : argumentos)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const pid_t hijo = ::fork();
  if (hijo == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNingunGrupo) != 0 || ::setuid(kNadie) != 0)) {
      ::_exit(125);
    }
    const int fdSalida = ::open(salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int fdErrores = ::open(errores.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fdSalida < 0 || fdErrores < 0 || ::dup2(fdSalida, 1) < 0 || ::dup2(fdErrores, 2) < 0) {
      ::_exit(126);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  SalidaProceso r;
  int estado = 0;
  if (hijo < 0 || ::waitpid(hijo, &estado, 0) != hijo) return r;
  r.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  r.salida = Leer(salida);
  r.errores = Leer(errores);
  return r;
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
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

  CarpetaTemporal carpeta_;
};

TEST_P(LecturaDelAlmacen, BuscaSinEscribirNada) {
  const CasoAlmacen& caso = GetParam();
  const fs::path tervanik = carpeta_.Ruta("config/Tervanik");
  fs::create_directories(tervanik);
  const fs::path archivo = tervanik / "NodeList.conf";
  std::ofstream(archivo, std::ios::binary) << caso.contenido;
  // Everyone may reach the store and read it; with soloLectura only its owner may change it.
  for (const fs::path& p : {carpeta_.Ruta(), fs::path(carpeta_.Ruta("config")), tervanik}) {
    fs::permissions(p, caso.soloLectura ? fs::perms(0755) : fs::perms::all);
  }
  fs::permissions(archivo, caso.soloLectura ? fs::perms(0444) : fs::perms(0666));
  const auto antes = fs::last_write_time(archivo);

  std::vector<std::string> argumentos = caso.argumentos;
  argumentos.push_back("2:5020/52.10");
  const SalidaProceso r = EjecutarSinPrivilegios(argumentos, carpeta_.Ruta("salidas"));

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
