// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/pointlist.h"

#include <climits>

#include <gtest/gtest.h>

#include "tests/comun/casos.h"
#include "tests/lookup/entries/lista_prueba.h"

namespace {

// Node 120's section stands before node 12's, so a bare prefix test would take the wrong one.
const std::initializer_list<std::string_view> kPointlist{
    ";A Test Pointlist for Friday, December 11, 2026",
    "Boss,2:5020/120",
    ",1,OneTwenty_One,Moscow,Name_120_1,7-095-120,9600",
    "Boss,2:5020/12",
    ",1,Twelve_One,Moscow,Name_12_1,7-095-12,9600",
    ";",
    "Boss,2:5020/52",
    ",0,Point_Zero,Moscow,Name_Zero,7-095-000,9600",
    ",1,Nick_One,Moscow,Name_One,7-095-111,9600,XA",
    "Point,3,Nick_Three,Tver,Name_Three,7-082-333,9600",
    "Pvt,5,Nick_Five,Moscow,Name_Five,-Unpublished-,300",
    ";A comment between points",
    "Hold,7,Nick_Seven,Klin,Name_Seven,7-096-777,9600",
    "Down,9 ,Nick_Nine,Dubna,Name_Nine,7-096-999,9600",
    ",20,Nick_Twenty,Moscow,,7-095-020,9600",
    ",15,Unsorted_Fifteen,Moscow,Name_15,7-095-015,9600",
    ",40,Only_Nick",
    "Boss,2:5020/60,Extra_Field_After_Boss",
    ",1,Sixty_One,Moscow,Name_60_1,7-095-601,9600",
    "boss,2:5020/61",
    ",1,Lower_Case_Boss,Moscow,Nobody,7-095-611,9600",
    "Boss,1:261/1",
    ",3,Three_Of_261,Baltimore,Name_261_3,1-410-3,9600",
    ",30,Last_Of_File,Baltimore,Name_261_30,1-410-30,9600"};

struct CasoPunto {
  const char* nombre;
  const char* parteNodo;
  const char* partePunto;
  DatosPunto esperado;  // nombre, nick, ciudad, telefono
};

const DatosPunto kNada{};

class BuscarPuntoTest : public ::testing::TestWithParam<std::tuple<CasoPunto, const char*>> {};

TEST_P(BuscarPuntoTest, Encuentra) {
  const auto& [caso, fin] = GetParam();
  // The list's last point has no line end behind it: it must be found all the same.
  std::string texto = Unir(kPointlist, fin);
  texto.resize(texto.size() - std::string_view(fin).size());
  ListaAbierta lista(texto);
  EXPECT_EQ(BuscarPunto(lista.lector, caso.parteNodo, caso.partePunto), caso.esperado)
      << caso.parteNodo << "." << caso.partePunto;
}

const DatosPunto kUno{"Name One", "Nick One", "Moscow", "7-095-111"};
const DatosPunto kVeinte{"", "Nick Twenty", "Moscow", "7-095-020"};

INSTANTIATE_TEST_SUITE_P(
    Casos, BuscarPuntoTest,
    ::testing::Combine(
        ::testing::Values(
            CasoPunto{"SinClave", "2:5020/52", "1", kUno},
            CasoPunto{
                "ClavePoint", "2:5020/52", "3", {"Name Three", "Nick Three", "Tver", "7-082-333"}},
            CasoPunto{"ClavePvt",
                      "2:5020/52",
                      "5",
                      {"Name Five", "Nick Five", "Moscow", "-Unpublished-"}},
            CasoPunto{
                "ClaveHold", "2:5020/52", "7", {"Name Seven", "Nick Seven", "Klin", "7-096-777"}},
            CasoPunto{"NumeroConBlancos",
                      "2:5020/52",
                      "9",
                      {"Name Nine", "Nick Nine", "Dubna", "7-096-999"}},
            CasoPunto{"CampoVacio", "2:5020/52", "20", kVeinte},
            CasoPunto{"CampoHastaFinDeLinea", "2:5020/52", "40", {"", "Only Nick", "", ""}},
            CasoPunto{"SinPunto", "2:5020/52", "0", kNada},
            // Point 0 is the node itself, never a point entry, however it is typed.
            CasoPunto{"DobleCero", "2:5020/52", "00", kNada},
            CasoPunto{"Ausente", "2:5020/52", "2", kNada},
            CasoPunto{"SeccionDesordenada",
                      "2:5020/52",
                      "15",
                      {"Name 15", "Unsorted Fifteen", "Moscow", "7-095-015"}},
            CasoPunto{"MasAllaDelUltimo", "2:5020/52", "41", kNada},
            // 65541 and 65536 share their low 16 bits with 5 and 0.
            CasoPunto{"NoSoloLos16BitsBajos", "2:5020/52", "65541", kNada},
            CasoPunto{"NoSoloLos16BitsBajosCero", "2:5020/52", "65536", kNada},
            CasoPunto{"Negativo", "2:5020/52", "-1", kNada},
            CasoPunto{"LetrasDetras", "2:5020/52", "1abc", kUno},
            CasoPunto{"BlancosDelante", "2:5020/52", "  1", kUno},
            CasoPunto{"HexDolar", "2:5020/52", "$14", kVeinte},
            CasoPunto{"Hex0x", "2:5020/52", "0x14", kVeinte},
            CasoPunto{"HexX", "2:5020/52", "X14", kVeinte},
            CasoPunto{
                "NodoCorto", "2:5020/12", "1", {"Name 12 1", "Twelve One", "Moscow", "7-095-12"}},
            CasoPunto{"NodoLargo",
                      "2:5020/120",
                      "1",
                      {"Name 120 1", "OneTwenty One", "Moscow", "7-095-120"}},
            CasoPunto{"CabeceraConMasCampos",
                      "2:5020/60",
                      "1",
                      {"Name 60 1", "Sixty One", "Moscow", "7-095-601"}},
            CasoPunto{"BossEnMinusculas",
                      "2:5020/61",
                      "1",
                      {"Nobody", "Lower Case Boss", "Moscow", "7-095-611"}},
            CasoPunto{"SeccionFinalNoUltimo",
                      "1:261/1",
                      "3",
                      {"Name 261 3", "Three Of 261", "Baltimore", "1-410-3"}},
            CasoPunto{"UltimaLineaDelArchivo",
                      "1:261/1",
                      "30",
                      {"Name 261 30", "Last Of File", "Baltimore", "1-410-30"}},
            CasoPunto{"PasadoElUltimoDelArchivo", "1:261/1", "31", kNada},
            CasoPunto{"SinZona", "5020/52", "1", kUno},
            CasoPunto{"BlancoDelante", " 2:5020/52", "1", kNada},
            CasoPunto{"NodoInexistente", "2:5020/53", "1", kNada},
            CasoPunto{"NodoVacio", "", "1", kNada}),
        ::testing::Values("\r\n", "\n")),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).nombre) +
             (std::string(std::get<1>(info.param)) == "\n" ? "_Lf" : "_CrLf");
    });

TEST(BuscarPuntoBordes, BossEnLaUltimaLinea) {
  ListaAbierta lista(",1,X,Y,Z,W\r\nBoss,2:1/1\r\n\x1A");
  EXPECT_EQ(BuscarPunto(lista.lector, "2:1/1", "1"), kNada);
}

TEST(BuscarPuntoBordes, CeroSinEntradaExaminadaNoTomaLaCabecera) {
  ListaAbierta lista("Boss,2:1/1\r\nBoss,2:1/2\r\n,1,X,Y,Z,W\r\n");
  EXPECT_EQ(BuscarPunto(lista.lector, "2:1/1", "00"), kNada);
  ListaAbierta vacia("Boss,2:1/1\r\n");
  EXPECT_EQ(BuscarPunto(vacia.lector, "2:1/1", ""), kNada);
}

TEST(BuscarPuntoBordes, LineasRarasDentroDeLaSeccion) {
  ListaAbierta lista("Boss,2:1/1\r\n\r\n;\r\n,\r\nPoint\r\n,4,Four,C,N,P\r\n");
  EXPECT_EQ(BuscarPunto(lista.lector, "2:1/1", "4").nick, "Four");
}

struct CasoDatos {
  const char* linea;
  DatosPunto esperado;
};

TEST(LeerDatosPuntoTest, CortaLosCuatroCampos) {
  const CasoDatos casos[] = {
      {",1,Nick,City,Name,Phone,9600,XA", {"Name", "Nick", "City", "Phone"}},
      {"Point,1,N_i_c_k,C,N,P", {"N", "N i c k", "C", "P"}},
      {",1,,,,", {"", "", "", ""}},
      {",1,Nick,City", {"", "Nick", "City", ""}},
      {",1", {"", "", "", ""}},
      {"", {"", "", "", ""}},
  };
  for (const auto& caso : casos)
    EXPECT_EQ(LeerDatosPunto(caso.linea), caso.esperado) << caso.linea;
}

struct CasoNumero {
  const char* nombre;
  std::string texto;
  std::int32_t valor;
  bool correcta;
};

class ConvertirNumeroTest : public ::testing::TestWithParam<CasoNumero> {};

TEST_P(ConvertirNumeroTest, Convierte) {
  const auto conversion = ConvertirNumero(GetParam().texto);
  EXPECT_EQ(conversion.valor, GetParam().valor);
  EXPECT_EQ(conversion.correcta, GetParam().correcta);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Tabla, ConvertirNumeroTest,
    ::testing::Values(
        CasoNumero{"Digito", "5", 5, true}, CasoNumero{"Cero", "0", 0, true},
        CasoNumero{"DobleCero", "00", 0, true}, CasoNumero{"BlancosDelante", "  5", 5, true},
        CasoNumero{"Mas", "+5", 5, true}, CasoNumero{"Menos", "-5", -5, true},
        CasoNumero{"TabuladorDelante", "\t5", 0, false}, CasoNumero{"BlancoDetras", "5 ", 5, false},
        CasoNumero{"LetrasDetras", "5abc", 5, false},
        CasoNumero{"MenosConLetrasDetras", "-5abc", 5, false}, CasoNumero{"Vacio", "", 0, false},
        CasoNumero{"SoloBlancos", "   ", 0, false}, CasoNumero{"SoloLetras", "abc", 0, false},
        CasoNumero{"SoloMenos", "-", 0, false}, CasoNumero{"SoloMas", "+", 0, false},
        CasoNumero{"MenosHex", "-$5", 0, false}, CasoNumero{"HexDolar", "$1F", 31, true},
        CasoNumero{"HexDolarMinusculas", "$1f", 31, true}, CasoNumero{"HexX", "x1F", 31, true},
        CasoNumero{"HexXMayuscula", "X1F", 31, true}, CasoNumero{"Hex0x", "0x1F", 31, true},
        CasoNumero{"Hex0XMayuscula", "0X1f", 31, true}, CasoNumero{"SoloDolar", "$", 0, false},
        CasoNumero{"Solo0x", "0x", 0, false}, CasoNumero{"HexLetraNoHex", "0x1G", 1, false},
        CasoNumero{"HexTodoUnos", "$FFFFFFFF", -1, true},
        CasoNumero{"HexMaximo", "$7FFFFFFF", INT_MAX, true},
        CasoNumero{"HexDemasiadosDigitos", "$100000000", 0x10000000, false},
        CasoNumero{"Maximo", "2147483647", INT_MAX, true},
        CasoNumero{"MaximoMasUno", "2147483648", INT_MIN, false},
        CasoNumero{"MaximoMasDos", "2147483649", INT_MIN + 1, false},
        CasoNumero{"Minimo", "-2147483648", INT_MIN, true},
        CasoNumero{"MinimoMenosUno", "-2147483649", INT_MAX, false},
        CasoNumero{"DiezVecesMaximo", "21474836470", INT_MAX, false},
        CasoNumero{"OnceNueves", "99999999999", 999999999, false},
        CasoNumero{"CeroEnMedio",
                   "5\0"
                   "9"s,
                   5, true},
        CasoNumero{"CeroDelante",
                   "\0"
                   "5"s,
                   0, false},
        CasoNumero{"MayorQue16Bits", "65541", 65541, true}),
    casos::PorNombre());

}  // namespace
