// SPDX-License-Identifier: GPL-3.0-or-later
// Internet endpoints from the flags of a nodelist entry (FTS-5001).

#include "lookup/entries/internet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/comun/casos.h"

// Found by argument lookup, so beside the type.
void PrintTo(const ExtremoInternet& e, std::ostream* os) {
  *os << e.protocolo << ' ' << e.host << ':' << e.puerto;
}

namespace {

using CasoInternet = casos::Fila<std::vector<std::string>, std::vector<ExtremoInternet>>;

using casos::PrintTo;

class ExtremosInternetTest : public testing::TestWithParam<CasoInternet> {};

TEST_P(ExtremosInternetTest, Extremos) {
  EXPECT_EQ(ExtremosInternet(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ExtremosInternetTest,
    testing::Values(
        // 1:1/19 of the 6 January 2025 list.
        CasoInternet{"SoloPuertoYSinNadaConIna",
                     {"XA", "CM", "INA:ftsc.bnbbbs.net", "IBN:24555", "IFC", "ITN:60177", "PING"},
                     {{"binkp", "ftsc.bnbbbs.net", 24555},
                      {"ifcico", "ftsc.bnbbbs.net", 60179},
                      {"telnet", "ftsc.bnbbbs.net", 60177}}},
        CasoInternet{"PuertosUsuales",
                     {"IBN", "IFC", "ITN", "IVM", "INA:h.example"},
                     {{"binkp", "h.example", 24554},
                      {"ifcico", "h.example", 60179},
                      {"telnet", "h.example", 23},
                      {"vmodem", "h.example", 3141}}},
        CasoInternet{"HostEnElFlag", {"IBN:bbs.abon.us"}, {{"binkp", "bbs.abon.us", 24554}}},
        CasoInternet{"HostYPuerto", {"IBN:x-bit.org:24556"}, {{"binkp", "x-bit.org", 24556}}},
        CasoInternet{"Ipv4", {"IBN:216.211.176.87"}, {{"binkp", "216.211.176.87", 24554}}},
        CasoInternet{"Ipv4YPuerto", {"IVM:84.242.76.66:2030"}, {{"vmodem", "84.242.76.66", 2030}}},
        CasoInternet{"Ipv6EntreCorchetes",
                     {"IBN:[2001:db8::1]:24555", "ITN:[2001:db8::2]"},
                     {{"binkp", "2001:db8::1", 24555}, {"telnet", "2001:db8::2", 23}}},
        CasoInternet{"HostDelFlagAntesQueIna",
                     {"INA:a.example", "IBN:b.example", "ITN"},
                     {{"binkp", "b.example", 24554}, {"telnet", "a.example", 23}}},
        CasoInternet{
            "InaDespuesDelFlag", {"IBN", "INA:late.example"}, {{"binkp", "late.example", 24554}}},
        CasoInternet{"PrimerIna",
                     {"INA:one.example", "INA:two.example", "IBN"},
                     {{"binkp", "one.example", 24554}}},
        CasoInternet{"SinHostNingunoSeDeja", {"IBN", "ITN:60177", "CM"}, {}},
        CasoInternet{
            "FlagVacioEsComoSinValor", {"IBN:", "INA:h.example"}, {{"binkp", "h.example", 24554}}},
        CasoInternet{"DosPuntosSolos", {"IBN::", "INA:h.example"}, {{"binkp", "h.example", 24554}}},
        CasoInternet{"PuertoVacio", {"IBN:h.example:"}, {{"binkp", "h.example", 24554}}},
        CasoInternet{"PuertoQueNoEsNumero", {"IBN:h.example:notaport", "INA:h.example"}, {}},
        CasoInternet{"PuertoMayorQue65535", {"IBN:h.example:65536", "IBN:99999", "INA:i"}, {}},
        CasoInternet{"PuertoMaximo", {"IBN:h.example:65535"}, {{"binkp", "h.example", 65535}}},
        CasoInternet{"PuertoCero", {"IBN:0", "INA:h.example"}, {}},
        CasoInternet{"PuertoLarguisimo", {"IBN:h:0000000000000000024554"}, {}},
        CasoInternet{"OtrosFlagsParecidos", {"IBNX", "IBM:h", "XIBN:h", "IFT", "INA"}, {}},
        CasoInternet{"InaVacioNoDaHost", {"INA:", "IBN"}, {}}, CasoInternet{"SinFlags", {}, {}}),
    casos::PorNombre());

}  // namespace
