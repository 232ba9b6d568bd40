// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/nodelist.h"

#include <gtest/gtest.h>

#include "tests/lookup/entries/lista_prueba.h"

namespace {

// Zone 2 first, as in real lists; net 280 exists in both zones.
const std::initializer_list<std::string_view> kNodelist{
    ";A Test Nodelist for Friday, December 11, 2026 -- Day number 345 : 12345",
    ";S comment with ,5020, inside",
    "Zone,2,Europe,Brussels,Zone_Coord,32-1-000,9600,CM",
    ",5,Zone_Two_Five,Ghent,Jan_Peeters,32-9-555,9600,CM",
    "Region,24,Germany,Berlin,Region_Coord,49-30-1,9600,CM",
    ",7,Independent,Hamburg,Hans_Meier,49-40-7,9600,CM",
    "Host,5020,Moscow_Net,Moscow,Host_Sysop,7-095-1,9600,CM",
    "Hub,52,Mister_Postman,Moscow,Volodya_Rusinov,7-095-745,9600,CM",
    ",53,Under_The_Hub,Moscow,Ivan_Ivanov,7-095-53,9600",
    "Pvt,54,Private_BBS,Moscow,Petr_Petrov,-Unpublished-,300",
    "Hold,55,Held_BBS,Tver,Held_Sysop,7-082-55,9600",
    "Down,56,Down_BBS,Tula,Down_Sysop,7-087-56,9600",
    ",57,,Podolsk,,7-095-57,9600",
    "hub,58,Lower_Case_Keyword,Moscow,Nobody,7-095-58,9600",
    " ,59,Leading_Blank,Moscow,Nobody,7-095-59,9600",
    "Region,25,Next_Region,Kiev,R25_Coord,380-44-1,9600",
    ",8,Region_25_Eight,Lviv,Taras_B,380-32-8,9600",
    "Host,50200,Longer_Net,Moscow_Oblast,Host50200,7-096-1,9600",
    ",8,Net_50200_Eight,Khimki,Oleg_O,7-096-8,9600",
    "Host,280,Dutch_Net,Amsterdam,Dutch_Host,31-20-1,9600",
    ",1,Dutch_One,Utrecht,Piet_Jansen,31-30-1,9600",
    "Zone,1,North_America,Windsor,Zone1_Coord,1-607-1,9600",
    "Host,280,Toronto_Net,Toronto,Toronto_Host,1-416-1,9600",
    ",1,Toronto_One,Toronto,Jane_Doe,1-416-11,9600",
    ",2,Only_In_Zone_One,Mississauga,John_Roe,1-905-2,9600",
    "Host,372,Charleston,Charleston_SC,C_Host,1-843-1,9600",
    ",6,Short_Entry,Charleston",
    ",9,Last_Node,Summerville,Last_Sysop,1-843-9,9600"};

struct CasoNodo {
  const char* nombre;
  const char* parteNodo;
  DatosNodo esperado;
};

const DatosNodo kNada{};

class BuscarNodoTest : public ::testing::TestWithParam<std::tuple<CasoNodo, const char*>> {};

TEST_P(BuscarNodoTest, Encuentra) {
  const auto& [caso, fin] = GetParam();
  ListaAbierta lista(Unir(kNodelist, fin) + "\x1A");
  EXPECT_EQ(BuscarNodo(lista.lector, caso.parteNodo), caso.esperado) << caso.parteNodo;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, BuscarNodoTest,
    ::testing::Combine(
        ::testing::Values(
            CasoNodo{"NodoSinClave", "2:5020/53", {"Under The Hub", "Ivan Ivanov", "Moscow"}},
            CasoNodo{"Hub", "2:5020/52", {"Mister Postman", "Volodya Rusinov", "Moscow"}},
            CasoNodo{"Pvt", "2:5020/54", {"Private BBS", "Petr Petrov", "Moscow"}},
            CasoNodo{"Hold", "2:5020/55", {"Held BBS", "Held Sysop", "Tver"}},
            CasoNodo{"Down", "2:5020/56", {"Down BBS", "Down Sysop", "Tula"}},
            CasoNodo{"CampoVacio", "2:5020/57", {"", "", "Podolsk"}},
            CasoNodo{"Host", "2:5020/0", {"Moscow Net", "Host Sysop", "Moscow"}},
            CasoNodo{"Zona", "2:2/0", {"Europe", "Zone Coord", "Brussels"}},
            CasoNodo{"NodoDeLaZona", "2:2/5", {"Zone Two Five", "Jan Peeters", "Ghent"}},
            CasoNodo{"Region", "2:24/0", {"Germany", "Region Coord", "Berlin"}},
            CasoNodo{"NodoDeLaRegion", "2:24/7", {"Independent", "Hans Meier", "Hamburg"}},
            CasoNodo{"RedDeOtraZona", "1:280/1", {"Toronto One", "Jane Doe", "Toronto"}},
            CasoNodo{"MismaRedPrimeraZona", "2:280/1", {"Dutch One", "Piet Jansen", "Utrecht"}},
            CasoNodo{"SoloEnLaOtraZona", "2:280/2", kNada},
            CasoNodo{"SoloEnZonaUno", "1:280/2", {"Only In Zone One", "John Roe", "Mississauga"}},
            CasoNodo{"ZonaInexistente", "3:5020/52", kNada},
            // Without net bounds at Region lines this would take 2:25/8.
            CasoNodo{"NoSaltaALaRegionSiguiente", "2:5020/8", kNada},
            CasoNodo{"RedSinElNodo", "2:5020/99", kNada},
            CasoNodo{"RedPrefijoDeOtra", "2:502/8", kNada},
            CasoNodo{"RedMasLarga", "2:50200/8", {"Net 50200 Eight", "Oleg O", "Khimki"}},
            CasoNodo{"ClaveEnMinusculas", "2:5020/58", {"Lower Case Keyword", "Nobody", "Moscow"}},
            CasoNodo{"BlancoDelante", "2:5020/59", kNada},
            CasoNodo{"CampoHastaFinDeLinea", "1:372/6", {"Short Entry", "", "Charleston"}},
            CasoNodo{"UltimaLinea", "1:372/9", {"Last Node", "Last Sysop", "Summerville"}},
            // A typed comma never reaches into the next field.
            CasoNodo{"NodoConComa", "2:5020/53,Under_The_Hub", kNada},
            CasoNodo{"RedConComa", "2:5020,Moscow_Net/0", kNada},
            CasoNodo{"SinDosPuntos", "5020/52", {"Mister Postman", "Volodya Rusinov", "Moscow"}},
            CasoNodo{"SinNodo", "2:5020", kNada}, CasoNodo{"ZonaConBlanco", " 2:5020/52", kNada},
            CasoNodo{"Vacio", "", kNada}),
        ::testing::Values("\r\n", "\n")),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).nombre) +
             (std::string(std::get<1>(info.param)) == "\n" ? "_Lf" : "_CrLf");
    });

TEST(BuscarNodoSinZonas, SegmentoSinLineaZoneSeBuscaSinMirarLaZona) {
  ListaAbierta lista(Unir({"Host,100,Segment_Net,Town,Host_Sysop,1-1,9600",
                           ",1,Segment_One,Village,One_Sysop,1-2,9600"},
                          "\r\n"));
  EXPECT_EQ(BuscarNodo(lista.lector, "5:100/1").bbs, "Segment One");
}

TEST(BuscarNodoBordes, CabeceraEnLaUltimaLinea) {
  ListaAbierta lista("Zone,2,Europe,Brussels,Coord,1,9600\r\nHost,999,Last_Net,Town,Sysop,1,9600");
  EXPECT_EQ(BuscarNodo(lista.lector, "2:999/1"), kNada);
}

TEST(BuscarNodoBordes, HostSinComaTambienCierraLaRed) {
  ListaAbierta lista("Host,1,N,T,S\r\nHost\r\n,5,Wrong,T,S\r\n");
  EXPECT_EQ(BuscarNodo(lista.lector, "2:1/5"), kNada);
}

TEST(BuscarNodoBordes, CamposLargosMasAllaDe255) {
  const std::string largo(300, 'L');
  ListaAbierta lista("Host,1,N,T,S\r\n," + std::string(260, '1') + "," + largo + ",C,S\r\n");
  EXPECT_EQ(BuscarNodo(lista.lector, "2:1/" + std::string(260, '1')).bbs, largo);
}

TEST(BuscarNodoBordes, LeeSoloHastaElNodo) {
  std::string lista_ = "Host,1,N,T,S\r\n,1,Uno,T,S\r\n";
  lista_ += std::string(4096, ';') + "\r\n";
  ListaAbierta lista(lista_);
  EXPECT_EQ(BuscarNodo(lista.lector, "2:1/1").bbs, "Uno");
  EXPECT_LE(PosicionLeida(lista.lector.Ruta()), 128);
}

}  // namespace
