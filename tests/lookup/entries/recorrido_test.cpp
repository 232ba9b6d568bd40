// SPDX-License-Identifier: GPL-3.0-or-later
// Walking every entry of a list with its address, and reading whole entries.

#include "lookup/entries/recorrido.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"
#include "tests/lookup/entries/lista_prueba.h"

namespace {

struct Visto {
  std::string direccion;
  std::string bbs;
  bool operator==(const Visto&) const = default;
};

void PrintTo(const Visto& visto, std::ostream* os) {
  *os << visto.direccion << " " << visto.bbs;
}

std::vector<Visto> Nodos(std::string_view bytes) {
  ListaAbierta lista(bytes);
  std::vector<Visto> vistos;
  RecorrerNodelist(lista.lector, [&](const PosicionNodo& posicion, std::string_view linea) {
    vistos.push_back({DireccionNodo(posicion), LeerEntradaNodo(linea, posicion.inicioCampos).bbs});
  });
  return vistos;
}

std::vector<Visto> Puntos(std::string_view bytes) {
  ListaAbierta lista(bytes);
  std::vector<Visto> vistos;
  RecorrerPointlist(lista.lector, [&](const PosicionPunto& posicion, std::string_view linea) {
    vistos.push_back({DireccionPunto(posicion), LeerEntradaPunto(linea).nick});
  });
  return vistos;
}

TEST(RecorrerNodelist, CadaClaseDeEntradaConSuDireccion) {
  const auto vistos = Nodos(Unir({";A header, 2:99/1 in a comment",
                                  ",1,Before_Any_Net,Nowhere,Nobody,1,300",
                                  "Zone,2,Europe,Brussels,ZC,32-1,9600,CM",
                                  ",5,Zone_Own_Net,Ghent,J,32-9,9600",
                                  "Region,24,Germany,Berlin,RC,49-30,9600",
                                  "Hub,7,Region_Hub,Hamburg,H,49-40,9600",
                                  "Host,5020,Moscow_Net,Moscow,HS,7-095,9600",
                                  ",53,Plain,Moscow,I,7-1,9600",
                                  "Pvt,54,Private,Moscow,P,-Unpublished-,300",
                                  "Hold,55,Held,Tver,H,7-2,9600",
                                  "Down,56,Gone,Tula,D,7-3,9600",
                                  "hub,58,Lower_Case,Moscow,N,7-4,9600",
                                  ",59",
                                  "Zone,1,North_America,Toronto,ZC1,1-1,9600",
                                  "Host,280,Toronto_Net,Toronto,TH,1-416,9600",
                                  ",1,Toronto_One,Toronto,JD,1-416-1,9600",
                                  "Hostile,2,Not_A_Header,Toronto,X,1,300",
                                  ",3,After_Hostile,Toronto,X,1,300",
                                  "Host,281,Next_Net,Toronto,TH,1-416,9600",
                                  ",3,Next_Three,Toronto,X,1,300"},
                                 "\r\n") +
                            "\x1A");
  const std::vector<Visto> esperado{
      {"2:2/0", "Europe"},         {"2:2/5", "Zone Own Net"},  {"2:24/0", "Germany"},
      {"2:24/7", "Region Hub"},    {"2:5020/0", "Moscow Net"}, {"2:5020/53", "Plain"},
      {"2:5020/54", "Private"},    {"2:5020/55", "Held"},      {"2:5020/56", "Gone"},
      {"2:5020/58", "Lower Case"}, {"2:5020/59", ""},          {"1:1/0", "North America"},
      {"1:280/0", "Toronto Net"},  {"1:280/1", "Toronto One"}, {"1:280/3", "After Hostile"},
      {"1:281/0", "Next Net"},     {"1:281/3", "Next Three"}};
  EXPECT_EQ(vistos, esperado);
}

TEST(RecorrerNodelist, SegmentoSinZonaDaRedYNodo) {
  const auto vistos =
      Nodos(Unir({"Host,5020,Moscow_Net,Moscow,HS,7-095,9600", "Hub,100,Arbat,Moscow,A,7-1,9600",
                  ",101,Under,Moscow,U,7-2,9600"},
                 "\n"));
  const std::vector<Visto> esperado{
      {"5020/0", "Moscow Net"}, {"5020/100", "Arbat"}, {"5020/101", "Under"}};
  EXPECT_EQ(vistos, esperado);
}

// Every address the walk gives, as the name search prints it, finds that very entry through the
// node lookup (the first of an address listed twice), in real lists of every shape: world lists,
// a list from before zones existed and a net segment.
class RecorridoYBusqueda : public testing::TestWithParam<const char*> {};

TEST_P(RecorridoYBusqueda, LaBusquedaEncuentraCadaEntradaPorSuDireccion) {
  const std::string ruta = std::string(TEST_DATA_DIR) + "/real/" + GetParam();
  LectorLista lector;
  AbrirLista(lector, ruta);
  std::vector<std::pair<std::string, DatosNodo>> entradas;
  std::set<std::string> vistas;
  RecorrerNodelist(lector, [&](const PosicionNodo& posicion, std::string_view linea) {
    std::string direccion = DireccionNodo(posicion);
    if (!vistas.insert(direccion).second) return;
    const EntradaNodo entrada = LeerEntradaNodo(linea, posicion.inicioCampos);
    entradas.push_back({direccion, DatosNodo{entrada.bbs, entrada.sysop, entrada.ciudad}});
  });
  CerrarLista(lector);
  ASSERT_GT(entradas.size(), 10u);

  for (const auto& [direccion, datos] : entradas) {
    EXPECT_EQ(ConLista(ruta, [&](LectorLista& l) { return BuscarNodo(l, direccion); }), datos)
        << direccion;
  }
}

INSTANTIATE_TEST_SUITE_P(Listas, RecorridoYBusqueda,
                         testing::Values("nodelist.002", "nodelist.276", "NODELIST.122",
                                         "net5020.ndl", "nodelist.006"),
                         [](const auto& info) {
                           std::string nombre = info.param;
                           for (char& c : nombre)
                             if (c == '.') c = '_';
                           return nombre;
                         });

TEST(RecorrerPointlist, PuntosDeCadaClaveConNumeroEntero) {
  const auto vistos = Puntos(Unir(
      {";A header", ",1,Before_Any_Boss,X,Y,1,300", "Boss,2:5020/12", ",1,Plain,Moscow,A,7-1,300",
       "Point,010,Leading_Zero,Moscow,B,7-2,300", "Pvt,11,Private,Moscow,C,-Unpublished-,300",
       "Hold,12,Held,Moscow,D,7-3,300", "Down,13,Gone,Moscow,E,7-4,300", ";S 14 a comment",
       "Host,15,Not_A_Point,Moscow,F,7-5,300", ",0,Point_Zero,Moscow,G,7-6,300", "Boss,2:5020/120",
       ",65541,Large,Moscow,H,7-7,300"},
      "\r\n"));
  const std::vector<Visto> esperado{{"2:5020/12.1", "Plain"},    {"2:5020/12.10", "Leading Zero"},
                                    {"2:5020/12.11", "Private"}, {"2:5020/12.12", "Held"},
                                    {"2:5020/12.13", "Gone"},    {"2:5020/120.65541", "Large"}};
  EXPECT_EQ(vistos, esperado);
}

// The same check for points, in the real Moscow pointlist; the one it lists out of order
// (2:5020/655.61 after .64) is found too.
TEST(RecorrerPointlistReal, LaBusquedaEncuentraCadaPuntoSalvoLosDesordenados) {
  const std::string ruta = std::string(TEST_DATA_DIR) + "/real/pnt5020.ndl";
  LectorLista lector;
  AbrirLista(lector, ruta);
  std::vector<std::pair<std::string, DatosPunto>> puntos;
  RecorrerPointlist(lector, [&](const PosicionPunto& posicion, std::string_view linea) {
    const EntradaPunto e = LeerEntradaPunto(linea);
    puntos.push_back(
        {DireccionPunto(posicion), DatosPunto{e.nombre, e.nick, e.ciudad, e.telefono}});
  });
  CerrarLista(lector);
  ASSERT_GT(puntos.size(), 700u);

  std::set<std::string> vistas;
  for (const auto& [direccion, datos] : puntos) {
    if (!vistas.insert(direccion).second) continue;
    const auto punto = direccion.find('.');
    const DatosPunto hallado = ConLista(ruta, [&](LectorLista& l) {
      return BuscarPunto(l, direccion.substr(0, punto), direccion.substr(punto + 1));
    });
    EXPECT_EQ(hallado, datos) << direccion;
  }
}

TEST(LeerEntradaNodo, TodosLosCamposYLosFlagsTalComoEstan) {
  const std::string linea = "Hub,52,Mister_Postman,Moscow,Volodya_R,7-095-745,33600,CM,U,ENC_X";
  const EntradaNodo entrada = LeerEntradaNodo(linea, 7);
  EntradaNodo esperada;
  esperada.estado = "Hub";
  esperada.bbs = "Mister Postman";
  esperada.ciudad = "Moscow";
  esperada.sysop = "Volodya R";
  esperada.telefono = "7-095-745";
  esperada.velocidad = "33600";
  esperada.flags = {"CM", "U", "ENC_X"};
  EXPECT_EQ(entrada, esperada);
}

TEST(LeerEntradaNodo, LineaCortaDejaLosCamposVacios) {
  const EntradaNodo entrada = LeerEntradaNodo(",6,Short,Charleston", 3);
  EXPECT_EQ(entrada.estado, "");
  EXPECT_EQ(entrada.bbs, "Short");
  EXPECT_EQ(entrada.sysop, "");
  EXPECT_EQ(entrada.velocidad, "");
  EXPECT_TRUE(entrada.flags.empty());
}

TEST(LeerEntradaPunto, CamposComoLosLeeLaBusquedaDePuntos) {
  const std::string linea = "Pvt,1,Nick_Name,Town,Real_Name,-Unpublished-,9600,XA,V34";
  const EntradaPunto entrada = LeerEntradaPunto(linea);
  EXPECT_EQ(entrada.estado, "Pvt");
  EXPECT_EQ((DatosPunto{entrada.nombre, entrada.nick, entrada.ciudad, entrada.telefono}),
            LeerDatosPunto(linea));
  EXPECT_EQ(entrada.velocidad, "9600");
  EXPECT_EQ(entrada.flags, (std::vector<std::string>{"XA", "V34"}));
}

// --completo reads the very entry the address lookup answers with.
TEST(BusquedaCompleta, LaEntradaEnteraDeLaDireccion) {
  const CarpetaTemporal carpeta;
  const std::string nodos = std::string(TEST_DATA_DIR) + "/real/nodelist.006";
  const std::string puntos =
      carpeta.Escribir("p", "Boss,1:1/19\r\n,1,Nick,Groton,Point_One,1-1,9600,XA\r\n");
  std::vector<std::string> avisos;
  const ResultadoCompleto r = EjecutarBusquedaCompleta(
      nodos, puntos, "1:1/19.1", [&](const std::string& m) { avisos.push_back(m); });
  ASSERT_TRUE(r.ejecutada);
  EXPECT_TRUE(avisos.empty());
  EXPECT_EQ(r.nodo.bbs, "FTSC Administrator");
  EXPECT_EQ(r.nodo.estado, "");
  EXPECT_EQ(r.nodo.velocidad, "33600");
  EXPECT_EQ(r.nodo.flags.size(), 12u);
  EXPECT_EQ(r.punto.nombre, "Point One");
  EXPECT_EQ(r.punto.flags, std::vector<std::string>{"XA"});

  const ResultadoCompleto otra =
      EjecutarBusquedaCompleta(nodos, puntos, "1:105/0", [](const std::string&) {});
  EXPECT_EQ(otra.nodo.estado, "Host");
  EXPECT_EQ(otra.punto, EntradaPunto{});
}

TEST(BusquedaCompleta, ListaQueFaltaSeAvisaYNoSeBusca) {
  std::vector<std::string> avisos;
  const ResultadoCompleto r =
      EjecutarBusquedaCompleta("", std::string(TEST_DATA_DIR) + "/real/nodelist.006", "1:1/19",
                               [&](const std::string& m) { avisos.push_back(m); });
  EXPECT_FALSE(r.ejecutada);
  EXPECT_EQ(avisos, std::vector<std::string>{kFaltaNodelist});
}

}  // namespace
