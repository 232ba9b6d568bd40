// SPDX-License-Identifier: GPL-3.0-or-later
// The name search's comparison: letter case, "_" as a blank, decoding, which fields count.

#include "lookup/entries/consulta_nombre.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/comun/casos.h"

namespace {

struct CasoConsulta {
  const char* nombre;
  std::string texto;  // as typed
  std::string linea;  // as listed
  bool coincide;
};

using casos::PrintTo;

class ConsultaNombreTest : public testing::TestWithParam<CasoConsulta> {};

TEST_P(ConsultaNombreTest, Coincide) {
  const CasoConsulta& caso = GetParam();
  ConsultaNombre consulta(caso.texto);
  EXPECT_EQ(consulta.Coincide(caso.linea), caso.coincide) << caso.linea;
}

// Lines long enough (over 16 bytes before and around the match) for the sixteen-byte paths, and
// short ones for the byte-at-a-time tails.
INSTANTIATE_TEST_SUITE_P(
    Casos, ConsultaNombreTest,
    testing::Values(
        CasoConsulta{"Sysop", "ward dossche", "Zone,2,Eur,B,Ward_Dossche,32-3,33600,CM", true},
        CasoConsulta{"MayusculasEnLaConsulta", "WARD DOSSCHE", ",1,x,y,ward_dossche,1", true},
        CasoConsulta{"SubrayadoEnLaConsulta", "Vince_Coen", ",1,Air,Roydon,Vince Coen,44", true},
        CasoConsulta{"SubrayadoEnAmbos", "vince_coen", ",1,Air,Roydon,Vince_Coen,44", true},
        CasoConsulta{"NombreDelSistema", "applewood", ",609,Air_Applewood,Roydon,V_C,44", true},
        CasoConsulta{"Lugar", "roydon", ",609,Air_Applewood,Roydon,V_C,44", true},
        CasoConsulta{"Parte", "oss", ",1,a,b,Ward_Dossche,1", true},
        CasoConsulta{"LineaCorta", "b", ",1,a,B", true},
        CasoConsulta{"NoEsta", "vince coen", ",1,Air_Applewood_Essex_Hub,Roydon,Vince_Coe,44",
                     false},
        CasoConsulta{"TelefonoNoCuenta", "4480880", ",1,a,b,c,32-3-4480880,9600", false},
        CasoConsulta{"FlagsNoCuentan", "bnbbbs",
                     ",19,FTSC,Groton,Andrew,1,9600,INA:ftsc.bnbbbs.net", false},
        CasoConsulta{"ClaveNoCuenta", "hub", "Hub,52,Mister_Postman,Moscow,Volodya,7,9600", false},
        CasoConsulta{"NumeroNoCuenta", "52", "Hub,52,Mister_Postman,Moscow,Volodya,7,9600", false},
        CasoConsulta{"NoCruzaCampos", "moscow volodya", ",52,Mister,Moscow,Volodya,7,9600", false},
        CasoConsulta{"ConComaNuncaCoincide", "moscow,volodya", ",52,Mister,Moscow,Volodya,7",
                     false},
        CasoConsulta{"Windows1252", "jos\xC3\xA9",
                     ",3,Casa,Valencia,JOS\xC9_PE\xD1"
                     "A,34",
                     true},
        CasoConsulta{"Windows1252AlReves", "JOS\xC3\x89",
                     ",3,Casa,Valencia,Jos\xE9_Pe\xF1"
                     "a",
                     true},
        CasoConsulta{"ConsultaEnWindows1252", "jos\xE9",
                     ",3,Casa,Valencia,JOS\xC3\x89_PE\xC3\x91"
                     "A",
                     true},
        CasoConsulta{"Utf8",
                     "jos\xC3\xA9 pe\xC3\xB1"
                     "a",
                     ",3,Casa_Azul_de_Valencia,Valencia,JOS\xC3\x89_PE\xC3\x91"
                     "A,34",
                     true},
        CasoConsulta{
            "Cirilico", "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2",
            ",5,BBS,\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0,"
            "\xD0\x98\xD0\x92\xD0\x90\xD0\x9D\xD0\x9E\xD0\x92_\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD,7",
            true},
        CasoConsulta{"CirilicoMayusculas", "\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90",
                     ",5,BBS,\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0,Ivan,7", true},
        CasoConsulta{"AsciiEnLineaConAcentos", "valencia", ",3,Casa,VALENCIA,Jos\xE9,34", true},
        CasoConsulta{"AcentoNoEsLetraSinAcento", "jose",
                     ",3,Casa,Valencia,JOS\xC9_PE\xD1"
                     "A",
                     false},
        CasoConsulta{"ConsultaConAcentoYLineaAscii", "jos\xC3\xA9", ",3,Casa,Valencia,Jose_Pena",
                     false},
        // First seen in the number field, then in the name: the name decides.
        CasoConsulta{"AntesFueraYLuegoDentro", "52", "Hub,52,Net_52_Hub,Moscow,Volodya,7,9600",
                     true},
        CasoConsulta{"SoloFueraEnLineaLarga", "9600",
                     "Hub,52,Mister_Postman_Long_Name,Moscow,Volodya,7-095-745,9600,CM", false},
        // U+212A KELVIN SIGN folds to an ASCII "k": only the decoded text shows the match, far
        // into a long line.
        CasoConsulta{"LetraQuePliegaAAscii", "kelvin",
                     ",1,Some_Long_BBS_Name_Here,Faraway_Town,\xE2\x84\xAA"
                     "elvin_Smith,1",
                     true},
        CasoConsulta{"AltosSoloFueraDeLosNombres", "smith",
                     ",1,Some_Long_BBS_Name_Here,Faraway_Town,John_Smyth,1,9600,\xE9", false},
        CasoConsulta{"AlFinalDeUnaLineaLarga", "vince coen",
                     ",1,Some_Long_BBS_Name_Here,Faraway_Town,Vince_Coen", true},
        CasoConsulta{"Control",
                     "a\x01"
                     "b",
                     ",1,a\x01"
                     "b,c,d,1",
                     true},
        CasoConsulta{"MuyLarga", std::string(100000, 'x'), ",1,xxxx,c,d,1", false}),
    casos::PorNombre());

TEST(ConsultaNombreVacia, SoloBlancosEsVacia) {
  for (const char* texto : {"", " ", "   ", "_", " _ ", "\t", "\t_ \n"}) {
    EXPECT_TRUE(ConsultaNombre(texto).Vacia()) << '"' << texto << '"';
  }
  for (const char* texto : {"a", " a ", "_x_", ",", "\x01", "\xE9"}) {
    EXPECT_FALSE(ConsultaNombre(texto).Vacia()) << '"' << texto << '"';
  }
}

}  // namespace
