// SPDX-License-Identifier: GPL-3.0-or-later
// One diff applied to one list: the commands, their refusals, the CRC, the real weekly pair
// (tests/data/nodediff, see SOURCES.txt there).

#include "lookup/lists/nodediff.h"

#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/crc16.h"
#include "lookup/lists/lector_lista.h"
#include "tests/lookup/lists/diffs_prueba.h"

namespace {

using namespace std::string_literals;

DiffAplicado Aplicar(const std::string& lista, const std::string& diff) {
  LectorLista vieja;
  vieja.AsignarTexto(std::make_shared<const std::string>(lista), "lista");
  vieja.Abrir();
  LectorLista lector;
  lector.AsignarTexto(std::make_shared<const std::string>(diff), "diff");
  lector.Abrir();
  return AplicarDiff(vieja, lector);
}

TEST(Crc16Test, ValorDeComprobacionYCadaLargo) {
  EXPECT_EQ(Crc16Xmodem("123456789"), 0x31C3);
  // Every length around the eight-byte rounds, any bytes.
  std::mt19937 azar(20);
  std::string bytes;
  for (int i = 0; i < 300; ++i) {
    bytes += static_cast<char>(azar() & 0xFF);
    ASSERT_EQ(Crc16Xmodem(bytes), CrcBitABit(bytes)) << bytes.size() << " bytes";
  }
}

TEST(CrcDeCabeceraTest, CincoCifrasTrasElUltimoDosPuntos) {
  const struct {
    std::string linea;
    std::optional<std::uint16_t> crc;
  } casos[] = {{";A x:65535", 65535},
               {";A x : 00001  \t", 1},
               {";A 12:30 : 12345", 12345},
               {";A x : 2616", std::nullopt},
               {";A x : 026160", std::nullopt},
               {";A x : 65536", std::nullopt},
               {";A x : 02616 ok", std::nullopt}};
  for (const auto& caso : casos)
    EXPECT_EQ(CrcDeCabecera(caso.linea), caso.crc) << caso.linea;
}

const std::vector<std::string> kVieja = Semana(1);
const std::vector<std::string> kNueva = Semana(2);

// Week 1's first line, then `ordenes`.
std::string Ordenes(std::vector<std::string> ordenes) {
  ordenes.insert(ordenes.begin(), kVieja[0]);
  return UnirCrLf(ordenes);
}

struct CasoDiff {
  const char* nombre;
  std::string diff;
  RechazoDiff rechazo;
  std::string enMotivo;  // a piece of the reason the user reads
};

class RechazoTest : public testing::TestWithParam<CasoDiff> {};

TEST_P(RechazoTest, NoDaListaYDiceElMotivo) {
  const DiffAplicado r = Aplicar(UnirCrLf(kVieja), GetParam().diff);
  EXPECT_EQ(r.rechazo, GetParam().rechazo) << r.motivo;
  EXPECT_NE(r.motivo.find(GetParam().enMotivo), std::string::npos) << r.motivo;
  EXPECT_TRUE(r.texto.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RechazoTest,
    testing::Values(
        CasoDiff{"CabeceraConOtroFinal", kVieja[0] + " \r\nC6\r\n", RechazoDiff::kOtraLista, ""},
        CasoDiff{"Binario", kVieja[0] + "\r\n\x01\xFF\x7Fzz\x00\x80\r\n"s, RechazoDiff::kOrdenMala,
                 "línea 2"},
        CasoDiff{"X5", Ordenes({"X5"}), RechazoDiff::kOrdenMala, "«X5»"},
        CasoDiff{"C0", Ordenes({"C0"}), RechazoDiff::kOrdenMala, "«C0»"},
        CasoDiff{"A99999", Ordenes({"A99999"}), RechazoDiff::kOrdenMala, "«A99999»"},
        CasoDiff{"A32768", Ordenes({"A32768"}), RechazoDiff::kOrdenMala, "«A32768»"},
        CasoDiff{"Minuscula", Ordenes({"c6"}), RechazoDiff::kOrdenMala, "«c6»"},
        CasoDiff{"ConBlanco", Ordenes({"C6 "}), RechazoDiff::kOrdenMala, "«C6 »"},
        CasoDiff{"LineaVacia", Ordenes({"C6", ""}), RechazoDiff::kOrdenMala, "línea 3"},
        CasoDiff{"CopiaPasaDelFinal", Ordenes({"C7"}), RechazoDiff::kPasaDelFinal, "«C7»"},
        CasoDiff{"BorraPasaDelFinal", Ordenes({"D1", "A1", kNueva[0], "D6"}),
                 RechazoDiff::kPasaDelFinal, "línea 5"},
        CasoDiff{"AnadePasaDelDiff", Ordenes({"D6", "A3", kNueva[0], kNueva[1]}),
                 RechazoDiff::kFaltanLineas, "«A3»"},
        CasoDiff{"LineaAnadidaCambiada",
                 Ordenes({"D1", "A1", kNueva[0], "C2", "D1", "A1", kNueva[3] + "X", "C2"}),
                 RechazoDiff::kCrcDistinto, "CRC"},
        CasoDiff{"SinCrc", Ordenes({"D1", "A1", ";A Sin CRC", "C5"}), RechazoDiff::kSinCrc, "CRC"},
        CasoDiff{"ListaNuevaVacia", Ordenes({"D6"}), RechazoDiff::kSinCrc, "CRC"}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(AplicarDiffTest, CopiaBorraYAnadeConCualquierFinDeLinea) {
  for (const std::string& fin : {"\r\n"s, "\n"s, "\r"s}) {
    std::string diff = DiffEntre(kVieja, kNueva);
    for (std::size_t p = 0; (p = diff.find("\r\n", p)) != std::string::npos; p += fin.size())
      diff.replace(p, 2, fin);
    const DiffAplicado r = Aplicar(UnirCrLf(kVieja), diff + "\x1A"s + "C9\r\n");
    ASSERT_EQ(r.rechazo, RechazoDiff::kNinguno) << r.motivo;
    EXPECT_EQ(r.texto, UnirCrLf(kNueva));
  }
}

TEST(AplicarDiffTest, ElParRealDaLaListaDeLaSemanaSiguiente) {
  const std::string datos = TEST_DATA_DIR "/nodediff/";
  LectorLista vieja(64 * 1024);
  vieja.Asignar(datos + "nodelist.362.bz2");
  LectorLista diff;
  diff.Asignar(datos + "NODEDIFF.003");
  LectorLista nueva(64 * 1024);
  nueva.Asignar(datos + "nodelist.003.bz2");
  for (LectorLista* lector : {&vieja, &diff, &nueva})
    lector->Abrir();
  ComprobarES();
  const DiffAplicado r = AplicarDiff(vieja, diff);
  ASSERT_EQ(r.rechazo, RechazoDiff::kNinguno) << r.motivo;
  EXPECT_EQ(CrcDeCabecera(r.texto.substr(0, r.texto.find('\r'))), 2616);
  std::string esperado;
  for (;;) {
    const bool fin = nueva.FinDeArchivo();
    ComprobarES();
    if (fin) break;
    (esperado += nueva.LeerLinea()) += "\r\n";
  }
  EXPECT_TRUE(r.texto == esperado) << r.texto.size() << " bytes, expected " << esperado.size();
}

}  // namespace
