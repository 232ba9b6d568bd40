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

struct Entrada {
  std::vector<std::string> flags;
  std::string sistema = "Some BBS";
};

using CasoInternet = casos::Fila<Entrada, std::vector<ExtremoInternet>>;

using casos::PrintTo;

class ExtremosInternetTest : public testing::TestWithParam<CasoInternet> {};

TEST_P(ExtremosInternetTest, Extremos) {
  EXPECT_EQ(ExtremosInternet(GetParam().entrada.flags, GetParam().entrada.sistema),
            GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ExtremosInternetTest,
    testing::Values(
        // Where a flag's host comes from, in order of precedence.
        // 1:1/19 of the 6 January 2025 list.
        CasoInternet{"SoloPuertoYSinNadaConIna",
                     {{"XA", "CM", "INA:ftsc.bnbbbs.net", "IBN:24555", "IFC", "ITN:60177", "PING"}},
                     {{"binkp", "ftsc.bnbbbs.net", 24555},
                      {"ifcico", "ftsc.bnbbbs.net", 60179},
                      {"telnet", "ftsc.bnbbbs.net", 60177}}},
        CasoInternet{"PuertosUsuales",
                     {{"IBN", "IFC", "ITN", "IVM", "IFT", "INA:h.example"}},
                     {{"binkp", "h.example", 24554},
                      {"ifcico", "h.example", 60179},
                      {"telnet", "h.example", 23},
                      {"vmodem", "h.example", 3141},
                      {"ftp", "h.example", 21}}},
        CasoInternet{"HostEnElFlag", {{"IBN:bbs.abon.us"}}, {{"binkp", "bbs.abon.us", 24554}}},
        CasoInternet{"HostYPuerto", {{"IBN:x-bit.org:24556"}}, {{"binkp", "x-bit.org", 24556}}},
        CasoInternet{"Ipv4", {{"IBN:216.211.176.87"}}, {{"binkp", "216.211.176.87", 24554}}},
        CasoInternet{
            "Ipv4YPuerto", {{"IVM:84.242.76.66:2030"}}, {{"vmodem", "84.242.76.66", 2030}}},
        CasoInternet{
            "Ipv6EntreCorchetes",
            {{"IBN:[2001:db8::1]:24555", "ITN:[2001:db8::2]", "INA:[2001:db8::3]:9", "IFC"}},
            {{"binkp", "2001:db8::1", 24555},
             {"telnet", "2001:db8::2", 23},
             {"ifcico", "2001:db8::3", 60179}}},
        CasoInternet{"NombreConPuntoFinal", {{"IBN:evg33.ru."}}, {{"binkp", "evg33.ru.", 24554}}},
        CasoInternet{"HostDelFlagAntesQueIna",
                     {{"INA:a.example", "IBN:b.example", "ITN"}},
                     {{"binkp", "b.example", 24554}, {"telnet", "a.example", 23}}},
        CasoInternet{
            "InaDespuesDelFlag", {{"IBN", "INA:late.example"}}, {{"binkp", "late.example", 24554}}},
        // 2:40/0 of 2025: every INA host, in order, for every flag without its own.
        CasoInternet{"CadaIna",
                     {{"IBN", "INA:fido.vbd.su", "INA:2992.mooo.com", "ITN:2323"}},
                     {{"binkp", "fido.vbd.su", 24554},
                      {"binkp", "2992.mooo.com", 24554},
                      {"telnet", "fido.vbd.su", 2323},
                      {"telnet", "2992.mooo.com", 2323}}},
        CasoInternet{"InaConPuertoLoIgnora",
                     {{"INA:h.example:9999", "IBN"}},
                     {{"binkp", "h.example", 24554}}},
        CasoInternet{"InaVacioNoDaHost",
                     {{"INA:", "INA:2001:db8::1", "INA:abc", "INA:24555", "INA:ok.example", "IBN"}},
                     {{"binkp", "ok.example", 24554}}},
        // 1:138/0 of 2025: the host written once, under one protocol flag.
        CasoInternet{"HostDeOtroFlagDeProtocolo",
                     {{"IBN:bbs.retroarchive.org", "IFT", "ITN"}},
                     {{"binkp", "bbs.retroarchive.org", 24554},
                      {"ftp", "bbs.retroarchive.org", 21},
                      {"telnet", "bbs.retroarchive.org", 23}}},
        CasoInternet{"HostDeOtroFlagAunqueVengaDespues",
                     {{"ITN", "IBN:a.example", "IFC:b.example"}},
                     {{"telnet", "a.example", 23},
                      {"binkp", "a.example", 24554},
                      {"ifcico", "b.example", 60179}}},
        CasoInternet{"InaAntesQueOtroFlag",
                     {{"ITN", "IBN:a.example", "INA:c.example"}},
                     {{"telnet", "c.example", 23}, {"binkp", "a.example", 24554}}},
        // 1:103/1 of 2025: the host only in the system-name field.
        CasoInternet{
            "NombreDelSistema", {{"CM", "IBN"}, "bbsdev.net"}, {{"binkp", "bbsdev.net", 24554}}},
        CasoInternet{"NombreDelSistemaSoloSiNoHayOtro",
                     {{"IBN", "ITN:t.example"}, "bbsdev.net"},
                     {{"binkp", "t.example", 24554}, {"telnet", "t.example", 23}}},
        CasoInternet{"NombreQueNoEsHost", {{"IBN"}, "Dev BBS.net"}, {}},
        CasoInternet{"SinHostNingunoSeDeja", {{"IBN", "ITN:60177", "CM"}}, {}},
        CasoInternet{"FormasAntiguasNoDanHost", {{"IP:old.example", "IBN"}}, {}},
        CasoInternet{"SinFlags", {}, {}},
        // What a flag's value may not be: each row gives no endpoint for its flag.
        CasoInternet{"PuertoConSigno", {{"IBN:+24555", "INA:h.example"}}, {}},
        CasoInternet{"PalabraNoEsHostNiPuerto", {{"IBN:abc", "INA:h.example"}}, {}},
        CasoInternet{"PuertoQueNoEsNumero", {{"IBN:h.example:notaport", "IBN:h.example:IBN"}}, {}},
        CasoInternet{"PuertoCero", {{"IBN:0", "IBN:h.example:0", "INA:h.example"}}, {}},
        CasoInternet{
            "PuertoMayorQue65535", {{"IBN:h.example:65536", "IBN:99999", "INA:i.example"}}, {}},
        CasoInternet{"Ipv6SinCorchetes", {{"IBN:2001:db8::1", "INA:h.example"}}, {}},
        CasoInternet{"Ipv6ConAlgoTrasElCorchete", {{"IBN:[2001:db8::1]x"}}, {}},
        CasoInternet{"CorchetesSinIpv6", {{"IBN:[h.example]"}}, {}},
        CasoInternet{"Ipv4FueraDeRango", {{"IBN:192.0.2.256", "ITN:1.2.3"}}, {}},
        CasoInternet{"UltimaEtiquetaConCifras", {{"IBN:host.example1", "IBN:h.x"}}, {}},
        CasoInternet{"EtiquetaVacia", {{"IBN:a..example", "IBN:.example"}}, {}},
        CasoInternet{"Url", {{"ITN:telnet://saniterium.bbs"}}, {}},
        CasoInternet{
            "OtrosFlagsParecidos", {{"IBNX", "IBM:h.example", "XIBN:h.example", "INA"}}, {}},
        // Ports, letter case and repeats.
        CasoInternet{"PuertoMaximo", {{"IBN:h.example:65535"}}, {{"binkp", "h.example", 65535}}},
        CasoInternet{"PuertoLarguisimo",
                     {{"IBN:024555", "ITN:h.example:00000000000000000023", "INA:h.example"}},
                     {{"binkp", "h.example", 24555}, {"telnet", "h.example", 23}}},
        CasoInternet{"FlagVacioEsComoSinValor",
                     {{"IBN:", "INA:h.example"}},
                     {{"binkp", "h.example", 24554}}},
        CasoInternet{"HostVacioConPuerto",
                     {{"IBN::24555", "INA:h.example"}},
                     {{"binkp", "h.example", 24555}}},
        CasoInternet{
            "DosPuntosSolos", {{"IBN::", "INA:h.example"}}, {{"binkp", "h.example", 24554}}},
        CasoInternet{"PuertoVacio", {{"IBN:h.example:"}}, {{"binkp", "h.example", 24554}}},
        CasoInternet{"NombresEnCualquierCaso",
                     {{"ibn", "IfC:8080", "ina:h.example"}},
                     {{"binkp", "h.example", 24554}, {"ifcico", "h.example", 8080}}},
        CasoInternet{"FlagRepetidoDaCadaUno",
                     {{"IBN", "IBN:443", "INA:h.example"}},
                     {{"binkp", "h.example", 24554}, {"binkp", "h.example", 443}}},
        CasoInternet{"MismoExtremoUnaVez",
                     {{"INA:x.example", "IBN", "IBN:24554", "IBN:X.EXAMPLE", "INA:x.example"}},
                     {{"binkp", "x.example", 24554}}}),
    casos::PorNombre());

}  // namespace
