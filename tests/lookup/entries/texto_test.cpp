// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/texto.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/comun/casos.h"

namespace {

using namespace std::string_view_literals;

using Caso = casos::Fila<std::string_view, std::string_view>;

using casos::PrintTo;

class DecodificarTextoTest : public testing::TestWithParam<Caso> {};

TEST_P(DecodificarTextoTest, DaElTextoEsperado) {
  EXPECT_EQ(DecodificarTexto(GetParam().entrada), GetParam().esperado);
}

// Expected texts are spelled as bytes so that the file's own encoding cannot hide a fault.
constexpr Caso kCasos[] = {
    {"Vacio", ""sv, ""sv},
    {"Ascii", "Moscow, Russia_1"sv, "Moscow, Russia_1"sv},
    {"NulSeConserva", "a\0b"sv, "a\0b"sv},
    {"Utf8DosBytes", "Caf\xC3\xA9"sv, "Caf\xC3\xA9"sv},
    {"Utf8TresBytes", "\xE2\x82\xAC 5"sv, "\xE2\x82\xAC 5"sv},
    {"Utf8CuatroBytes", "\xF0\x9F\x98\x80"sv, "\xF0\x9F\x98\x80"sv},
    {"Utf8UltimoPuntoDeCodigo", "\xF4\x8F\xBF\xBF"sv, "\xF4\x8F\xBF\xBF"sv},
    {"Utf8Cirilico", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"sv,
     "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"sv},
    {"Cp1252Latin1", "Caf\xE9"sv, "Caf\xC3\xA9"sv},
    {"Cp1252Euro", "\x80"sv, "\xE2\x82\xAC"sv},
    {"Cp1252ComillasYGuiones", "\x93x\x94\x96\x97"sv,
     "\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x93\xE2\x80\x94"sv},
    {"Cp1252Marca", "\x99"sv, "\xE2\x84\xA2"sv},
    {"Cp1252LetrasDeC1", "\x8A\x9A\x8C\x9C\x8E\x9E\x9F\x83"sv,
     "\xC5\xA0\xC5\xA1\xC5\x92\xC5\x93\xC5\xBD\xC5\xBE\xC5\xB8\xC6\x92"sv},
    {"Cp1252EspacioDuroYYMinuscula", "\xA0\xFF"sv, "\xC2\xA0\xC3\xBF"sv},
    {"Cp1252NoDefinidos", "\x81\x8D\x8F\x90\x9D"sv, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"sv},
    {"Cp1252ConNul", "\0\xE9"sv, "\0\xC3\xA9"sv},
    {"Utf8TruncadoAlFinal", "Caf\xC3"sv, "Caf\xC3\x83"sv},
    {"Utf8TresBytesTruncado", "\xE2\x82"sv, "\xC3\xA2\xE2\x80\x9A"sv},
    {"Utf8CortadoPorAscii", "\xC3x"sv, "\xC3\x83x"sv},
    {"ContinuacionSuelta", "a\xA9"sv, "a\xC2\xA9"sv},
    {"SobrelargoDosBytes", "\xC0\xAF"sv, "\xC3\x80\xC2\xAF"sv},
    {"SobrelargoC1", "\xC1\xBF"sv, "\xC3\x81\xC2\xBF"sv},
    {"SobrelargoTresBytes", "\xE0\x80\xAF"sv, "\xC3\xA0\xE2\x82\xAC\xC2\xAF"sv},
    {"SobrelargoCuatroBytes", "\xF0\x8F\xBF\xBF"sv, "\xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"sv},
    {"Surrogado", "\xED\xA0\x80"sv, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"sv},
    {"MasAllaDe10FFFF", "\xF4\x90\x80\x80"sv, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"sv},
    {"ByteF5", "\xF5"sv, "\xC3\xB5"sv},
    // One bad byte makes the whole text Windows-1252, the valid UTF-8 pair included.
    {"MezclaSeLeeEnteraComoCp1252", "\xC3\xA9\xE9"sv, "\xC3\x83\xC2\xA9\xC3\xA9"sv},
};

INSTANTIATE_TEST_SUITE_P(Casos, DecodificarTextoTest, testing::ValuesIn(kCasos),
                         casos::PorNombre());

// Every byte alone must become one distinct, valid UTF-8 character: nothing is dropped or merged.
TEST(DecodificarTextoBytes, CadaByteDaUnCaracterDistintoYValido) {
  std::set<std::string> vistos;
  for (int valor = 0; valor < 256; ++valor) {
    const std::string byte(1, static_cast<char>(valor));
    const std::string texto = DecodificarTexto(byte);
    SCOPED_TRACE(valor);
    EXPECT_FALSE(texto.empty());
    EXPECT_EQ(DecodificarTexto(texto), texto) << "the result is not valid UTF-8";
    EXPECT_TRUE(vistos.insert(texto).second) << "two bytes gave the same character";
  }
}

// CP866: the letters of both halves, Ё, a box-drawing byte and the last row's signs.
TEST(DecodificarTextoCp866, LetrasCirilicasYSignos) {
  EXPECT_EQ(DecodificarTexto("\x91\xE2\xA0\xAD\xE6\xA8\xEF", CodigoPagina::kCp866),
            "\xD0\xA1\xD1\x82\xD0\xB0\xD0\xBD\xD1\x86\xD0\xB8\xD1\x8F");
  EXPECT_EQ(DecodificarTexto("\x80\x9F\xF0\xF1\xB3\xFC\xFF", CodigoPagina::kCp866),
            "\xD0\x90\xD0\xAF\xD0\x81\xD1\x91\xE2\x94\x82\xE2\x84\x96\xC2\xA0");
  // A field that is valid UTF-8 stays so in a CP866 list too.
  EXPECT_EQ(DecodificarTexto("\xD0\x98", CodigoPagina::kCp866), "\xD0\x98");
}

struct CasoPagina {
  const char* nombre;
  std::vector<std::string_view> lineas;
  CodigoPagina esperada;
};

class PaginaDeListaTest : public testing::TestWithParam<CasoPagina> {};

TEST_P(PaginaDeListaTest, DecideSegunLoLeido) {
  PaginaDeLista pagina;
  for (const auto linea : GetParam().lineas)
    pagina.Contar(linea);
  EXPECT_EQ(pagina.Pagina(), GetParam().esperada);
}

const CasoPagina kPaginas[] = {
    {"RusoEnCp866", {";\x8C\xAE\xE1\xAA\xA2\xA0 \xE0\xA5\xA3\xA8\xAE\xAD"}, CodigoPagina::kCp866},
    {"AlemanEnCp1252", {",1,M\xFCller_Stra\xDF\x65,K\xF6ln"}, CodigoPagina::kWindows1252},
    // Windows-1252 punctuation (quotes, the euro) beside Latin letters stays Windows-1252.
    {"Cp1252ConComillas",
     {",1,\x93\xC9"
      "cole\x94,\x80 5,Jos\xE9"},
     CodigoPagina::kWindows1252},
    // UTF-8 Cyrillic is made of 0x80-0xBF continuation bytes: it must not count for CP866.
    {"Utf8NoCuenta", {"\xD0\x98\xD0\x92\xD0\x90\xD0\x9D", "Caf\xE9"}, CodigoPagina::kWindows1252},
    {"LoLeidoDespuesCambiaLaDecision",
     {"Caf\xE9", "\x88\x82\x80\x8D \x8F\x85\x92\x90\x8E\x82"},
     CodigoPagina::kCp866},
};

INSTANTIATE_TEST_SUITE_P(Casos, PaginaDeListaTest, testing::ValuesIn(kPaginas), casos::PorNombre());

}  // namespace
