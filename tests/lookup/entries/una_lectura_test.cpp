// SPDX-License-Identifier: GPL-3.0-or-later
// The list shapes found in the wild that the address lookup must read as the name search does.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/por_nombre.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"
#include "tests/lookup/entries/lista_prueba.h"

namespace {

struct CasoForma {
  const char* nombre;
  std::string nodelist;
  std::string pointlist;
  const char* direccion;
  const char* bbs;   // of the node found, "?" for none
  const char* nick;  // of the point found, "?" for none
};

using casos::PrintTo;

class FormaDeLista : public testing::TestWithParam<CasoForma> {};

TEST_P(FormaDeLista, LaBusquedaPorDireccionLaLee) {
  const CasoForma& caso = GetParam();
  const CarpetaTemporal carpeta;
  const ResultadoBusqueda r =
      EjecutarBusqueda(carpeta.Escribir("n", caso.nodelist), carpeta.Escribir("p", caso.pointlist),
                       caso.direccion, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(r.ejecutada);
  EXPECT_EQ(r.nodo.bbs, caso.bbs);
  EXPECT_EQ(r.nodoEncontrado, std::string(caso.bbs) != "?");
  EXPECT_EQ(r.punto.nick, caso.nick);
  EXPECT_EQ(r.puntoEncontrado, std::string(caso.nick) != "?");
}

const std::string kDosZonas =
    Unir({"Zone,1,Z1,T,S,1,300", "Host,5020,Zone_One_Net,T,S,1,300", ",113,Zone_One_113,T,S,1,300",
          "Zone,2,Z2,T,S,1,300", "Host,5020,Moscow,T,S,1,300", ",113,Zone_Two_113,T,S,1,300",
          ",770,Substance,T,S,1,300"},
         "\r\n");
const std::string kJefe113 = Unir({"Boss,2:5020/113", ",8,Eight,T,S,1,300"}, "\r\n");

const CasoForma kFormas[] = {
    {"PuntosEnDosSeccionesDelNodo", kDosZonas,
     Unir({"Boss,2:5020/113", ",1,One", "Boss,2:5020/770", ",2,Other", "Boss,2:5020/113",
           ",2,Second_Section"},
          "\n"),
     "2:5020/113.2", "Zone Two 113", "Second Section"},
    {"RedEnDosBloques",
     Unir({"Zone,2,Z2,T,S", "Host,5020,Moscow,T,S", ",1,A,T,S", "Host,100,Other,T,S", ",1,B,T,S",
           "Host,5020,Moscow_Again,T,S", ",7,Second_Block,T,S"},
          "\n"),
     "", "2:5020/7", "Second Block", "?"},
    {"ElPrimeroDeUnNumeroGana", Unir({"Host,5020,M,T,S", ",7,First,T,S", ",7,Second,T,S"}, "\n"),
     Unir({"Boss,2:5020/7", ",3,First_Point", ",3,Second_Point"}, "\n"), "2:5020/7.3", "First",
     "First Point"},
    {"ClavesEnCualquierCaso",
     Unir({"ZONE,2,Z,T,S", "HOST,5020,M,T,S", "HUB,3,Upper_Hub,T,S", "pvt,4,Lower_Pvt,T,S"}, "\n"),
     Unir({"BOSS,2:5020/3", "POINT,1,Upper_Point", "hold,2,Lower_Hold"}, "\n"), "2:5020/3.2",
     "Upper Hub", "Lower Hold"},
    {"BossSinZonaEnLaZonaPedida", kDosZonas, Unir({"Boss,5020/770", ",8,Zoneless_Boss"}, "\n"),
     "2:5020/770.8", "Substance", "Zoneless Boss"},
    // Zone 1 lists 5020/113 first, but the point's boss is 2:5020/113.
    {"PuntoSinZonaMuestraSuJefe", kDosZonas, kJefe113, "5020/113.8", "Zone Two 113", "Eight"},
    {"DominioDelPunto", kDosZonas, kJefe113, "2:5020/113.8@fidonet", "Zone Two 113", "Eight"},
    {"ComentarioEnLaSeccionNoEsPunto", kDosZonas,
     Unir({"Boss,2:5020/113", ";8,Commented_Out", ",9,Nine"}, "\n"), "2:5020/113.8", "Zone Two 113",
     "?"},
    {"NodoSinCifraNoEsEntrada", Unir({"Host,5020,M,T,S", "Hub,x,No_Digit,T,S"}, "\n"), "",
     "2:5020/x", "?", "?"},
    {"PuntoSinCifraNoEsEntrada", Unir({"Host,5020,M,T,S", ",1,One,T,S"}, "\n"),
     Unir({"Boss,2:5020/1", ",$A,Hex_Without_Digit"}, "\n"), "2:5020/1.$A", "One", "?"},
    {"MarcaDeOrdenUtf8", "\xEF\xBB\xBFZone,2,Europe,T,S\r\n",
     "\xEF\xBB\xBF"
     "Boss,2:2/0\r\n,1,Bom_Point\r\n",
     "2:2/0.1", "Europe", "Bom Point"},
    {"FormatoPointTrasUnHub", kDosZonas,
     Unir({";A combined list", "Zone,2,Z2,T,S", "Host,5020,M,T,S", "Hub,113,H,T,S",
           "Point,8,Hub_Point", ",770,N,T,S", "Point,1,Node_Point"},
          "\r\n"),
     "2:5020/113.8", "Zone Two 113", "Hub Point"},
    // "Станция" in CP866; the comment at the top tells the list's code page.
    {"Cp866",
     Unir({";\x8C\xAE\xE1\xAA\xA2\xA0", "Host,5020,\x91\xE2\xA0\xAD\xE6\xA8\xEF,T,S"}, "\n"),
     kJefe113, "5020/0", "\xD0\xA1\xD1\x82\xD0\xB0\xD0\xBD\xD1\x86\xD0\xB8\xD1\x8F", "?"},
};

INSTANTIATE_TEST_SUITE_P(Formas, FormaDeLista, testing::ValuesIn(kFormas), casos::PorNombre());

// The name search finds CP866 text by its letters, typed in UTF-8 in any case.
TEST(NombreEnCp866, IvanEncuentraIvanEnMayusculas) {
  const CarpetaTemporal carpeta;
  const std::string nodos =
      carpeta.Escribir("n", "Host,5020,M,T,S\n,1,BBS,\xAC\xAE\xE1\xAA\xA2\xA0,\x88\x82\x80\x8D\n");
  const Coincidencias c =
      BuscarCoincidencias(nodos, carpeta.Escribir("p", ""), "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD", 10,
                          [](const std::string& m) { FAIL() << m; });
  ASSERT_EQ(c.filas.size(), 1u);
  EXPECT_EQ(c.filas[0].direccion, "5020/1");
  EXPECT_EQ(c.filas[0].sysop, "\xD0\x98\xD0\x92\xD0\x90\xD0\x9D");
}

// Every entry the name search lists on the real Moscow pair is what the address lookup answers at
// the address it prints: the segment has no Zone line, so those addresses have no zone.
TEST(NombreYDireccion, CadaFilaDelParDeMoscuSeEncuentraPorSuDireccion) {
  const std::string nodos = std::string(TEST_DATA_DIR) + "/real/net5020.ndl";
  const std::string puntos = std::string(TEST_DATA_DIR) + "/real/pnt5020.ndl";
  const auto sinAvisos = [](const std::string& m) { FAIL() << m; };
  for (const char* nombre : {"osipov", "nekropo", "moscow"}) {
    const Coincidencias c = BuscarCoincidencias(nodos, puntos, nombre, 5000, sinAvisos);
    ASSERT_FALSE(c.filas.empty()) << nombre;
    for (const Coincidencia& fila : c.filas) {
      const ResultadoBusqueda r = EjecutarBusqueda(nodos, puntos, fila.direccion, sinAvisos);
      const bool esPunto = fila.direccion.find('.') != std::string::npos;
      if (esPunto) {
        EXPECT_EQ((std::vector<std::string>{r.punto.nombre, r.punto.nick, r.punto.ciudad}),
                  (std::vector<std::string>{fila.sysop, fila.sistema, fila.lugar}))
            << fila.direccion;
      } else {
        EXPECT_EQ((std::vector<std::string>{r.nodo.sysop, r.nodo.bbs, r.nodo.ciudad}),
                  (std::vector<std::string>{fila.sysop, fila.sistema, fila.lugar}))
            << fila.direccion;
      }
    }
  }
  EXPECT_EQ(EjecutarBusqueda(nodos, puntos, "5020/770", sinAvisos).nodo.bbs, "Substance");
}

}  // namespace
