// SPDX-License-Identifier: GPL-3.0-or-later
// --buscar and --completo: the real executable on real list excerpts (tests/data/real).

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"

namespace {

const std::string kReales = TEST_DATA_DIR "/real";

// The tool on the 2009 world list and the Moscow pointlist, or on the 2025 daily list and the
// sample pointlist.
SalidaProceso En2009(const std::vector<std::string>& extra) {
  return Ejecutar(kReales + "/nodelist.002", kReales + "/pnt5020.ndl", extra);
}
SalidaProceso En2025(const std::vector<std::string>& extra) {
  return Ejecutar(kReales + "/nodelist.006", kMuestras + "/POINTS.345", extra);
}

std::vector<nlohmann::json> Objetos(const std::string& texto) {
  std::vector<nlohmann::json> objetos;
  for (const std::string& linea : Lineas(texto))
    objetos.push_back(nlohmann::json::parse(linea));
  return objetos;
}

std::vector<std::string> Direcciones(const std::string& json) {
  std::vector<std::string> direcciones;
  for (const nlohmann::json& objeto : Objetos(json))
    direcciones.push_back(objeto["direccion"]);
  return direcciones;
}

// The 2009 world list: the zone 2 coordinator's own entries, from the Zone line on.
TEST(CliBuscar, TodasLasEntradasDeUnSysopConSuDireccion) {
  const SalidaProceso r = En2009({"--json", "--buscar", "ward dossche"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.errores, "");
  EXPECT_EQ(Direcciones(r.salida),
            (std::vector<std::string>{"2:2/0", "2:2/1", "2:2/4", "2:2/1002", "2:292/854"}));
  const auto objetos = Objetos(r.salida);
  const nlohmann::json zona = {
      {"direccion", "2:2/0"},
      {"nodo", {{"bbs", "Eur (002)"}, {"sysop", "Ward Dossche"}, {"ciudad", "B"}}}};
  EXPECT_EQ(objetos.at(0), zona);
  EXPECT_EQ(objetos.at(4)["nodo"]["bbs"], "Many Glacier");
}

TEST(CliBuscar, HostYRegionSonElNodoCeroDeSuRed) {
  const SalidaProceso r = En2025({"--json", "--buscar", "DALLAS_HINTON"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(Direcciones(r.salida), std::vector<std::string>{"1:17/0"});
  const SalidaProceso host = En2025({"--json", "--buscar", "Awesome Net"});
  EXPECT_EQ(Direcciones(host.salida), (std::vector<std::string>{"1:105/0", "1:105/1"}));
}

TEST(CliBuscar, SegmentoSinZonaDaRedYNodo) {
  const SalidaProceso r = Ejecutar(kReales + "/net5020.ndl", kMuestras + "/POINTS.345",
                                   {"--json", "--buscar", "alex barinov"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(Direcciones(r.salida),
            (std::vector<std::string>{"5020/715", "5020/5452", "5020/5020"}));
}

// What --buscar prints on the Moscow pair, the address lookup finds with the same fields: the
// segment's zone-less 5020/770 and the pointlist's late 2:5020/655.61 included.
TEST(CliBuscar, CadaDireccionQueDaSeEncuentraConLosMismosCampos) {
  const std::string nodos = kReales + "/net5020.ndl";
  const std::string puntos = kReales + "/pnt5020.ndl";
  for (const char* nombre : {"osipov", "nekropo"}) {
    const SalidaProceso r = Ejecutar(nodos, puntos, {"--json", "--buscar", nombre});
    ASSERT_EQ(r.codigo, 0) << r.errores;
    const auto objetos = Objetos(r.salida);
    ASSERT_FALSE(objetos.empty()) << nombre;
    for (const nlohmann::json& hallado : objetos) {
      const std::string direccion = hallado["direccion"];
      const auto buscado = Objetos(Ejecutar(nodos, puntos, {"--json", direccion}).salida);
      ASSERT_EQ(buscado.size(), 1u) << direccion;
      const char* lista = hallado.contains("punto") ? "punto" : "nodo";
      EXPECT_EQ(buscado[0][lista], hallado[lista]) << direccion;
    }
  }
}

// Nodelist matches first, then the pointlist's, each in list order.
TEST(CliBuscar, PuntosDespuesDeLosNodosConSuNumeroEntero) {
  const SalidaProceso r = Ejecutar(kNodelist, kPointlist, {"--json", "--buscar", "moscow"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objetos = Objetos(r.salida);
  ASSERT_GE(objetos.size(), 2u);
  bool enPuntos = false;
  for (const nlohmann::json& objeto : objetos) {
    if (objeto.contains("punto")) enPuntos = true;
    EXPECT_EQ(objeto.contains("nodo"), !enPuntos) << objeto.dump();
  }
  ASSERT_TRUE(enPuntos) << r.salida;
  const nlohmann::json punto = objetos.at(objetos.size() - 2);
  EXPECT_EQ(punto["direccion"], "2:5020/52.10");
  EXPECT_EQ(punto["punto"], (nlohmann::json{{"nombre", "Alexei Fedorov"},
                                            {"nick", "Cozy Tosser"},
                                            {"ciudad", "Moscow Russia"},
                                            {"telefono", "7-495-555-5210"}}));
}

TEST(CliBuscar, TextoUnaLineaPorEntradaConLosRotulos) {
  const SalidaProceso r = Ejecutar(kNodelist, kPointlist, {"--buscar", "JOS\xC3\x89"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.salida,
            "2:341/14.1\tNombre: Jos\xC3\xA9 Mart\xC3\xADnez\tNick: Casa Azul\t"
            "Ciudad: Valencia Spain\tTel\xC3\xA9"
            "fono: 34-96-555-1401\n");
}

TEST(CliBuscar, SinCoincidenciasNadaYSale0) {
  EXPECT_EQ(En2009({"--json", "--buscar", "nadie se llama asi"}), (SalidaProceso{"", "", 0}));
}

TEST(CliBuscar, ListaQueFaltaSeAvisaComoParaUnaDireccion) {
  EXPECT_EQ(Ejecutar("", kReales + "/pnt5020.ndl", {"--buscar", "ward", "--completo"}),
            (SalidaProceso{"", "No se encuentra el archivo de NodeList\n", 1}));
}

struct CasoTextoRaro {
  const char* nombre;
  std::string texto;
};

using casos::PrintTo;

class CliBuscarTextoRaro : public testing::TestWithParam<CasoTextoRaro> {};

// Any bytes are just a text that matches or not.
TEST_P(CliBuscarTextoRaro, NoEsUnErrorYNoEncuentraNada) {
  const SalidaProceso r = En2009({"--json", "--buscar", GetParam().texto});
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.salida, "");
}

INSTANTIATE_TEST_SUITE_P(Casos, CliBuscarTextoRaro,
                         testing::Values(CasoTextoRaro{"ConComas", "Ward_Dossche,32-3-4480880"},
                                         CasoTextoRaro{"Control", "Ward\x01\x02\x7F"},
                                         CasoTextoRaro{"BytesSueltos", "\xFF\xFE\x80\xC3"},
                                         CasoTextoRaro{"MuyLargo", std::string(100000, 'w')}),
                         casos::PorNombre());

struct CasoUsoBuscar {
  const char* nombre;
  std::vector<std::string> argumentos;
  const char* enErrores;
};

class CliBuscarUso : public testing::TestWithParam<CasoUsoBuscar> {};

TEST_P(CliBuscarUso, Sale64SinBuscar) {
  const SalidaProceso r = En2009(GetParam().argumentos);
  EXPECT_EQ(r.codigo, 64);
  EXPECT_EQ(r.salida, "");
  EXPECT_NE(r.errores.find(GetParam().enErrores), std::string::npos) << r.errores;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CliBuscarUso,
    testing::Values(CasoUsoBuscar{"Vacio", {"--buscar", ""}, "--buscar"},
                    CasoUsoBuscar{"Blancos", {"--buscar", "  \t "}, "blancos"},
                    CasoUsoBuscar{"Subrayados", {"--buscar", "_ _"}, "blancos"},
                    CasoUsoBuscar{"SinValor", {"--buscar"}, "--buscar"},
                    CasoUsoBuscar{"ConDireccion", {"--buscar", "ward", "2:2/0"}, "direcciones"},
                    CasoUsoBuscar{"SoloCompleto", {"--completo"}, "DIRECCION"}),
    casos::PorNombre());

// --- --completo ---------------------------------------------------------------------------

TEST(CliCompleto, EntradaEnteraConSusDireccionesDeInternet) {
  const SalidaProceso r = En2025({"--json", "--completo", "1:1/19"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objetos = Objetos(r.salida);
  ASSERT_EQ(objetos.size(), 1u);
  const nlohmann::json esperado = nlohmann::json::parse(R"({
    "direccion": "1:1/19",
    "nodo": {"bbs": "FTSC Administrator", "sysop": "Andrew Leary", "ciudad": "Groton CT",
             "estado": "", "telefono": "1-860-446-6118", "velocidad": "33600",
             "flags": ["H16", "V34", "VFC", "V32T", "XA", "CM", "INA:ftsc.bnbbbs.net",
                       "IBN:24555", "IFC", "ITN:60177", "PING", "TRACE"],
             "internet": [{"protocolo": "binkp", "host": "ftsc.bnbbbs.net", "puerto": 24555},
                          {"protocolo": "ifcico", "host": "ftsc.bnbbbs.net", "puerto": 60179},
                          {"protocolo": "telnet", "host": "ftsc.bnbbbs.net", "puerto": 60177}]},
    "punto": {"nombre": "?", "nick": "?", "ciudad": "?", "telefono": "?",
              "estado": "?", "velocidad": "?", "flags": []}})");
  nlohmann::json sinArchivos = objetos[0];
  sinArchivos.erase("archivos");
  EXPECT_EQ(sinArchivos, esperado);
  // The files read, as for a plain address lookup.
  EXPECT_EQ(objetos[0]["archivos"]["nodelist"], kReales + "/nodelist.006");
}

TEST(CliCompleto, ClavesEnOrden) {
  const SalidaProceso r = Ejecutar(kNodelist, kPointlist, {"--json", "--completo", "2:5020/52.10"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objeto = nlohmann::ordered_json::parse(r.salida);
  EXPECT_EQ(Claves(objeto["nodo"]),
            (std::vector<std::string>{"bbs", "sysop", "ciudad", "estado", "telefono", "velocidad",
                                      "flags", "internet"}));
  EXPECT_EQ(Claves(objeto["punto"]),
            (std::vector<std::string>{"nombre", "nick", "ciudad", "telefono", "estado", "velocidad",
                                      "flags"}));
  EXPECT_EQ(objeto["nodo"]["estado"], "Hub");
}

TEST(CliCompleto, TextoUnCampoPorLinea) {
  const SalidaProceso r = En2025({"--completo", "2:420/33"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.salida,
            "Dirección de Punto: 2:420/33\n"
            "Datos del nodo:\n"
            "BBS: POPPER Univerzal BBS\n"
            "Sysop: Robin Karel Popper\n"
            "Ciudad: Praha\n"
            "Estado: \n"
            "Teléfono: 420-267313150\n"
            "Velocidad: 9600\n"
            "Flags: XA,CM,H16,IVM:84.242.76.66:2030\n"
            "  XA: peticiones de ficheros y de actualizaciones Bark y WaZOO\n"
            "  CM: acepta correo a cualquier hora\n"
            "  H16: módem HST de US Robotics, 16800 bps\n"
            "  IVM:84.242.76.66:2030: acepta conexiones vmodem\n"
            "Internet: vmodem 84.242.76.66:2030\n"
            "Datos del punto:\n"
            "Nombre: ?\n"
            "Nick: ?\n"
            "Ciudad: ?\n"
            "Teléfono: ?\n"
            "Estado: ?\n"
            "Velocidad: ?\n"
            "Flags: ?\n");
}

// The window's and the text's IPv6 host keeps its brackets, JSON's is the bare address.
TEST(CliCompleto, Ipv6EntreCorchetesSoloEnTexto) {
  const CarpetaTemporal carpeta;
  const std::string nodos = carpeta.Escribir(
      "NODELIST",
      "Zone,2,Z2,Europe,Z,-Unpublished-,300,CM\r\n"
      ",7,bbs.example.org,Somewhere,S,000-0-0-0-0,300,IBN:[2001:db8::1]:24555,ITN\r\n");
  const std::string puntos = carpeta.Escribir("POINTS", "Boss,2:2/7\r\n");
  const SalidaProceso json = Ejecutar(nodos, puntos, {"--json", "--completo", "2:2/7.1"});
  ASSERT_EQ(json.codigo, 0) << json.errores;
  EXPECT_EQ(
      nlohmann::json::parse(json.salida)["nodo"]["internet"],
      nlohmann::json::parse(R"([{"protocolo": "binkp", "host": "2001:db8::1", "puerto": 24555},
                                     {"protocolo": "telnet", "host": "2001:db8::1", "puerto": 23}])"));
  const SalidaProceso texto = Ejecutar(nodos, puntos, {"--completo", "2:2/7.1"});
  EXPECT_NE(texto.salida.find("\nInternet: binkp [2001:db8::1]:24555, telnet [2001:db8::1]:23\n"),
            std::string::npos)
      << texto.salida;
}

TEST(CliCompleto, ConBuscarCadaNodoLlevaSusCampos) {
  const SalidaProceso r = En2025({"--json", "--completo", "--buscar", "rick smith"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const auto objetos = Objetos(r.salida);
  EXPECT_EQ(Direcciones(r.salida),
            (std::vector<std::string>{"1:105/0", "1:105/1", "1:105/10", "1:105/11"}));
  ASSERT_EQ(objetos.size(), 4u);
  EXPECT_EQ(objetos[0]["nodo"]["estado"], "Host");
  EXPECT_EQ(objetos[0]["nodo"]["internet"],
            nlohmann::json::parse(
                R"([{"protocolo": "binkp", "host": "hub.awesomenet.us", "puerto": 24556}])"));
  EXPECT_EQ(objetos[1]["nodo"]["estado"], "Hub");
  EXPECT_EQ(objetos[3]["nodo"]["internet"][0]["puerto"], 24555);
}

}  // namespace

namespace {

TEST(CliBuscarAyuda, ExplicaBuscarYCompleto) {
  const SalidaProceso r = EjecutarProceso(kPrograma, {"--help"});
  EXPECT_EQ(r.codigo, 0);
  for (const char* texto : {"--buscar TEXTO", "--completo", "\"internet\"", "IBN", "INA", "IFT",
                            "2:250/0", "red/nodo", "\"vince coen\""}) {
    EXPECT_NE(r.salida.find(texto), std::string::npos) << texto << " not in:\n" << r.salida;
  }
}

}  // namespace
