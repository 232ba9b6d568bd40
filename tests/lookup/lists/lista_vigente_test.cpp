// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/lista_vigente.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"
#include "tests/lookup/lists/lista_vigente_prueba.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// --- The date of a first line -----------------------------------------------------------------

using CasoFecha = casos::Fila<std::string, std::optional<FechaLista>>;

class FechaDeCabeceraTest : public testing::TestWithParam<CasoFecha> {};

TEST_P(FechaDeCabeceraTest, LeeLaFechaOSabeQueNoHay) {
  EXPECT_EQ(FechaDeCabecera(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FechaDeCabeceraTest,
    testing::Values(
        CasoFecha{"Nodelist1997",
                  ";A FidoNet Nodelist for Friday, January 3, 1997 -- Day number 003 : 02616",
                  FechaLista{1997, 1, 3}},
        CasoFecha{"PointlistMoscu",
                  ";A Moscow Pointlist for Friday, April 11, 2008 -- Day number 102 : 09219",
                  FechaLista{2008, 4, 11}},
        CasoFecha{"Forma1986", ";A Friday, October 3, 1986 -- Day number 276 : 20179",
                  FechaLista{1986, 10, 3}},
        CasoFecha{"MayoCorto", ";A FidoNet Nodelist for Friday, May 2, 2014 -- Day number 122",
                  FechaLista{2014, 5, 2}},
        CasoFecha{"Minusculas", ";a nodelist for friday, december 27, 1996",
                  FechaLista{1996, 12, 27}},
        CasoFecha{"Bisiesto", ";A Tuesday, February 29, 2000", FechaLista{2000, 2, 29}},
        CasoFecha{"TreintaYUnoDeFebrero", ";A Friday, February 31, 1997", std::nullopt},
        CasoFecha{"VeintinueveNoBisiesto", ";A Friday, February 29, 2100", std::nullopt},
        CasoFecha{"AnioCero", ";A Friday, January 3, 0000", std::nullopt},
        CasoFecha{"AnioDeCincoCifras", ";A Friday, January 3, 19970", std::nullopt},
        CasoFecha{"DiaCero", ";A Friday, January 0, 1997", std::nullopt},
        CasoFecha{"MesDentroDeOtraPalabra", ";A Mayday 3, 1997", std::nullopt},
        CasoFecha{"SinFecha", "Boss,2:4800/42", std::nullopt}, CasoFecha{"Vacia", "", std::nullopt},
        CasoFecha{"Binario", "\x00\xFF\x1BMarch\x00 4, 2001"s, std::nullopt},
        CasoFecha{"LaPrimeraFechaValida", ";A June 31, 2001 or July 1, 2001",
                  FechaLista{2001, 7, 1}}),
    casos::PorNombre());

// --- Names of weekly lists --------------------------------------------------------------------

struct CasoNombre {
  const char* nombre;
  const char* base;
  const char* archivo;
  bool semanal;
};

class EsListaSemanalTest : public testing::TestWithParam<CasoNombre> {};

TEST_P(EsListaSemanalTest, ReconoceElSufijoDeLaSemana) {
  EXPECT_EQ(EsListaSemanal(GetParam().base, GetParam().archivo), GetParam().semanal);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EsListaSemanalTest,
    testing::Values(CasoNombre{"TresCifras", "NODELIST", "NODELIST.003", true},
                    CasoNombre{"BaseEnMinusculas", "nodelist", "NODELIST.003", true},
                    CasoNombre{"ArchivoEnMinusculas", "NODELIST", "nodelist.362", true},
                    CasoNombre{"ArchivoZip", "NODELIST", "NODELIST.Z03", true},
                    CasoNombre{"ArchivoArc", "POINTS24", "POINTS24.a51", true},
                    CasoNombre{"Extension", "NODELIST", "NODELIST.ZIP", false},
                    CasoNombre{"CuatroCifras", "NODELIST", "NODELIST.0033", false},
                    CasoNombre{"DosCifras", "NODELIST", "NODELIST.03", false},
                    CasoNombre{"SinPunto", "NODELIST", "NODELISTX003", false},
                    CasoNombre{"OtraBase", "NODELIST", "NODEDIFF.003", false},
                    CasoNombre{"BaseMasLarga", "NODELIST", "XNODELIST.003", false},
                    CasoNombre{"BaseVacia", "", ".003", false}),
    casos::PorNombre());

// --- Choosing among the files of a folder -----------------------------------------------------

TEST_F(ListaVigenteTest, LaCabeceraDecideElCambioDeAnio) {
  SemanasDeFinDeAnio();
  for (const char* escrita : {"NODELIST", "nodelist", "NodeList", "NODELIST.*", "NODELIST.[0-9]*"})
    EXPECT_EQ(ListaVigente(carpeta.Ruta(escrita)), carpeta.Ruta("NODELIST.003")) << escrita;
}

TEST_F(ListaVigenteTest, UnArchivoExistenteEsElMismo) {
  SemanasDeFinDeAnio();
  EXPECT_EQ(ListaVigente(carpeta.Ruta("NODELIST.362")), carpeta.Ruta("NODELIST.362"));
  // A file named like a pattern is still a file.
  carpeta.Escribir("raro.*", kNodos);
  EXPECT_EQ(ListaVigente(carpeta.Ruta("raro.*")), carpeta.Ruta("raro.*"));
}

TEST_F(ListaVigenteTest, SinCandidatosNoHayLista) {
  SemanasDeFinDeAnio();
  carpeta.Escribir("NODELIST.ZIP", kNodos);
  carpeta.Escribir("NODEDIFF.003", kNodos);
  fs::create_directory(carpeta.Ruta("POINTS.001"));
  ASSERT_EQ(::mkfifo(carpeta.Ruta("POINTS.002").c_str(), 0600), 0);
  for (const std::string& escrita :
       {carpeta.Ruta("POINTS.*"), carpeta.Ruta("POINTS"), carpeta.Ruta("NODEDIFF.[a-z]*"),
        carpeta.Ruta("no-existe/NODELIST"), carpeta.Ruta("no-existe/*"), carpeta.Ruta("") + "/",
        ""s, "NODELIST\0.*"s})
    EXPECT_EQ(ListaVigente(escrita), "") << escrita;
}

TEST_F(ListaVigenteTest, SinFechaLegibleCuentaLaDelArchivo) {
  // Pointlists without a header line, and one whose header holds an impossible date.
  Fechar(carpeta.Escribir("R48PNT.001", "Boss,2:4800/42\r\n"), 2018, 1, 5);
  Fechar(carpeta.Escribir("R48PNT.008", "Boss,2:4800/42\r\n"), 2018, 1, 12);
  Fechar(carpeta.Escribir("R48PNT.015", ";A Friday, February 31, 2018\r\n"), 2018, 1, 10);
  EXPECT_EQ(Nombre(ListaVigente(carpeta.Ruta("R48PNT"))), "R48PNT.008");
  // A dated list beats a file touched later than the date it names only by its own date.
  Fechar(carpeta.Escribir("R48PNT.022", ";A Friday, January 19, 2018\r\n"), 2017, 1, 1);
  EXPECT_EQ(Nombre(ListaVigente(carpeta.Ruta("R48PNT"))), "R48PNT.022");
}

TEST_F(ListaVigenteTest, ElMismoDiaGanaElNombreMayor) {
  // The packed and the unpacked list of one week.
  carpeta.Escribir("NODELIST.003", kSemana003);
  carpeta.Escribir("NODELIST.Z03", kSemana003);
  EXPECT_EQ(Nombre(ListaVigente(carpeta.Ruta("NODELIST"))), "NODELIST.Z03");
}

TEST_F(ListaVigenteTest, NombresConBlancosCorchetesYBytesSueltos) {
  const std::string sub = "fido [old] \xE9t\xE9";
  fs::create_directory(carpeta.Ruta(sub));
  const std::string base = carpeta.Ruta(sub) + "/Mi Lista";
  Fechar(carpeta.Escribir(sub + "/Mi Lista.362", kSemana362), 2021, 1, 1);
  Fechar(carpeta.Escribir(sub + "/mi lista.003", kSemana003), 2020, 1, 1);
  EXPECT_EQ(ListaVigente(base), carpeta.Ruta(sub) + "/mi lista.003");
  EXPECT_EQ(ListaVigente(carpeta.Ruta(sub) + "/Mi Lista.36[0-9]"), base + ".362");
  // An unmatched bracket is an ordinary character.
  carpeta.Escribir(sub + "/[x\xFF.001", kSemana362);
  EXPECT_EQ(ListaVigente(carpeta.Ruta(sub) + "/[x\xFF.00?"), carpeta.Ruta(sub) + "/[x\xFF.001");
}

TEST_F(ListaVigenteTest, TildeEsLaCarpetaPersonal) {
  SemanasDeFinDeAnio();
  const char* antes = std::getenv("HOME");
  const std::string guardado = antes != nullptr ? antes : "";
  ASSERT_EQ(::setenv("HOME", carpeta.Ruta().c_str(), 1), 0);
  const std::string base = ListaVigente("~/nodelist");
  const std::string patron = ListaVigente("~/NODELIST.3*");
  const std::string archivo = ListaVigente("~/NODELIST.362");
  if (antes != nullptr) ::setenv("HOME", guardado.c_str(), 1);
  EXPECT_EQ(base, carpeta.Ruta("NODELIST.003"));
  EXPECT_EQ(patron, carpeta.Ruta("NODELIST.362"));
  EXPECT_EQ(archivo, carpeta.Ruta("NODELIST.362"));
}

TEST_F(ListaVigenteTest, UnaCarpetaDeDiezMilArchivos) {
  // 1,000 weekly lists among 9,000 other files; the newest by header has the smallest name.
  for (int i = 0; i < 9000; ++i)
    std::ofstream(carpeta.Ruta("msg" + std::to_string(i) + ".pkt"));
  for (int i = 0; i < 1000; ++i) {
    char nombre[16];
    std::snprintf(nombre, sizeof nombre, "NODELIST.%c%02d", 'A' + i / 100, i % 100);
    carpeta.Escribir(nombre, ";A FidoNet Nodelist for Friday, January 3, 1997\r\n");
  }
  carpeta.Escribir("NODELIST.000", ";A FidoNet Nodelist for Friday, January 10, 1997\r\n");
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_EQ(Nombre(ListaVigente(carpeta.Ruta("NODELIST"))), "NODELIST.000");
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));
}

}  // namespace
