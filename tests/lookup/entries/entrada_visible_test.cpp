// SPDX-License-Identifier: GPL-3.0-or-later
// The whole entry of a search as the window shows it.

#include "lookup/entries/entrada_visible.h"

#include <gtest/gtest.h>

#include <string>

#include "lookup/entries/busqueda_completa.h"
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
            "  XA: peticiones de ficheros y de actualizaciones Bark y WaZOO\n"
            "  INA:a.example: dirección de internet de los flags que no dan la suya\n"
            "  IBN: acepta conexiones binkp\n"
            "  IBN:24556: acepta conexiones binkp\n"
            "  IBN:b.example:2000: acepta conexiones binkp\n"
            "  IFC: acepta conexiones ifcico (EMSI sobre TCP)\n"
            "  ITN:[2001:db8::1]:2323: acepta conexiones telnet\n"
            "  IVM:192.0.2.7: acepta conexiones vmodem\n"
            "  PING: contesta al netmail dirigido a PING\n"
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

// What the list above cannot show: a plain entry, the dates of real lists' first lines, a node
// missing with its point found, an archive's member.
TEST(EntradaCompleta, ListasReales) {
  const std::string nodos = kReales + "/nodelist.006";
  const std::string puntos = kReales + "/pnt5020.ndl";
  const auto contiene = [](const std::string& texto, const std::string& parte) {
    EXPECT_NE(texto.find(parte), std::string::npos) << parte << " in\n" << texto;
  };
  const std::string nodo = Completa(nodos, puntos, "1:1/19");
  contiene(nodo, "Nodo 1:1/19\nEstado:\nBBS: FTSC Administrator\n");
  contiene(nodo, "  CM: acepta correo a cualquier hora\n  INA:ftsc.bnbbbs.net: ");
  contiene(nodo,
           "Internet:\n  binkp ftsc.bnbbbs.net:24555\n  ifcico ftsc.bnbbbs.net:60179\n"
           "  telnet ftsc.bnbbbs.net:60177\n");
  contiene(nodo, "/nodelist.006 (lista del 6 de enero de 2025)\nPointList: " + puntos +
                     " (lista del 11 de abril de 2008)\n");
  contiene(Completa(nodos, puntos, "2:5020/113.8"),
           "Nodo 2:5020/113: no está en la nodelist.\n\nPunto 2:5020/113.8\nEstado: Point\n"
           "Nombre: Vyacheslav Mezetsky\nNick: ShooWorld\nCiudad: Moscow\n"
           "Teléfono: 7-495-173-9047\nVelocidad: 9600\nFlags: XW,V32B,V42B,U,TiM\n"
           "  XW: peticiones de ficheros WaZOO\n  V32B: módem V.32bis, 14400 bps\n"
           "  V42B: corrección de errores V.42 (LAP-M, o MNP 1-5) y compresión V.42bis\n"
           "  U: siguen flags de usuario\n  TiM: en línea de 08:30 a 12:00 UTC\n");
  contiene(Completa(kListas + "/NODELIST.Z22", kReales + "/R48PNT", "3:633/0"),
           "NodeList: " + kListas + "/NODELIST.Z22:NODELIST.122 (lista del 2 de mayo de 2014)\n");
}

}  // namespace
