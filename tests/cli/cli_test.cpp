// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/proceso.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"

namespace {

using namespace std::string_literals;

constexpr const char* kFaltaNodelist = "No se encuentra el archivo de NodeList\n";
constexpr const char* kFaltaPointlist = "No se encuentra el archivo de PointList\n";

SalidaProceso BuscarEnMuestras(const std::vector<std::string>& extra) {
  return Ejecutar(kNodelist, kPointlist, extra);
}

// List lines joined with CR LF; the closing comment keeps the last entry from being the last line.
std::string Lista(const std::vector<std::string>& lineas) {
  std::string texto;
  for (const std::string& linea : lineas)
    texto += linea + "\r\n";
  return texto + ";E\r\n\x1A";
}

// Values read from samples/NODELIST.345 and samples/POINTS.345.
const std::string kBloque261 =
    "Dirección de Punto: 1:261/1.3\n"
    "Datos del nodo:\n"
    "BBS: Harbor Lights BBS\n"
    "Sysop: Walter Greene\n"
    "Ciudad: Baltimore MD\n"
    "Datos del punto:\n"
    "Nombre: Mark Sullivan\n"
    "Nick: Fells Point\n"
    "Ciudad: Baltimore MD\n"
    "Teléfono: 1-410-555-3003\n";

const std::string kBloque5020 =
    "Dirección de Punto: 2:5020/52.10\n"
    "Datos del nodo:\n"
    "BBS: Arbat Hub\n"
    "Sysop: Mikhail Popov\n"
    "Ciudad: Moscow Russia\n"
    "Datos del punto:\n"
    "Nombre: Alexei Fedorov\n"
    "Nick: Cozy Tosser\n"
    "Ciudad: Moscow Russia\n"
    "Teléfono: 7-495-555-5210\n";

TEST(CliTexto, SieteCamposDeUnaDireccion) {
  EXPECT_EQ(BuscarEnMuestras({"1:261/1.3"}), (SalidaProceso{kBloque261, "", 0}));
}

TEST(CliTexto, DireccionesEnOrdenConUnaLineaEnBlancoEntreEllas) {
  EXPECT_EQ(BuscarEnMuestras({"2:5020/52.10", "1:261/1.3"}),
            (SalidaProceso{kBloque5020 + "\n" + kBloque261, "", 0}));
}

TEST(CliTexto, SinPuntoLosCamposDelPuntoSonInterrogaciones) {
  const SalidaProceso r = BuscarEnMuestras({"1:261/1"});
  const std::vector<std::string> lineas = Lineas(r.salida);
  ASSERT_EQ(lineas.size(), 10u) << r.salida;
  EXPECT_EQ(lineas[2], "BBS: Harbor Lights BBS");
  EXPECT_EQ(std::vector<std::string>(lineas.begin() + 6, lineas.end()),
            (std::vector<std::string>{"Nombre: ?", "Nick: ?", "Ciudad: ?", "Teléfono: ?"}));
  EXPECT_EQ(r.codigo, 0);
}

// A search that ran and found nothing is still a result: printed, and no failure.
TEST(CliTexto, DireccionDesconocidaDaInterrogacionesYSale0) {
  EXPECT_EQ(BuscarEnMuestras({"3:999/9.9"}),
            (SalidaProceso{"Dirección de Punto: 3:999/9.9\nDatos del nodo:\nBBS: ?\nSysop: ?\n"
                           "Ciudad: ?\nDatos del punto:\nNombre: ?\nNick: ?\nCiudad: ?\n"
                           "Teléfono: ?\n",
                           "", 0}));
}

TEST(CliJson, UnObjetoPorLineaConLasClavesEnOrden) {
  const SalidaProceso r = BuscarEnMuestras({"--json", "1:261/1.3", "2:5020/52.10"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.errores, "");
  const std::vector<std::string> lineas = Lineas(r.salida);
  ASSERT_EQ(lineas.size(), 2u) << r.salida;

  const auto primero = nlohmann::ordered_json::parse(lineas[0]);
  EXPECT_EQ(Claves(primero), (std::vector<std::string>{"direccion", "nodo", "punto", "archivos"}));
  EXPECT_EQ(Claves(primero["punto"]),
            (std::vector<std::string>{"nombre", "nick", "ciudad", "telefono"}));

  const nlohmann::json esperado1 = {
      {"direccion", "1:261/1.3"},
      {"nodo",
       {{"bbs", "Harbor Lights BBS"}, {"sysop", "Walter Greene"}, {"ciudad", "Baltimore MD"}}},
      {"punto",
       {{"nombre", "Mark Sullivan"},
        {"nick", "Fells Point"},
        {"ciudad", "Baltimore MD"},
        {"telefono", "1-410-555-3003"}}},
      {"archivos", {{"nodelist", kNodelist}, {"pointlist", kPointlist}}}};
  EXPECT_EQ(nlohmann::json::parse(lineas[0]), esperado1);

  const nlohmann::json segundo = nlohmann::json::parse(lineas[1]);
  EXPECT_EQ(segundo["direccion"], "2:5020/52.10");
  EXPECT_EQ(segundo["nodo"]["bbs"], "Arbat Hub");
  EXPECT_EQ(segundo["punto"]["nombre"], "Alexei Fedorov");
  EXPECT_EQ(segundo["punto"]["telefono"], "7-495-555-5210");
}

// --- Missing list files -------------------------------------------------------------------

struct CasoFalta {
  const char* nombre;
  bool faltaNodelist;
  bool faltaPointlist;
  bool rutaVacia;  // an empty path instead of a file that is not there
  std::string errores;
};

using casos::PrintTo;

class CliFaltaLista : public testing::TestWithParam<CasoFalta> {};

TEST_P(CliFaltaLista, AvisaPorErroresYNoEscribeResultados) {
  const CasoFalta& caso = GetParam();
  const CarpetaTemporal carpeta;
  const std::string ausente = caso.rutaVacia ? "" : carpeta.Ruta("no-existe");
  EXPECT_EQ(Ejecutar(caso.faltaNodelist ? ausente : kNodelist,
                     caso.faltaPointlist ? ausente : kPointlist, {"1:261/1.3"}),
            (SalidaProceso{"", caso.errores, 1}));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CliFaltaLista,
    testing::Values(CasoFalta{"Nodelist", true, false, false, kFaltaNodelist},
                    CasoFalta{"Pointlist", false, true, false, kFaltaPointlist},
                    CasoFalta{"Ambas", true, true, false, kFaltaNodelist + ""s + kFaltaPointlist},
                    CasoFalta{"RutasVacias", true, true, true,
                              kFaltaNodelist + ""s + kFaltaPointlist}),
    casos::PorNombre());

TEST(CliFaltaListaVarias, CadaDireccionSeIntentaYAvisaOtraVez) {
  EXPECT_EQ(Ejecutar("", kPointlist, {"--json", "1:261/1.3", "2:5020/52.10"}),
            (SalidaProceso{"", kFaltaNodelist + ""s + kFaltaNodelist, 1}));
}

// --- I/O errors ---------------------------------------------------------------------------

TEST(CliErrorES, ListaBloqueadaPorOtroProcesoTerminaConElMensaje) {
  const CarpetaTemporal carpeta;
  const std::string puntos = carpeta.Escribir("POINTS.345", Lista({"Boss,1:261/1", ",3,a,b,c,d"}));
  const BloqueoExclusivo bloqueo(puntos);
  // Two addresses: the first failure ends the run, so the second is never tried.
  EXPECT_EQ(Ejecutar(kNodelist, puntos, {"1:261/1.3", "2:5020/52.10"}),
            (SalidaProceso{"", "I/O error 32\n", 2}));
}

TEST(CliErrorES, NodelistBloqueadaEnJson) {
  const CarpetaTemporal carpeta;
  const std::string nodos = carpeta.Escribir("NODELIST.345", Lista({"Host,261,n,c,s,p"}));
  const BloqueoExclusivo bloqueo(nodos);
  EXPECT_EQ(Ejecutar({"--json", "--nodelist", nodos, "--pointlist", kPointlist, "1:261/1.3"}),
            (SalidaProceso{"", "I/O error 32\n", 2}));
}

// Permission bits refuse nothing to a privileged root, so the tool runs without that privilege.
TEST(CliErrorES, ListaSinPermisoDeLectura) {
  const CarpetaTemporal carpeta;
  const std::string nodos = carpeta.Escribir("NODELIST.345", Lista({"Host,261,n,c,s,p"}));
  const std::vector<std::string> argumentos{"--nodelist", nodos, "--pointlist", kPointlist,
                                            "1:261/1.3"};
  // Readable, the same file is searched: the refusal below comes from its mode alone.
  const SalidaProceso legible = EjecutarSinPrivilegios(kPrograma, argumentos);
  ASSERT_EQ(legible.codigo, 0) << legible.errores;
  std::filesystem::permissions(nodos, std::filesystem::perms::none);
  EXPECT_EQ(EjecutarSinPrivilegios(kPrograma, argumentos),
            (SalidaProceso{"", "File access denied\n", 2}));
}

// --- Usage --------------------------------------------------------------------------------

// Every run of the tool in these tests sees a profile of its own, never the user's.
const PerfilTemporal kPerfilAislado;

// A profile of the test's own, whose NodeList.conf the test writes.
class Configuracion : public testing::Test {
 protected:
  PerfilTemporal perfil_;
};

TEST_F(Configuracion, PerfilNuevoAvisaDeAmbasListas) {
  EXPECT_EQ(Ejecutar({"2:5020/52.10"}),
            (SalidaProceso{"", std::string(kFaltaNodelist) + kFaltaPointlist, 1}));
  EXPECT_FALSE(std::filesystem::exists(perfil_.Archivo()))
      << "looking the paths up must not create the store";
}

TEST_F(Configuracion, RutasGuardadasDanLosSieteCampos) {
  perfil_.Guardar("[General]\nNodeList=" + kNodelist + "\nPointList=" + kPointlist + "\n");
  const SalidaProceso r = Ejecutar({"2:5020/52.10"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.salida, kBloque5020);
}

TEST_F(Configuracion, UnaOpcionPuedeMasQueLaRutaGuardada) {
  perfil_.Guardar("[General]\nNodeList=/nowhere/nodelist\nPointList=" + kPointlist + "\n");
  EXPECT_EQ(Ejecutar({"2:5020/52.10"}).errores, kFaltaNodelist);
  const SalidaProceso r = Ejecutar({"--nodelist", kNodelist, "2:5020/52.10"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.salida, kBloque5020);
}

TEST_F(Configuracion, UnValorQueNoEsTextoSale2ConElMensaje) {
  perfil_.Guardar("[General]\nNodeList=a, b\nPointList=" + kPointlist + "\n");
  EXPECT_EQ(Ejecutar({"2:5020/52.10"}),
            (SalidaProceso{"", "Invalid data type for 'NodeList'\n", 2}));
}

struct CasoUso {
  const char* nombre;
  std::vector<std::string> argumentos;
  const char* enErrores;  // a text the complaint must contain
};

class CliUso : public testing::TestWithParam<CasoUso> {};

TEST_P(CliUso, UsoIncorrectoSale64SinBuscar) {
  const CasoUso& caso = GetParam();
  const SalidaProceso r = Ejecutar(caso.argumentos);
  EXPECT_EQ(r.codigo, 64);
  EXPECT_EQ(r.salida, "");
  EXPECT_NE(r.errores.find(caso.enErrores), std::string::npos) << r.errores;
  // No search ran, so neither list was looked at.
  EXPECT_EQ(r.errores.find("No se encuentra"), std::string::npos) << r.errores;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CliUso,
    testing::Values(CasoUso{"SinArgumentos", {}, "DIRECCION"},
                    CasoUso{"SinDireccion", {"--nodelist", "a", "--pointlist", "b"}, "DIRECCION"},
                    CasoUso{"OpcionDesconocida",
                            {"--nodelist", "a", "--pointlist", "b", "--zona", "1:1/1"},
                            "--zona"},
                    CasoUso{
                        "FaltaElValor", {"--pointlist", "b", "1:1/1", "--nodelist"}, "--nodelist"},
                    CasoUso{"ValorEnUnFlag",
                            {"--json=si", "--nodelist", "a", "--pointlist", "b", "1:1/1"},
                            "--json"}),
    casos::PorNombre());

TEST(CliAyuda, ExplicaOpcionesDireccionYCodigosDeSalida) {
  for (const char* opcion : {"--help", "-h"}) {
    SCOPED_TRACE(opcion);
    const SalidaProceso r = Ejecutar({opcion});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_EQ(r.errores, "");
    for (const char* texto : {"--nodelist", "--pointlist", "--json", "zona:red/nodo.punto",
                              "Códigos de salida", "  0 ", "  1 ", "  2 ", "  64 "}) {
      EXPECT_NE(r.salida.find(texto), std::string::npos) << texto << " not in:\n" << r.salida;
    }
  }
}

// --- Display decoding ---------------------------------------------------------------------

struct CasoTexto {
  const char* nombre;
  std::string bytes;     // as written in the list
  std::string mostrado;  // as the tool prints it
  std::string enTexto = {};  // in plain text, where it differs: a control character as \xNN
};

class CliDecodificacion : public testing::TestWithParam<CasoTexto> {};

TEST_P(CliDecodificacion, LosCamposSalenEnUtf8) {
  const CasoTexto& caso = GetParam();
  const CarpetaTemporal carpeta;
  const std::string nodos =
      carpeta.Escribir("n", Lista({"Host,261,_,_,_,_", ",1,Bbs,Ciudad," + caso.bytes + ",1-1"}));
  const std::string puntos =
      carpeta.Escribir("p", Lista({"Boss,1:261/1", ",3," + caso.bytes + ",c,n,t"}));

  const SalidaProceso texto = Ejecutar({"--nodelist", nodos, "--pointlist", puntos, "1:261/1.3"});
  ASSERT_EQ(texto.codigo, 0) << texto.errores;
  const std::vector<std::string> lineas = Lineas(texto.salida);
  ASSERT_EQ(lineas.size(), 10u) << texto.salida;
  const std::string& enTexto = caso.enTexto.empty() ? caso.mostrado : caso.enTexto;
  EXPECT_EQ(lineas[3], "Sysop: " + enTexto);
  EXPECT_EQ(lineas[7], "Nick: " + enTexto);

  const SalidaProceso json =
      Ejecutar({"--json", "--nodelist", nodos, "--pointlist", puntos, "1:261/1.3"});
  ASSERT_EQ(json.codigo, 0) << json.errores;
  const nlohmann::json objeto = nlohmann::json::parse(json.salida);
  EXPECT_EQ(objeto["nodo"]["sysop"], caso.mostrado);
  EXPECT_EQ(objeto["punto"]["nick"], caso.mostrado);
}

INSTANTIATE_TEST_SUITE_P(Casos, CliDecodificacion,
                         testing::Values(CasoTexto{"Ascii", "Ivan_Ivanov", "Ivan Ivanov"},
                                         CasoTexto{"Windows1252",
                                                   "Jos\xE9_Pe\xF1"
                                                   "a",
                                                   "Jos\xC3\xA9 Pe\xC3\xB1"
                                                   "a"},
                                         CasoTexto{"Euro", "5\x80", "5\xE2\x82\xAC"},
                                         CasoTexto{"ByteNoDefinido", "x\x81y", "x\xC2\x81y", "x\\x81y"},
                                         CasoTexto{"Utf8SeQuedaIgual", "Jos\xC3\xA9",
                                                   "Jos\xC3\xA9"}),
                         casos::PorNombre());

TEST(CliDecodificacionMuestras, NombreEnWindows1252) {
  const SalidaProceso r = BuscarEnMuestras({"2:341/14.1"});
  ASSERT_EQ(r.codigo, 0) << r.errores;
  const std::vector<std::string> lineas = Lineas(r.salida);
  ASSERT_EQ(lineas.size(), 10u) << r.salida;
  EXPECT_EQ(lineas[2], "BBS: Huerta BBS");
  EXPECT_EQ(lineas[6], "Nombre: Jos\xC3\xA9 Mart\xC3\xADnez");
}

// The address goes to the search as typed and is decoded only for display; the point part's
// trailing byte is ignored by the number conversion, so point 3 is still found.
TEST(CliDecodificacionMuestras, LaDireccionTambienSeMuestraEnUtf8) {
  const SalidaProceso texto = BuscarEnMuestras({"1:261/1.3\xE9"});
  ASSERT_EQ(texto.codigo, 0) << texto.errores;
  EXPECT_EQ(Lineas(texto.salida).at(0), "Dirección de Punto: 1:261/1.3\xC3\xA9");

  const SalidaProceso json = BuscarEnMuestras({"--json", "1:261/1.3\xE9"});
  ASSERT_EQ(json.codigo, 0) << json.errores;
  const nlohmann::json objeto = nlohmann::json::parse(json.salida);
  EXPECT_EQ(objeto["direccion"], "1:261/1.3\xC3\xA9");
  EXPECT_EQ(objeto["punto"]["nombre"], "Mark Sullivan");
}

}  // namespace
