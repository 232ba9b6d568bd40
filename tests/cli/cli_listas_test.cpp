// SPDX-License-Identifier: GPL-3.0-or-later
// The lists as users keep them, through the command line: a base name or a pattern finds the
// newest list, and --json names the files each search read.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/proceso.h"
#include "tests/comun/archivos.h"

namespace {

using Opciones = std::vector<std::string>;

// NODELIST.362 (27 December 1996) and NODELIST.003 (3 January 1997), the later one older on disk.
class CliListasTest : public testing::Test {
 protected:
  void SetUp() override {
    Fechar(carpeta.Escribir("NODELIST.362", LeerArchivo(TEST_DATA_DIR "/listas/nodelist.362")),
           1622000000);
    Fechar(carpeta.Escribir("NODELIST.003", LeerArchivo(TEST_DATA_DIR "/listas/nodelist.003")),
           1590000000);
  }

  SalidaProceso Buscar(const std::string& nodelist, bool json = true) {
    return Ejecutar(nodelist, kPointlist,
                    json ? Opciones{"--json", "1:1/120"} : Opciones{"1:1/120"});
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

TEST_F(CliListasTest, BuscarYCompletoTambienLeenLaListaMasNueva) {
  SalidaProceso r =
      Ejecutar(carpeta.Ruta("nodelist"), kPointlist, {"--json", "--buscar", "RemoteAccess"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(nlohmann::json::parse(r.salida)["nodo"]["sysop"], "Mark Lewis");

  r = Ejecutar(carpeta.Ruta("nodelist"), kPointlist, {"--json", "--completo", "1:1/120"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objeto = nlohmann::json::parse(r.salida);
  EXPECT_EQ(objeto["nodo"]["sysop"], "Mark Lewis");
  EXPECT_EQ(objeto["archivos"]["nodelist"], carpeta.Ruta("NODELIST.003"));
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
  EXPECT_EQ(Buscar(carpeta.Ruta("NODELIST.9*")),
            (SalidaProceso{"", "No se encuentra el archivo de NodeList\n", 1}));
}

TEST_F(CliListasTest, LosNombresNoUtf8SeMuestranDecodificados) {
  const std::string nombre =
      carpeta.Escribir("lista\xE9.001", LeerArchivo(carpeta.Ruta("NODELIST.003")));
  const SalidaProceso r = Buscar(carpeta.Ruta("lista\xE9"));
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"],
            carpeta.Ruta("lista\xC3\xA9.001"));
}

// --- Lists inside archives ---------------------------------------------------------------------

std::string Datos(const std::string& nombre) {
  return TEST_DATA_DIR "/" + nombre;
}

SalidaProceso Ejecutar(const std::string& nodelist, const std::string& pointlist,
                       const std::string& direccion, bool json = true) {
  return ::Ejecutar(nodelist, pointlist,
                    json ? Opciones{"--json", direccion} : Opciones{direccion});
}

// The same search on an archive and on its list unpacked: the same output, but for the names.
void ComoSinEmpaquetar(const std::vector<std::string>& empaquetadas,
                       const std::vector<std::string>& planas, const std::string& direccion,
                       const std::string& nombreNodelist, const std::string& nombrePointlist) {
  const SalidaProceso texto = Ejecutar(empaquetadas[0], empaquetadas[1], direccion, false);
  const SalidaProceso textoPlano = Ejecutar(planas[0], planas[1], direccion, false);
  ASSERT_EQ(texto.codigo, 0) << texto.errores;
  EXPECT_EQ(texto.salida, textoPlano.salida);
  EXPECT_NE(texto.salida.find("BBS: "), std::string::npos);

  auto json = nlohmann::json::parse(Ejecutar(empaquetadas[0], empaquetadas[1], direccion).salida);
  auto jsonPlano = nlohmann::json::parse(Ejecutar(planas[0], planas[1], direccion).salida);
  EXPECT_EQ(json["archivos"],
            (nlohmann::json{{"nodelist", nombreNodelist}, {"pointlist", nombrePointlist}}));
  json.erase("archivos");
  jsonPlano.erase("archivos");
  EXPECT_EQ(json, jsonPlano);
}

TEST(CliArchivos, LaNodelistDeDistribucionYLaPointlistDeMoscuEn7Zip) {
  const std::string zip = Datos("listas/NODELIST.Z22");
  const std::string sieteZip = Datos("listas/pnt5020.7z");
  // The unpacked excerpt keeps zones 3 and 4; the Moscow point is on the 7-Zip's last section.
  ComoSinEmpaquetar({zip, sieteZip}, {Datos("real/NODELIST.122"), Datos("real/pnt5020.ndl")},
                    "4:904/13", zip + ":NODELIST.122", sieteZip + ":pnt5020.ndl");
  // Zone 2 is left out of the excerpt: the 7-Zip is compared with the same nodelist.
  ComoSinEmpaquetar({Datos("real/NODELIST.122"), sieteZip},
                    {Datos("real/NODELIST.122"), Datos("real/pnt5020.ndl")}, "2:5020/8086.10",
                    Datos("real/NODELIST.122"), sieteZip + ":pnt5020.ndl");
  const auto objeto = nlohmann::json::parse(Ejecutar(zip, sieteZip, "2:5020/8086.10").salida);
  EXPECT_EQ(objeto["nodo"]["bbs"], "Z80 Station");
  EXPECT_EQ(objeto["punto"]["nombre"], "Sasha Igin");
}

TEST(CliArchivos, UnZipConFileIdDizJuntoALaLista) {
  const CarpetaTemporal carpeta;
  const std::string zip = carpeta.Escribir("NODELIST.Z22", LeerArchivo(Datos("listas/diz.zip")));
  ComoSinEmpaquetar({zip, kPointlist}, {Datos("real/NODELIST.122"), kPointlist}, "3:640/305",
                    zip + ":NODELIST.122", kPointlist);
}

TEST_F(CliListasTest, ElNombreBaseEligeElZipDe2014) {
  carpeta.Escribir("NODELIST.Z22", LeerArchivo(Datos("listas/NODELIST.Z22")));
  const SalidaProceso r = Buscar(carpeta.Ruta("NODELIST"));
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(nlohmann::json::parse(r.salida)["archivos"]["nodelist"],
            carpeta.Ruta("NODELIST.Z22") + ":NODELIST.122");
}

TEST(CliArchivos, UnZipCortadoTerminaConEstado2YSuMensaje) {
  const CarpetaTemporal carpeta;
  const std::string zip =
      carpeta.Escribir("NODELIST.Z22", LeerArchivo(Datos("listas/NODELIST.Z22")).substr(0, 45000));
  EXPECT_EQ(Ejecutar(zip, kPointlist, "4:904/13"),
            (SalidaProceso{"", "Archive is truncated\n", 2}));
}

// An instrumented build keeps its own books on every allocation: no memory figure holds there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kConAsan = true;
#elif defined(__has_feature)
constexpr bool kConAsan = __has_feature(address_sanitizer);
#else
constexpr bool kConAsan = false;
#endif

TEST(CliArchivos, UnSieteZipQueDeclaraMillonesDeMiembrosTerminaEnSuError) {
  // Headers of a few bytes that declare tens of millions of members, streams or attributes:
  // libarchive sizes its tables by them. The search ends on the archive's error, in little memory.
  // The last two claim to run past the file's end.
  const std::pair<const char*, const char*> casos[] = {
      {"oom-5e8b4717c7425be7abc7c3c869ecc0b935eae32d", "Archive is damaged\n"},
      {"7z-cien-millones-vacios", "Archive is damaged\n"},
      {"7z-cien-millones-atributos", "Archive is damaged\n"},
      {"7z-cien-millones-subflujos", "Archive is damaged\n"},
      {"timeout-bc94cb5488e64a5dbb355e30808c93f69d42757b", "Archive is damaged\n"},
      {"timeout-0d98261d07f2a5106d8d374c4fc6a50df98fa019", "Archive is truncated\n"},
      {"timeout-0662ed33e7eb4aff3df318e48bd1912dd71793d8", "Archive is truncated\n"}};
  for (const auto& [nombre, mensaje] : casos) {
    const SalidaProceso r =
        Ejecutar(SAMPLES_DIR "/NODELIST.345", Datos("fuzz/regresion/archivo/") + nombre,
                 "2:5020/52.10", false);
    EXPECT_EQ(r.codigo, 2) << nombre;
    EXPECT_EQ(r.errores, mensaje) << nombre;
    EXPECT_EQ(r.salida, "") << nombre;
    rusage uso{};
    ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &uso), 0);
    // The largest child so far; a search on the sample lists peaks near 10 MB.
    if (!kConAsan) {
      EXPECT_LT(uso.ru_maxrss, 64 * 1024) << nombre;
    }
  }
}

}  // namespace
