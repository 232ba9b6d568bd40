// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups in real FidoNet lists (tests/data/real, see SOURCES.txt there). Every expected value
// was read off the list file by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"
#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/casos.h"
#include "tests/lookup/entries/lista_prueba.h"

namespace {

std::string RutaReal(const std::string& nombre) {
  return std::string(TEST_DATA_DIR) + "/real/" + nombre;
}

// In the order the fields stand in the list line.
DatosNodo Nodo(const char* bbs, const char* ciudad, const char* sysop) {
  return {bbs, sysop, ciudad};
}

DatosPunto Punto(const char* nick, const char* ciudad, const char* nombre, const char* telefono) {
  return {nombre, nick, ciudad, telefono};
}

const DatosNodo kSinNodo = Nodo("?", "?", "?");
const DatosPunto kSinPunto = Punto("?", "?", "?", "?");

using casos::PrintTo;

// --- The files themselves: the cases below mean something only while the bytes are the
// originals (a checkout that rewrote line ends would turn the LF lists into CR LF ones).

struct CasoDatos {
  const char* nombre;
  const char* archivo;
  bool crlf;         // every LF follows a CR; otherwise the file holds no CR at all
  bool terminaEn1A;  // the last byte is 0x1A
  bool bytesAltos;   // holds bytes 0x80 to 0xFF
};

class ListasRealesDatos : public ::testing::TestWithParam<CasoDatos> {};

TEST_P(ListasRealesDatos, ConservanSusBytes) {
  const CasoDatos& caso = GetParam();
  const std::string bytes = LeerArchivo(RutaReal(caso.archivo));
  ASSERT_GT(bytes.size(), 2U) << caso.archivo;

  std::size_t lf = 0;
  std::size_t lfTrasCr = 0;
  std::size_t cr = 0;
  bool altos = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r') ++cr;
    if (c == '\n') {
      ++lf;
      if (i > 0 && bytes[i - 1] == '\r') ++lfTrasCr;
    }
    if (c >= 0x80) altos = true;
  }
  ASSERT_GT(lf, 0U);
  if (caso.crlf) {
    EXPECT_EQ(lfTrasCr, lf);
    EXPECT_EQ(cr, lf);
  } else {
    EXPECT_EQ(cr, 0U);
  }
  EXPECT_EQ(bytes.back() == '\x1a', caso.terminaEn1A);
  if (!caso.terminaEn1A) {
    EXPECT_EQ(bytes.back(), '\n');
  }
  EXPECT_EQ(altos, caso.bytesAltos);
}

const CasoDatos kDatos[] = {
    {"Nodelist2009", "nodelist.002", true, true, false},
    {"Nodelist1986", "nodelist.276", true, true, false},
    {"Nodelist2014", "NODELIST.122", true, true, false},
    {"Segmento5020", "net5020.ndl", false, true, false},
    {"Pointlist5020", "pnt5020.ndl", false, true, true},
    {"Pointlist5020Seccion113", "pnt5020-113.ndl", false, false, true},
    {"Pointlist48", "R48PNT", true, false, false},
};

INSTANTIATE_TEST_SUITE_P(Archivos, ListasRealesDatos, ::testing::ValuesIn(kDatos),
                         casos::PorNombre());

// --- Node lookups.

struct CasoNodo {
  const char* nombre;
  const char* archivo;
  const char* direccion;
  DatosNodo esperado;
};

class ListasRealesNodos : public ::testing::TestWithParam<CasoNodo> {};

TEST_P(ListasRealesNodos, BuscarNodo) {
  const CasoNodo& caso = GetParam();
  const DatosNodo obtenido = ConLista(
      RutaReal(caso.archivo), [&](LectorLista& l) { return BuscarNodo(l, caso.direccion); });
  SCOPED_TRACE(std::string(caso.archivo) + " " + caso.direccion);
  EXPECT_EQ(obtenido, caso.esperado);
}

const CasoNodo kNodos[] = {
    // 2009 world list: zone 2 comes first, and both zones have a net 372.
    {"Red372DeZona1", "nodelist.002", "1:372/6",
     Nodo("The Information Exchange Network", "North Charleston SC", "David Farr")},
    {"Red372DeZona2", "nodelist.002", "2:372/11",
     Nodo("P.C.Software BBS", "Meszlen HUN", "Csaba Poczik")},
    {"NodoQueSoloTieneLaRed372DeZona2", "nodelist.002", "1:372/11", kSinNodo},
    {"NodoQueSoloTieneLaRed372DeZona1", "nodelist.002", "2:372/6", kSinNodo},
    {"HostEsNodo0", "nodelist.002", "1:372/0",
     Nodo("Charleston NET", "North Charleston SC", "David Farr")},
    {"PvtAlFinalDeSuRed", "nodelist.002", "1:372/9999",
     Nodo("New Node Applicant", "Charleston SC", "New Sysop")},
    {"LineaZonaEsNodo0", "nodelist.002", "2:2/0", Nodo("Eur (002)", "B", "Ward Dossche")},
    {"NodoDeZona", "nodelist.002", "2:2/20", Nodo("FTSC Chair", "NL", "Michiel van der Vlist")},
    {"NodoDeZona1", "nodelist.002", "1:1/2", Nodo("Europe Gate", "Saskatchewan", "Bob Seaborn")},
    {"RedDeZonaDeOtraZona", "nodelist.002", "2:1/2", kSinNodo},
    {"LineaRegionEsNodo0", "nodelist.002", "2:20/0", Nodo("Sweden", "Saeve", "Bjorn Felten")},
    {"IndependienteDeRegion", "nodelist.002", "2:20/228",
     Nodo("HAM-BOX", "Mariehamn Aland", "Holger Granholm")},
    {"DownEnRegion", "nodelist.002", "2:20/11",
     Nodo("Swedish Internet Backbone", "Linkoping SE", "Jesper Sorensen")},
    // 2:201/111 follows the region: the region's net ends at that Host line.
    {"RegionTerminaEnElHostSiguiente", "nodelist.002", "2:20/111", kSinNodo},
    {"Pvt", "nodelist.002", "2:201/148",
     Nodo("www.fidoreader.com", "Goteborg", "Mathias Hermansson")},
    {"Hold", "nodelist.002", "2:203/2", Nodo("West Net IP", "Sweden", "Bjorn Felten")},
    {"HubTrasUnPvt", "nodelist.002", "1:379/1",
     Nodo("Fido Mail Hub", "Pine Harbor NC", "Dale Ross")},
    {"RedQueSoloExisteEnZona1", "nodelist.002", "2:379/1", kSinNodo},
    {"RedQueSoloExisteEnZona2", "nodelist.002", "1:201/111", kSinNodo},
    // Region 37 holds 37 and 999; Host,370 (with a node 1) and Host,372 (with a Pvt,10) follow.
    {"Region37", "nodelist.002", "2:37/37", Nodo("ftn.gzp.hu", "Budapest HU", "Gabor Z. Papp")},
    {"Region37NoSigueEnLaRed370", "nodelist.002", "2:37/1", kSinNodo},
    {"Red37NoEsPrefijoDe372", "nodelist.002", "2:37/10", kSinNodo},

    // Moscow net segment: LF only, no Zone line, hubs with their nodes.
    {"SegmentoHub", "net5020.ndl", "2:5020/52",
     Nodo("Mister Postman", "Moscow", "Volodya Rusinov")},
    {"SegmentoHost", "net5020.ndl", "2:5020/0",
     Nodo("commserv.rpb.ru", "NET Moscow Russia (338 03/12/2004)", "Sergey Ozerov")},
    {"SegmentoNodoTrasHub", "net5020.ndl", "2:5020/18",
     Nodo("Grey Heavens", "Moscow", "Andrew Kositsyn")},
    {"SegmentoDown", "net5020.ndl", "2:5020/204", Nodo("+SfY+ Private", "Moscow", "Yuri Safronov")},
    {"SegmentoHubConElNumeroDeLaRed", "net5020.ndl", "2:5020/5020",
     Nodo("Freezer", "Moscow", "Alex Barinov")},
    {"SegmentoUltimaLinea", "net5020.ndl", "2:5020/9636",
     Nodo("Burzum Station", "Moscow", "Denis Sovkov")},
    {"SegmentoSinZonaNoMiraLaZona", "net5020.ndl", "1:5020/52",
     Nodo("Mister Postman", "Moscow", "Volodya Rusinov")},
    {"SegmentoNodoAusente", "net5020.ndl", "2:5020/9999", kSinNodo},
    {"SegmentoOtraRed", "net5020.ndl", "2:5030/18", kSinNodo},

    // 1986: no Zone line anywhere, regions and hosts only.
    {"Lista1986Region1", "nodelist.276", "1:1/107",
     Nodo("Routing HELP", "So Roxana IL", "Ben Baker")},
    {"Lista1986DownEnRegion1", "nodelist.276", "1:1/111",
     Nodo("SEAdog HELP", "Wilmington DE", "Bob Klahn")},
    {"Lista1986MismoNumeroEnRed102", "nodelist.276", "1:102/107",
     Nodo("CompuMart", "Santa Monica CA", "Andy Takahashi")},
    {"Lista1986CualquierZona", "nodelist.276", "2:102/101",
     Nodo("Rainbow Data", "Culver City CA", "Don Brauns")},
    {"Lista1986BarraInversa", "nodelist.276", "1:161/0",
     Nodo("SF EAST BAY\\VALLEY", "Concord CA", "Butch Walker")},
    {"Lista1986Europa", "nodelist.276", "2:501/4699",
     Nodo("The hole in the wall", "Malmoe Sweden", "Bjoern Nilsson")},
    {"Lista1986RegionSinNodos", "nodelist.276", "2:2/1", kSinNodo},

    // 2014 list, zones 3 and 4: CR LF and a final 0x1A.
    {"Lista2014Zona3", "NODELIST.122", "3:640/296",
     Nodo("Country BBS", "Jimboomba Qld", "Neil Staib")},
    {"Lista2014RedDeOtraZona", "NODELIST.122", "4:640/296", kSinNodo},
    {"Lista2014LineaZona", "NODELIST.122", "3:3/0",
     Nodo("Australia NZ PNG", "Sydney NSW", "Scott Little")},
    {"Lista2014NodoDeZona4", "NODELIST.122", "4:4/2",
     Nodo("Zone2 Gate", "La Plata BA", "Manuel Adorni")},
    {"Lista2014HubDeRed900", "NODELIST.122", "4:900/100",
     Nodo("CF y GBA Hub", "Buenos Aires", "Ariel Brunetto")},
    {"Lista2014HubDeRed902", "NODELIST.122", "4:902/100",
     Nodo("Internet HUB", "La Plata BA", "Manuel Adorni")},
    {"Lista2014UltimoNodo", "NODELIST.122", "4:904/13",
     Nodo("X/Change BBS", "Rosario SF", "Damian Kleiman")},
    {"Lista2014NodoAusenteEnLaUltimaRed", "NODELIST.122", "4:904/14", kSinNodo},
};

INSTANTIATE_TEST_SUITE_P(Listas, ListasRealesNodos, ::testing::ValuesIn(kNodos),
                         casos::PorNombre());

// --- Point lookups.

struct CasoPunto {
  const char* nombre;
  const char* archivo;
  const char* parteNodo;
  const char* partePunto;
  DatosPunto esperado;
};

class ListasRealesPuntos : public ::testing::TestWithParam<CasoPunto> {};

TEST_P(ListasRealesPuntos, BuscarPunto) {
  const CasoPunto& caso = GetParam();
  const DatosPunto obtenido = ConLista(RutaReal(caso.archivo), [&](LectorLista& l) {
    return BuscarPunto(l, caso.parteNodo, caso.partePunto);
  });
  SCOPED_TRACE(std::string(caso.archivo) + " " + caso.parteNodo + "." + caso.partePunto);
  EXPECT_EQ(obtenido, caso.esperado);
}

const CasoPunto kPuntos[] = {
    // Moscow pointlist: LF only, "Point," keyword, CP866 comments between the sections.
    {"PrimeroDeSeccion", "pnt5020.ndl", "2:5020/113", "8",
     Punto("ShooWorld", "Moscow", "Vyacheslav Mezetsky", "7-495-173-9047")},
    {"PalabraPoint", "pnt5020.ndl", "2:5020/113", "10",
     Punto("Home", "Moscow", "Stas Osochkin", "-Unpublished-")},
    {"UltimoDeSeccion", "pnt5020.ndl", "2:5020/113", "752",
     Punto("No BBS", "Moscow", "Stas Konev", "-Unpublished-")},
    {"AusenteEnSeccion", "pnt5020.ndl", "2:5020/113", "9", kSinPunto},
    {"MasAllaDelUltimoDeSeccion", "pnt5020.ndl", "2:5020/113", "753", kSinPunto},
    {"SinPunto", "pnt5020.ndl", "2:5020/113", "0", kSinPunto},
    // Only "Boss,2:5020/113" begins with "Boss,2:5020/11".
    {"BossDeOtroNodoConElMismoPrefijo", "pnt5020.ndl", "2:5020/11", "8", kSinPunto},
    {"SeccionAusente", "pnt5020.ndl", "2:5020/9999", "1", kSinPunto},
    {"ZonaDistintaEnCabecera", "pnt5020.ndl", "1:5020/113", "10", kSinPunto},
    {"PrimeroDeLaUltimaSeccion", "pnt5020.ndl", "2:5020/8086", "1",
     Punto("Z80 Station", "Moscow", "Pavel Osipov", "-Unpublished-")},
    {"UltimoPuntoDelArchivo", "pnt5020.ndl", "2:5020/8086", "9001",
     Punto("Z80 Station", "Moscow", "Technical Point", "-Unpublished-")},
    {"TrasElUltimoPuntoDelArchivo", "pnt5020.ndl", "2:5020/8086", "9002", kSinPunto},
    // The section of 2:5020/655 lists 64 before 61: 61 is found all the same.
    {"SeccionDesordenadaPuntoTardio", "pnt5020.ndl", "2:5020/655", "61",
     Punto("NekropoBBS", "Moscow", "Natan Efimovich Geldblat", "-Unpublished-")},
    {"SeccionDesordenadaPuntoAnterior", "pnt5020.ndl", "2:5020/655", "64",
     Punto("Dark Home", "Moscow", "Dmitry Haritonoff", "-Unpublished-")},
    {"SeccionDesordenadaPuntoPosterior", "pnt5020.ndl", "2:5020/655", "66",
     Punto("Netti", "Moscow", "Anna Perederina", "-Unpublished-")},
    {"LineaQueAcabaEnComa", "pnt5020.ndl", "2:5020/348", "9",
     Punto("Beard", "Moscow", "Oleg Tsurkan", "-Unpublished-")},
    {"PuntoConElNumeroDelNodo", "pnt5020.ndl", "2:5020/274", "274",
     Punto("Nothing System", "Moscow Russia", "Toma", "-Unpublished-")},

    // The same section cut so that its last point is the last line of the data.
    {"UltimaLineaDeLosDatos", "pnt5020-113.ndl", "2:5020/113", "752",
     Punto("No BBS", "Moscow", "Stas Konev", "-Unpublished-")},
    {"PenultimaLineaDeLosDatos", "pnt5020-113.ndl", "2:5020/113", "359",
     Punto("Maria Celesta", "Electrostal Russia", "Oleg Zrozhevskiy", "-Unpublished-")},
    {"TrasLaUltimaLineaDeLosDatos", "pnt5020-113.ndl", "2:5020/113", "753", kSinPunto},

    // Region 48: CR LF, "Pvt," keyword.
    {"Region48Pvt", "R48PNT", "2:4800/42", "1",
     Punto("Point1", "Warsaw Poland", "robert jakub", "-Unpublished-")},
    {"Region48PuntoAusente", "R48PNT", "2:4800/42", "2", kSinPunto},
    {"Region48BossConDigitoDetras", "R48PNT", "2:4800/4", "1", kSinPunto},
};

INSTANTIATE_TEST_SUITE_P(Listas, ListasRealesPuntos, ::testing::ValuesIn(kPuntos),
                         casos::PorNombre());

// --- Whole searches, as the search window runs them.

struct CasoBusqueda {
  const char* nombre;
  const char* nodelist;
  const char* pointlist;
  const char* direccion;
  DatosNodo nodo;
  DatosPunto punto;
};

class ListasRealesBusqueda : public ::testing::TestWithParam<CasoBusqueda> {};

TEST_P(ListasRealesBusqueda, EjecutarBusqueda) {
  const CasoBusqueda& caso = GetParam();
  std::vector<std::string> mensajes;
  const ResultadoBusqueda resultado =
      EjecutarBusqueda(RutaReal(caso.nodelist), RutaReal(caso.pointlist), caso.direccion,
                       [&mensajes](const std::string& mensaje) { mensajes.push_back(mensaje); });
  EXPECT_TRUE(mensajes.empty());
  ASSERT_TRUE(resultado.ejecutada);
  SCOPED_TRACE(caso.direccion);
  EXPECT_EQ(resultado.nodo, caso.nodo);
  EXPECT_EQ(resultado.punto, caso.punto);
}

const CasoBusqueda kBusquedas[] = {
    {"Moscu", "net5020.ndl", "pnt5020.ndl", "2:5020/113.10",
     Nodo("Minas Anor", "Moscow", "Boris Paleev"),
     Punto("Home", "Moscow", "Stas Osochkin", "-Unpublished-")},
    {"MoscuUltimaSeccion", "net5020.ndl", "pnt5020.ndl", "2:5020/8086.9001",
     Nodo("Z80 Station", "Moscow", "Pavel Osipov"),
     Punto("Z80 Station", "Moscow", "Technical Point", "-Unpublished-")},
    {"MoscuSinPunto", "net5020.ndl", "pnt5020.ndl", "2:5020/348",
     Nodo("Black Dragon#3", "Moscow", "Sergey Ozerov"), kSinPunto},
    {"NodoAusentePuntoPresente", "nodelist.002", "R48PNT", "2:4800/42.1", kSinNodo,
     Punto("Point1", "Warsaw Poland", "robert jakub", "-Unpublished-")},
    {"NodoPresentePuntoAusente", "nodelist.002", "R48PNT", "1:372/6.1",
     Nodo("The Information Exchange Network", "North Charleston SC", "David Farr"), kSinPunto},
};

INSTANTIATE_TEST_SUITE_P(Listas, ListasRealesBusqueda, ::testing::ValuesIn(kBusquedas),
                         casos::PorNombre());

}  // namespace
