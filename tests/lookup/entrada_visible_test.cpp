// SPDX-License-Identifier: GPL-3.0-or-later
// The whole entry of a search as the window shows it, and the capped name search of its popup.

#include "lookup/entrada_visible.h"

#include <gtest/gtest.h>

#include <string>

#include "lookup/coincidencias.h"
#include "lookup/listado.h"
#include "tests/comun/carpeta_temporal.h"

namespace {

const std::string kReales = std::string(TEST_DATA_DIR) + "/real";
const std::string kListas = std::string(TEST_DATA_DIR) + "/listas";

const Informar kSinMensajes = [](const std::string& mensaje) { FAIL() << mensaje; };

std::string Completa(const std::string& nodelist, const std::string& pointlist,
                     const std::string& direccion) {
  return TextoEntradaCompleta(
      direccion, EjecutarBusquedaCompleta(nodelist, pointlist, direccion, kSinMensajes));
}

TEST(EntradaCompleta, NodoConCadaFormaDeExtremoYPuntoQueNoEsta) {
  const CarpetaTemporal carpeta;
  const std::string nodos =
      carpeta.Escribir("NODELIST",
                       "Zone,2,Europe,Europe,Z2_Coord,-Unpublished-,300,CM\r\n"
                       "Host,20,Net_20,Stockholm,Lars_&_Eva,46-8-555,9600,CM\r\n"
                       "Hub,7,Uno_&_Dos,G\xf6teborg,Sven_\xc5str\xf6m,46-31-555,33600,XA,"
                       "INA:a.example,IBN,IBN:24556,IBN:b.example:2000,IFC,ITN:[2001:db8::1]:2323,"
                       "IVM:192.0.2.7,PING\r\n");
  const std::string puntos = carpeta.Escribir("POINTS", "Boss,2:20/7\r\nPoint,1,P,L,S,1,9600\r\n");
  EXPECT_EQ(Completa(nodos, puntos, "2:20/7.5"),
            "Nodo 2:20/7\n"
            "Estado: Hub\n"
            "BBS: Uno & Dos\n"
            "Ciudad: Göteborg\n"
            "Sysop: Sven Åström\n"
            "Teléfono: 46-31-555\n"
            "Velocidad: 33600\n"
            "Flags: XA,INA:a.example,IBN,IBN:24556,IBN:b.example:2000,IFC,"
            "ITN:[2001:db8::1]:2323,IVM:192.0.2.7,PING\n"
            "Internet:\n"
            "  binkp a.example:24554\n"
            "  binkp a.example:24556\n"
            "  binkp b.example:2000\n"
            "  ifcico a.example:60179\n"
            "  telnet [2001:db8::1]:2323\n"
            "  vmodem 192.0.2.7:3141\n"
            "\n"
            "Punto 2:20/7.5: no está en la pointlist.\n"
            "\n"
            "Archivos leídos:\n"
            "NodeList: " +
                nodos +
                " (su primera línea no tiene fecha)\n"
                "PointList: " +
                puntos + " (su primera línea no tiene fecha)\n");
}

// 1:1/19 of the 6 January 2025 list; a plain entry has no status keyword.
TEST(EntradaCompleta, ListasRealesConSusFechas) {
  const std::string texto = Completa(kReales + "/nodelist.006", kReales + "/pnt5020.ndl", "1:1/19");
  EXPECT_TRUE(texto.starts_with("Nodo 1:1/19\nEstado:\nBBS: FTSC Administrator\n")) << texto;
  for (const char* linea :
       {"\nTeléfono: 1-860-446-6118\n", "\n  binkp ftsc.bnbbbs.net:24555\n",
        "\n  ifcico ftsc.bnbbbs.net:60179\n", "\n  telnet ftsc.bnbbbs.net:60177\n",
        "\nPunto 1:1/19: no está en la pointlist.\n",
        "/nodelist.006 (lista del 6 de enero de 2025)\n",
        "/pnt5020.ndl (lista del 11 de abril de 2008)\n"}) {
    EXPECT_NE(texto.find(linea), std::string::npos) << linea << " in\n" << texto;
  }

  const std::string punto =
      Completa(kReales + "/nodelist.006", kReales + "/pnt5020.ndl", "2:5020/113.8");
  EXPECT_NE(punto.find("Nodo 2:5020/113: no está en la nodelist.\n"), std::string::npos) << punto;
  EXPECT_NE(punto.find("Punto 2:5020/113.8\nEstado: Point\nNombre: Vyacheslav Mezetsky\n"
                       "Nick: ShooWorld\nCiudad: Moscow\nTeléfono: 7-495-173-9047\n"
                       "Velocidad: 9600\nFlags: XW,V32B,V42B,U,TiM\n"),
            std::string::npos)
      << punto;
}

TEST(EntradaCompleta, ArchivoConSuMiembro) {
  const std::string texto = Completa(kListas + "/NODELIST.Z22", kReales + "/R48PNT", "3:633/0");
  EXPECT_NE(texto.find("NodeList: " + kListas +
                       "/NODELIST.Z22:NODELIST.122 (lista del 2 de mayo "
                       "de 2014)\n"),
            std::string::npos)
      << texto;
}

TEST(EntradaCompleta, SinBusqueda) {
  EXPECT_EQ(TextoEntradaCompleta("", ResultadoCompleto{}),
            "Todavía no hay ninguna búsqueda que mostrar.\n");
}

// --- the popup's rows ------------------------------------------------------------------------

TEST(Coincidencias, TopeYResto) {
  const CarpetaTemporal carpeta;
  std::string lista = "Zone,1,Zona,Lugar,Otro,-,300\n";
  for (int i = 1; i <= 7; ++i)
    lista += "," + std::to_string(i) + ",BBS_" + std::to_string(i) + ",Town,Ann_Smith,-,300\n";
  const std::string nodos = carpeta.Escribir("NODELIST", lista);
  const std::string puntos =
      carpeta.Escribir("POINTS", "Boss,1:1/3\nPoint,4,Smith_Home,Village,Bob_Smith,-,300\n");

  const Coincidencias todas = BuscarCoincidencias(nodos, puntos, "smith", 10, kSinMensajes);
  ASSERT_TRUE(todas.ejecutada);
  ASSERT_EQ(todas.filas.size(), 8u);
  EXPECT_EQ(todas.resto, 0u);
  EXPECT_EQ(todas.filas.front(), (Coincidencia{"1:1/1", "Ann Smith", "BBS 1", "Town"}));
  EXPECT_EQ(todas.filas.back(), (Coincidencia{"1:1/3.4", "Bob Smith", "Smith Home", "Village"}));

  const Coincidencias tres = BuscarCoincidencias(nodos, puntos, "SMITH", 3, kSinMensajes);
  ASSERT_EQ(tres.filas.size(), 3u);
  EXPECT_EQ(tres.filas.back().direccion, "1:1/3");
  EXPECT_EQ(tres.resto, 5u);

  EXPECT_TRUE(BuscarCoincidencias(nodos, puntos, "nadie", 3, kSinMensajes).filas.empty());
  int mensajes = 0;
  const Coincidencias sinLista = BuscarCoincidencias(carpeta.Ruta("no-existe"), puntos, "smith", 3,
                                                     [&](const std::string&) { ++mensajes; });
  EXPECT_FALSE(sinLista.ejecutada);
  EXPECT_EQ(mensajes, 1);
}

}  // namespace
