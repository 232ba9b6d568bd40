// SPDX-License-Identifier: GPL-3.0-or-later
// Whole searches over lists as they lie on disk: packed in archives, damaged, chosen among the
// weekly files of a folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/lista_vigente.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"
#include "tests/lookup/entries/error_de.h"
#include "tests/lookup/entries/lista_prueba.h"
#include "tests/lookup/lists/archivo_prueba.h"
#include "tests/lookup/lists/lista_vigente_prueba.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

using namespace std::string_literals;

// --- Every format reads exactly as the unpacked list ------------------------------------------

TEST_P(FormatoTest, LaBusquedaHallaElUltimoPunto) {
  const std::string ruta = Datos("listas/"s + GetParam().archivo);
  const auto r = BuscarSinAvisos(Datos("real/NODELIST.122"), ruta, "2:5020/113.752");
  EXPECT_EQ(r.punto, (DatosPunto{"Stas Konev", "No BBS", "Moscow", "-Unpublished-"}));
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, FormatoTest, kFormatos, casos::PorNombre());

TEST(ArchivoRealTest, LaNodelistDeDistribucionSeLeeComoLaDescomprimida) {
  // The excerpt in tests/data/real keeps the header and zones 3 and 4 of the same list.
  const auto zip = LineasLeidas(Datos("listas/NODELIST.Z22"));
  const auto extracto = LineasLeidas(Datos("real/NODELIST.122")).first;
  EXPECT_EQ(zip.second, Datos("listas/NODELIST.Z22") + ":NODELIST.122");
  ASSERT_GT(zip.first.size(), extracto.size());
  EXPECT_EQ(std::vector<std::string>(zip.first.begin(), zip.first.begin() + 3),
            std::vector<std::string>(extracto.begin(), extracto.begin() + 3));
  EXPECT_EQ(std::vector<std::string>(zip.first.end() - 50, zip.first.end()),
            std::vector<std::string>(extracto.end() - 50, extracto.end()));
  for (const char* direccion : {"3:640/305", "4:904/13", "3:640/0", "4:904/999"}) {
    const auto enZip =
        BuscarSinAvisos(Datos("listas/NODELIST.Z22"), Datos("real/R48PNT"), direccion);
    const auto enTexto =
        BuscarSinAvisos(Datos("real/NODELIST.122"), Datos("real/R48PNT"), direccion);
    EXPECT_EQ(enZip.nodo, enTexto.nodo) << direccion;
  }
}

TEST(ArchivoVigenteTest, ElZipDe2014GanaAUnaListaDe1997) {
  const CarpetaTemporal carpeta;
  carpeta.Escribir("NODELIST.Z22", LeerArchivo(Datos("listas/NODELIST.Z22")));
  carpeta.Escribir("NODELIST.003", LeerArchivo(Datos("listas/nodelist.003")));
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), carpeta.Ruta("NODELIST.Z22"));
  const auto r = BuscarSinAvisos(carpeta.Ruta("nodelist"), Datos("real/R48PNT"), "4:904/13");
  EXPECT_EQ(r.nodo.bbs, "X/Change BBS");
  EXPECT_EQ(r.archivos.nodelist, carpeta.Ruta("NODELIST.Z22") + ":NODELIST.122");
}

TEST(ArchivoVigenteTest, UnArcNuncaTapaLaListaDesempaquetadaASuLado) {
  const CarpetaTemporal carpeta;
  const std::string arc =
      carpeta.Escribir("NODELIST.A03", "\x1A\x08NODELIST.003\x00"s + std::string(64, 'x'));
  const std::string lista =
      carpeta.Escribir("NODELIST.003", LeerArchivo(Datos("listas/nodelist.003")));
  // Downloaded later than the list was written, and named later on the same day.
  Fechar(arc, 1622000000);
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), lista);
  std::filesystem::remove(lista);
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST")), arc);
  EXPECT_EQ(
      ErrorDe([&] { (void)BuscarSinAvisos(carpeta.Ruta("NODELIST"), arc, "1:1/120"); }).second,
      "ARC archives are not supported");
}

// --- Archives that cannot be read -------------------------------------------------------------

struct CasoRoto {
  const char* nombre;
  std::string bytes;
  std::int32_t codigo;
  const char* mensaje;
};

std::string Cortado(const std::string& archivo, std::size_t largo) {
  return LeerArchivo(Datos("listas/" + archivo)).substr(0, largo);
}

std::string ConByteCambiado(const std::string& archivo, std::size_t posicion) {
  std::string bytes = LeerArchivo(Datos("listas/" + archivo));
  bytes[posicion] = static_cast<char>(bytes[posicion] ^ 0x55);
  return bytes;
}

std::string Hallazgo(const std::string& nombre) {
  return LeerArchivo(Datos("fuzz/regresion/archivo/" + nombre));
}

class ArchivoRotoTest : public testing::TestWithParam<CasoRoto> {};

TEST_P(ArchivoRotoTest, FallaConSuMensajeYNoDejaNadaAbierto) {
  const CarpetaTemporal carpeta;
  const std::string ruta = carpeta.Escribir("PNT5020.Z13", GetParam().bytes);
  const auto error =
      ErrorDe([&] { (void)BuscarSinAvisos(Datos("real/NODELIST.122"), ruta, "2:5020/113.9999"); });
  EXPECT_EQ(error.first, GetParam().codigo);
  EXPECT_EQ(error.second, GetParam().mensaje);
  EXPECT_EQ(MensajeError(GetParam().codigo), GetParam().mensaje);
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
  EXPECT_EQ(resultadoES, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ArchivoRotoTest,
    testing::Values(
        CasoRoto{"ZipCortado", Cortado("NODELIST.Z22", 45000), 120, "Archive is truncated"},
        CasoRoto{"ZipSinFinal", Cortado("pnt5020-113.zip", 4000), 120, "Archive is truncated"},
        CasoRoto{"SieteZipCortado", Cortado("pnt5020-113.7z", 2000), 120, "Archive is truncated"},
        CasoRoto{"GzipCortado", Cortado("pnt5020-113.gz", 3000), 120, "Archive is truncated"},
        CasoRoto{"RarCortado", Cortado("pnt5020-113.rar", 5000), 120, "Archive is truncated"},
        CasoRoto{"ZipConCrcMalo", ConByteCambiado("pnt5020-113.zip", 2000), 121,
                 "Archive is damaged"},
        CasoRoto{"LhaConCrcMalo", ConByteCambiado("pnt5020-113.lzh", 4000), 121,
                 "Archive is damaged"},
        CasoRoto{"SieteZipConCabeceraCambiada", ConByteCambiado("pnt5020-113.7z", 4040), 121,
                 "Archive is damaged"},
        // A header that declares more members than a list archive holds, and the most it may.
        CasoRoto{"SieteZip65537Miembros", Hallazgo("7z-65537-vacios"), 121, "Archive is damaged"},
        CasoRoto{"SieteZip65536CarpetasVacias", Hallazgo("7z-65536-vacios"), 123,
                 "Archive holds no list"},
        // Ten folders under a header packed as 7-Zip never packs one, then under an encrypted one.
        CasoRoto{"SieteZipConCabeceraDeflate", Hallazgo("7z-cabecera-deflate"), 121,
                 "Archive is damaged"},
        CasoRoto{"SieteZipConCabeceraCifrada", Hallazgo("7z-cabecera-cifrada"), 122,
                 "Archive member is encrypted"},
        CasoRoto{"ZipCifrado", LeerArchivo(Datos("listas/cifrado.zip")), 122,
                 "Archive member is encrypted"},
        CasoRoto{"SoloCarpetaYVacio", LeerArchivo(Datos("listas/sin-lista.zip")), 123,
                 "Archive holds no list"},
        CasoRoto{"ZipSinMiembros", "PK\x05\x06"s + std::string(18, '\0'), 123,
                 "Archive holds no list"},
        CasoRoto{"Arc", "\x1A\x08PNT5020.113\x00\x00\x10\x00\x00\x00"s + std::string(64, 'x'), 124,
                 "ARC archives are not supported"},
        CasoRoto{"Arj", "\x60\xEA\x2A\x00"s + std::string(64, '\0'), 125,
                 "ARJ archives are not supported"}),
    casos::PorNombre());

// --- Through the whole search -----------------------------------------------------------------

TEST_F(ListaVigenteTest, LaBusquedaLeeLaListaElegidaYLaNombra) {
  SemanasDeFinDeAnio();
  const std::string puntos = carpeta.Escribir("POINTS.345", kPuntos);
  std::vector<std::string> mensajes;
  const auto informar = [&](const std::string& m) { mensajes.push_back(m); };
  const auto r =
      EjecutarBusqueda(carpeta.Ruta("nodelist"), carpeta.Ruta("POINTS"), "1:1/120", informar);
  ASSERT_TRUE(r.ejecutada);
  EXPECT_EQ(r.nodo.sysop, "Mark Lewis");  // 1:1/120 changed hands that week
  EXPECT_EQ(r.archivos.nodelist, carpeta.Ruta("NODELIST.003"));
  EXPECT_EQ(r.archivos.pointlist, puntos);

  const auto literal = EjecutarBusqueda(carpeta.Ruta("NODELIST.362"), puntos, "1:1/120", informar);
  EXPECT_EQ(literal.nodo.sysop, "Bruce Bodger");
  EXPECT_EQ(literal.archivos.nodelist, carpeta.Ruta("NODELIST.362"));

  EXPECT_FALSE(
      EjecutarBusqueda(carpeta.Ruta("NODELIST.9*"), carpeta.Ruta("POINTS.9*"), "1:1/120", informar)
          .ejecutada);
  EXPECT_EQ(mensajes, (std::vector<std::string>{kFaltaNodelist, kFaltaPointlist}));
  EXPECT_EQ(resultadoES, 0);
}

}  // namespace
