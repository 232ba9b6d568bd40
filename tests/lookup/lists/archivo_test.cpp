// SPDX-License-Identifier: GPL-3.0-or-later
// Lists read straight from the archives they travel in (tests/data/listas, see SOURCES.txt).

#include "lookup/lists/archivo.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/lista_vigente.h"
#include "tests/comun/archivos.h"
#include "tests/comun/casos.h"
#include "tests/lookup/error_de.h"
#include "tests/lookup/lista_prueba.h"

namespace {

using namespace std::string_literals;

std::string Datos(const std::string& nombre) {
  return TEST_DATA_DIR "/" + nombre;
}

// Every line as the lookups read them, and the name the reader gives what it read.
std::pair<std::vector<std::string>, std::string> Lineas(const std::string& ruta) {
  return ConLista(ruta, [](LectorLista& lector) {
    auto lineas = LeerTodo(lector);
    return std::make_pair(lineas, lector.Nombre());
  });
}

// --- What the first bytes say -----------------------------------------------------------------

using CasoEmpaque = casos::Fila<std::string, Empaque>;

class EmpaqueDeTest : public testing::TestWithParam<CasoEmpaque> {};

TEST_P(EmpaqueDeTest, ReconoceElEmpaquePorSusBytes) {
  EXPECT_EQ(EmpaqueDe(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EmpaqueDeTest,
    testing::Values(CasoEmpaque{"Zip", "PK\x03\x04\x14\x00"s, Empaque::kZip},
                    CasoEmpaque{"ZipVacio", "PK\x05\x06"s + std::string(18, '\0'), Empaque::kZip},
                    CasoEmpaque{"SieteZip", "7z\xBC\xAF\x27\x1C\x00\x04"s, Empaque::kSieteZip},
                    CasoEmpaque{"Rar4", "Rar!\x1A\x07\x00"s, Empaque::kRar},
                    CasoEmpaque{"Rar5", "Rar!\x1A\x07\x01\x00"s, Empaque::kRar},
                    CasoEmpaque{"Lha", "\x24\x5C-lh5-\x10\x00"s, Empaque::kLha},
                    CasoEmpaque{"LhaLz", "\x24\x5C-lzs-"s, Empaque::kLha},
                    CasoEmpaque{"Gzip", "\x1F\x8B\x08\x00"s, Empaque::kGzip},
                    CasoEmpaque{"Bzip2", "BZh91AY&SY", Empaque::kBzip2},
                    CasoEmpaque{"Arc", "\x1A\x08NODELIST.003\x00\x10\x00\x00\x00"s, Empaque::kArc},
                    CasoEmpaque{"Arj", "\x60\xEA\x2A\x00"s, Empaque::kArj},
                    CasoEmpaque{"Nodelist", ";A FidoNet Nodelist for Friday, May 2, 2014",
                                Empaque::kNinguno},
                    CasoEmpaque{"Pointlist", "Boss,2:4800/42\r\n", Empaque::kNinguno},
                    CasoEmpaque{"ListaVaciaDeDos", "\x1A\x01"s, Empaque::kNinguno},
                    CasoEmpaque{"FinDeDatosYTexto", "\x1A\x02;A FidoNet Nodelist for Friday"s,
                                Empaque::kNinguno},
                    CasoEmpaque{"BZhSinCifra", "BZhx list", Empaque::kNinguno},
                    CasoEmpaque{"SoloPK", "PK", Empaque::kNinguno},
                    CasoEmpaque{"Vacio", "", Empaque::kNinguno}),
    casos::PorNombre());

// --- Every format reads exactly as the unpacked list ------------------------------------------

struct CasoFormato {
  const char* nombre;
  const char* archivo;
  const char* miembro;  // empty: a lone compressed file, named by its own path
};

class FormatoTest : public testing::TestWithParam<CasoFormato> {};

TEST_P(FormatoTest, LasLineasSonLasDeLaListaSinEmpaquetar) {
  const auto plano = Lineas(Datos("real/pnt5020-113.ndl"));
  const std::string ruta = Datos("listas/"s + GetParam().archivo);
  const auto empaquetado = Lineas(ruta);
  EXPECT_EQ(empaquetado.first, plano.first);
  const std::string miembro = GetParam().miembro;
  EXPECT_EQ(empaquetado.second, miembro.empty() ? ruta : ruta + ":" + miembro);
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
}

TEST_P(FormatoTest, LaBusquedaHallaElUltimoPunto) {
  const std::string ruta = Datos("listas/"s + GetParam().archivo);
  const auto r = BuscarSinAvisos(Datos("real/NODELIST.122"), ruta, "2:5020/113.752");
  EXPECT_EQ(r.punto, (DatosPunto{"Stas Konev", "No BBS", "Moscow", "-Unpublished-"}));
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, FormatoTest,
                         testing::Values(CasoFormato{"Zip", "pnt5020-113.zip", "PNT5020.113"},
                                         CasoFormato{"SieteZip", "pnt5020-113.7z", "PNT5020.113"},
                                         CasoFormato{"SieteZipConCabeceraLzma",
                                                     "pnt5020-113-lzma.7z", "PNT5020.113"},
                                         CasoFormato{"Rar", "pnt5020-113.rar", "PNT5020.113"},
                                         CasoFormato{"Lha", "pnt5020-113.lzh", "PNT5020.113"},
                                         CasoFormato{"Gzip", "pnt5020-113.gz", ""},
                                         CasoFormato{"Bzip2", "pnt5020-113.bz2", ""}),
                         casos::PorNombre());

TEST(ArchivoRealTest, ElSieteZipDeLaPointlistDeMoscuEsLaLista) {
  EXPECT_EQ(Lineas(Datos("listas/pnt5020.7z")).first, Lineas(Datos("real/pnt5020.ndl")).first);
}

TEST(ArchivoRealTest, LaNodelistDeDistribucionSeLeeComoLaDescomprimida) {
  // The excerpt in tests/data/real keeps the header and zones 3 and 4 of the same list.
  const auto zip = Lineas(Datos("listas/NODELIST.Z22"));
  const auto extracto = Lineas(Datos("real/NODELIST.122")).first;
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

// --- Which member is the list -----------------------------------------------------------------

struct CasoMiembro {
  const char* nombre;
  const char* archivo;
  const char* copiaComo;
  const char* miembro;
};

class MiembroTest : public testing::TestWithParam<CasoMiembro> {};

TEST_P(MiembroTest, EligeElMiembroDeLaLista) {
  const CarpetaTemporal carpeta;
  const std::string ruta =
      carpeta.Escribir(GetParam().copiaComo, LeerArchivo(Datos("listas/"s + GetParam().archivo)));
  EXPECT_EQ(Lineas(ruta).second, ruta + ":" + GetParam().miembro);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, MiembroTest,
    testing::Values(
        // FILE_ID.DIZ stands first in the archive.
        CasoMiembro{"ElDeSuNombreTrasFileIdDiz", "diz.zip", "NODELIST.Z22", "NODELIST.122"},
        CasoMiembro{"ElMayorSiNingunoSeLlamaAsi", "diz.zip", "semana.zip", "NODELIST.122"},
        // LEEME.TXT is the larger member.
        CasoMiembro{"ElNombreGanaAlTamano", "eleccion.zip", "PNT5020.Z13", "PNT5020.113"},
        CasoMiembro{"SinNombreGanaElMayor", "eleccion.zip", "eleccion.zip", "LEEME.TXT"},
        CasoMiembro{"ElUnicoMiembro", "pnt5020-113.zip", "lista.zip", "PNT5020.113"},
        CasoMiembro{"NombreEnMinusculas", "NODELIST.Z22", "nodelist.zip", "NODELIST.122"}),
    casos::PorNombre());

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

}  // namespace
