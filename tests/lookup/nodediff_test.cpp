// SPDX-License-Identifier: GPL-3.0-or-later
// One diff applied to one list: the commands, their refusals, the CRC, the real weekly pair
// (tests/data/nodediff, see SOURCES.txt there).

#include "lookup/nodediff.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/crc16.h"
#include "lookup/lector_lista.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/lookup/diffs_prueba.h"
#include "tests/lookup/error_de.h"

namespace {

using namespace std::string_literals;

const std::string kDatos = TEST_DATA_DIR "/nodediff/";

DiffAplicado Aplicar(const std::string& lista, const std::string& diff) {
  LectorLista vieja;
  vieja.AsignarTexto(std::make_shared<const std::string>(lista), "lista");
  LectorLista lector;
  lector.AsignarTexto(std::make_shared<const std::string>(diff), "diff");
  vieja.Abrir();
  lector.Abrir();
  ComprobarES();
  return AplicarDiff(vieja, lector);
}

// --- The CRC ----------------------------------------------------------------------------------

TEST(Crc16Test, ValorDeComprobacionYTrozos) {
  EXPECT_EQ(Crc16Xmodem("123456789"), 0x31C3);
  EXPECT_EQ(Crc16Xmodem(""), 0);
  // Every length around the eight-byte rounds, any bytes, whole or in two parts.
  std::mt19937 azar(20);
  std::string bytes;
  for (int i = 0; i < 300; ++i) {
    bytes += static_cast<char>(azar() & 0xFF);
    const std::size_t corte = azar() % (bytes.size() + 1);
    ASSERT_EQ(Crc16Xmodem(bytes), CrcBitABit(bytes)) << bytes.size() << " bytes";
    ASSERT_EQ(Crc16Xmodem(bytes.substr(corte), Crc16Xmodem(bytes.substr(0, corte))),
              CrcBitABit(bytes))
        << "cut at " << corte;
  }
}

struct CasoCabecera {
  const char* nombre;
  std::string linea;
  std::optional<std::uint16_t> crc;
};

class CrcDeCabeceraTest : public testing::TestWithParam<CasoCabecera> {};

TEST_P(CrcDeCabeceraTest, LeeLasCincoCifrasTrasElUltimoDosPuntos) {
  EXPECT_EQ(CrcDeCabecera(GetParam().linea), GetParam().crc);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CrcDeCabeceraTest,
    testing::Values(
        CasoCabecera{"Real",
                     ";A FidoNet Nodelist for Friday, January 3, 1997 -- Day number 003 : 02616",
                     2616},
        CasoCabecera{"SinBlancos", ";A x:65535", 65535},
        CasoCabecera{"BlancosDetras", ";A x : 00001  \t", 1},
        CasoCabecera{"UltimoDosPuntos", ";A 12:30 : 12345", 12345},
        CasoCabecera{"CuatroCifras", ";A x : 2616", std::nullopt},
        CasoCabecera{"SeisCifras", ";A x : 026160", std::nullopt},
        CasoCabecera{"PasaDe65535", ";A x : 65536", std::nullopt},
        CasoCabecera{"TextoDetras", ";A x : 02616 ok", std::nullopt},
        CasoCabecera{"SinDosPuntos", ";A x 02616", std::nullopt},
        CasoCabecera{"Vacia", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.nombre); });

// --- Commands and refusals --------------------------------------------------------------------

const std::vector<std::string> kVieja = Semana(1);
const std::vector<std::string> kNueva = Semana(2);

struct CasoDiff {
  const char* nombre;
  std::string diff;
  RechazoDiff rechazo;
  std::string enMotivo;  // a piece of the reason the user reads
};

class AplicarDiffTest : public testing::TestWithParam<CasoDiff> {};

TEST_P(AplicarDiffTest, RechazaConSuMotivo) {
  const DiffAplicado r = Aplicar(UnirCrLf(kVieja), GetParam().diff);
  EXPECT_EQ(r.rechazo, GetParam().rechazo) << r.motivo;
  EXPECT_NE(r.motivo.find(GetParam().enMotivo), std::string::npos) << r.motivo;
  EXPECT_TRUE(r.texto.empty());
}

std::string Ordenes(std::vector<std::string> lineas) {
  lineas.insert(lineas.begin(), kVieja[0]);
  return UnirCrLf(lineas);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AplicarDiffTest,
    testing::Values(
        CasoDiff{"Vacio", "", RechazoDiff::kOtraLista, ""},
        CasoDiff{"OtraLista", UnirCrLf({";A Otra lista : 00000", "C6"}), RechazoDiff::kOtraLista,
                 ""},
        CasoDiff{"CabeceraConOtroFinal", kVieja[0] + " \r\nC6\r\n", RechazoDiff::kOtraLista, ""},
        CasoDiff{"Binario", kVieja[0] + "\r\n\x01\xFF\x7Fzz\x00\x80\r\n"s, RechazoDiff::kOrdenMala,
                 "línea 2"},
        CasoDiff{"OrdenX5", Ordenes({"X5"}), RechazoDiff::kOrdenMala, "«X5»"},
        CasoDiff{"OrdenC0", Ordenes({"C0"}), RechazoDiff::kOrdenMala, "«C0»"},
        CasoDiff{"OrdenA99999", Ordenes({"A99999"}), RechazoDiff::kOrdenMala, "«A99999»"},
        CasoDiff{"OrdenA32768", Ordenes({"A32768"}), RechazoDiff::kOrdenMala, "«A32768»"},
        CasoDiff{"OrdenMinuscula", Ordenes({"c6"}), RechazoDiff::kOrdenMala, "«c6»"},
        CasoDiff{"OrdenConBlanco", Ordenes({"C6 "}), RechazoDiff::kOrdenMala, "«C6 »"},
        CasoDiff{"LineaVacia", Ordenes({"C6", ""}), RechazoDiff::kOrdenMala, "línea 3"},
        CasoDiff{"CopiaPasaDelFinal", Ordenes({"C7"}), RechazoDiff::kPasaDelFinal, "«C7»"},
        CasoDiff{"BorraPasaDelFinal", Ordenes({"D1", "A1", kNueva[0], "D6"}),
                 RechazoDiff::kPasaDelFinal, "línea 5"},
        CasoDiff{"AnadePasaDelDiff", Ordenes({"D6", "A3", kNueva[0], kNueva[1]}),
                 RechazoDiff::kFaltanLineas, "«A3»"},
        CasoDiff{"CrcDistinto", Ordenes({"D1", "A1", kNueva[0], "C5"}), RechazoDiff::kCrcDistinto,
                 "CRC"},
        CasoDiff{"LineaAnadidaCambiada",
                 Ordenes({"D1", "A1", kNueva[0], "C2", "D1", "A1", kNueva[3] + "X", "C2"}),
                 RechazoDiff::kCrcDistinto, "CRC"},
        CasoDiff{"SinCrc", Ordenes({"D1", "A1", ";A Sin CRC", "C5"}), RechazoDiff::kSinCrc, "CRC"},
        CasoDiff{"ListaNuevaVacia", Ordenes({"D6"}), RechazoDiff::kSinCrc, "CRC"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(AplicarDiffTest, CopiaBorraYAnadeConCualquierFinDeLinea) {
  const std::string diff = DiffEntre(kVieja, kNueva);
  for (const std::string& fin : {"\r\n"s, "\n"s, "\r"s}) {
    std::string conFin = diff;
    for (std::size_t p = 0; (p = conFin.find("\r\n", p)) != std::string::npos; p += fin.size())
      conFin.replace(p, 2, fin);
    const DiffAplicado r = Aplicar(UnirCrLf(kVieja), conFin +
                                                         "\x1A"
                                                         "basura");
    ASSERT_EQ(r.rechazo, RechazoDiff::kNinguno) << r.motivo;
    EXPECT_EQ(r.texto, UnirCrLf(kNueva));
  }
}

TEST(AplicarDiffTest, UnDiffQueNoSePuedeLeerSeRechaza) {
  CarpetaTemporal carpeta;
  LectorLista vieja;
  vieja.AsignarTexto(std::make_shared<const std::string>(UnirCrLf(kVieja)), "lista");
  vieja.Abrir();
  LectorLista diff;
  diff.Asignar(carpeta.Escribir("NODEDIFF.Z02", "PK\x03\x04"s + std::string(60, '\x7F')));
  diff.Abrir();
  ComprobarES();
  const DiffAplicado r = AplicarDiff(vieja, diff);
  EXPECT_EQ(r.rechazo, RechazoDiff::kIlegible);
  EXPECT_TRUE(r.motivo.starts_with("no se puede leer: Archive")) << r.motivo;
  EXPECT_EQ(resultadoES, 0);
}

// --- The real pair ----------------------------------------------------------------------------

TEST(AplicarDiffTest, ElParRealDaLaListaDeLaSemanaSiguiente) {
  LectorLista vieja(64 * 1024);
  vieja.Asignar(kDatos + "nodelist.362.bz2");
  vieja.Abrir();
  LectorLista diff;
  diff.Asignar(kDatos + "NODEDIFF.003");
  diff.Abrir();
  ComprobarES();
  DiffAplicado r = AplicarDiff(vieja, diff);
  ASSERT_EQ(r.rechazo, RechazoDiff::kNinguno) << r.motivo;
  EXPECT_EQ(CrcDeCabecera(r.texto.substr(0, r.texto.find('\r'))), 2616);

  LectorLista nueva;
  nueva.AsignarTexto(std::make_shared<const std::string>(std::move(r.texto)), "nueva");
  const auto lineas = LineasLeidas(nueva);
  const auto esperadas = LineasDeArchivo(kDatos + "nodelist.003.bz2");
  ASSERT_EQ(lineas.size(), esperadas.size());
  EXPECT_EQ(lineas, esperadas);
}

// --- A list kept in memory --------------------------------------------------------------------

TEST(LectorTextoTest, LeeComoUnArchivoSinDescriptor) {
  CarpetaTemporal carpeta;
  // Lines across the 128-byte reads, every line end, the end marker and bytes past it.
  const std::string bytes = std::string(127, 'a') + "\r\n" + std::string(200, 'b') + "\rc\n\nd" +
                            "\x1A"
                            "e\r\n";
  LectorLista archivo;
  archivo.Asignar(carpeta.Escribir("lista", bytes));
  LectorLista memoria;
  memoria.AsignarTexto(std::make_shared<const std::string>(bytes), "lista+diff");
  EXPECT_EQ(LineasLeidas(memoria), LineasLeidas(archivo));
  EXPECT_EQ(memoria.Nombre(), "lista+diff");
  // Closed, it fails as a file's reader does.
  EXPECT_EQ(ErrorDe([&] { (void)memoria.LeerLinea(); }).first, kLectorCerrado);
  memoria.Cerrar();
  EXPECT_EQ(ErrorDe([] { ComprobarES(); }).first, kCerrarSinAbrir);
}

}  // namespace
