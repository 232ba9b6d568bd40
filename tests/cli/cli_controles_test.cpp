// SPDX-License-Identifier: GPL-3.0-or-later
// A list's control bytes never reach the terminal through plain output; JSON keeps its escapes.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/cli/proceso.h"
#include "tests/comun/casos.h"

namespace {

// A list's ESC sequences (colour, screen clear, a new terminal title) and BEL in every field.
constexpr const char* kNodelist =
    "Zone,2,Europe,Brussels,Coord,32-1,9600\r\n"
    "Host,5020,Moscow_Net,Moscow,Host_Sysop,7-095-1,9600\r\n"
    "Hub,52,Evil\x1B]0;owned\x07,Moscow\x1B[2J,Ivan\x1B[31m,7-095,9600,IBN:bbs\x07.example\r\n";
constexpr const char* kPointlist = "Boss,2:5020/52\r\n,1,Home\x7F,City\xC2\x9B,Name\x1B,1,9600\r\n";

// Only the line ends and tabs the tool writes itself are controls in its output.
bool SinControlesCrudos(const std::string& salida) {
  for (std::size_t i = 0; i < salida.size(); ++i) {
    const auto b = static_cast<unsigned char>(salida[i]);
    if ((b < 0x20 && b != '\n' && b != '\t') || b == 0x7F) return false;
    if (b == 0xC2 && i + 1 < salida.size() && static_cast<unsigned char>(salida[i + 1]) <= 0x9F)
      return false;
  }
  return true;
}

struct CasoSalida {
  const char* nombre;
  std::vector<std::string> argumentos;
  std::string muestra;  // part of what is written
};

using casos::PrintTo;

class CliControles : public testing::TestWithParam<CasoSalida> {
 protected:
  CarpetaTemporal carpeta;
  const std::string nodos = carpeta.Escribir("NODELIST", kNodelist);
  const std::string puntos = carpeta.Escribir("POINTS", kPointlist);
};

TEST_P(CliControles, SalidaSinControlesCrudos) {
  const SalidaProceso r = Ejecutar(nodos, puntos, GetParam().argumentos);
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_NE(r.salida.find(GetParam().muestra), std::string::npos) << r.salida;
  if (GetParam().argumentos.front() != "--json") {
    EXPECT_TRUE(SinControlesCrudos(r.salida)) << r.salida;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formas, CliControles,
    testing::Values(
        CasoSalida{
            "Direccion", {"2:5020/52.1"}, "BBS: Evil\\x1b]0;owned\\x07\nSysop: Ivan\\x1b[31m"},
        CasoSalida{"Nombre", {"--buscar", "ivan"}, "\tCiudad: Moscow\\x1b[2J\n"},
        CasoSalida{"Completo", {"--completo", "2:5020/52.1"}, "Flags: IBN:bbs\\x07.example\n"},
        // JSON readers are no terminal: the escapes stay JSON's own.
        CasoSalida{"Json", {"--json", "2:5020/52.1"}, "\"bbs\":\"Evil\\u001b]0;owned\\u0007\""}),
    casos::PorNombre());

// A refused diff is named on stderr, path and member, as plain text.
TEST(CliControlesAviso, NombreDeUnDiffSinControles) {
  const CarpetaTemporal carpeta;
  const std::filesystem::path carpetaRara = carpeta.Ruta() / "red\x1B[8m";
  std::filesystem::create_directory(carpetaRara);
  const std::string cabecera = ";A Lista : 12345";
  carpeta.Escribir("red\x1B[8m/NODELIST.001", cabecera + "\r\nZone,2,E,B,C,1,9600\r\n");
  carpeta.Escribir("red\x1B[8m/NODEDIFF.002", cabecera + "\r\nX1\r\n");
  const std::string puntos = carpeta.Escribir("POINTS", "Boss,2:1/1\r\n");
  const SalidaProceso r = Ejecutar((carpetaRara / "NODELIST").string(), puntos, {"2:2/0"});
  EXPECT_EQ(r.codigo, 0);
  EXPECT_NE(r.errores.find("No se aplica "), std::string::npos) << r.errores;
  EXPECT_NE(r.errores.find("red\\x1b[8m/NODEDIFF.002"), std::string::npos) << r.errores;
  EXPECT_TRUE(SinControlesCrudos(r.errores)) << r.errores;
}

}  // namespace
