// SPDX-License-Identifier: GPL-3.0-or-later
// Control characters of a list reach no terminal and no label: shown as \xNN, after decoding.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/entrada_visible.h"
#include "lookup/entries/texto.h"
#include "tests/comun/casos.h"

namespace {

using namespace std::string_view_literals;

using Caso = casos::Fila<std::string_view, std::string_view>;

using casos::PrintTo;

class TextoVisibleTest : public testing::TestWithParam<Caso> {};

TEST_P(TextoVisibleTest, NingunControlQuedaCrudo) {
  EXPECT_EQ(TextoVisible(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, TextoVisibleTest,
    testing::Values(
        Caso{"TituloDeLaTerminal", "\x1B]0;owned\x07", "\\x1b]0;owned\\x07"},
        Caso{"CeroYFinDeLinea", "a\0b\rc\nd"sv, "a\\x00b\\x0dc\\x0ad"},
        Caso{"Borrado", "x\x7Fy", "x\\x7fy"}, Caso{"TabuladorSeQueda", "a\tb", "a\tb"},
        // In UTF-8: U+009B (CSI) and U+0085 are controls; U+00A0 and U+0100 are not.
        Caso{"C1EnUtf8",
             "\xC2\x9B"
             "2J \xC2\x85 \xC2\xA0 \xC4\x80",
             "\\x9b2J \\x85 \xC2\xA0 \xC4\x80"},
        // Windows-1252: 0x9B is a quote mark, 0x81 one of the five bytes it leaves a control.
        Caso{"C1EnWindows1252", "Jos\xE9 \x9B\x81", "Jos\xC3\xA9 \xE2\x80\xBA\\x81"}),
    casos::PorNombre());

// The whole-entry window's text: fields, address and file names.
TEST(EntradaCompletaSinControles, NingunCampoLlegaCrudo) {
  ResultadoCompleto r;
  r.ejecutada = true;
  r.nodo.estado = "";
  r.nodo.bbs = "Evil\x1B[31m";
  r.nodo.flags = {"IBN:host\x07.example:24554"};
  r.archivos.nodelist = "/lists/\x1B]0;x\x07/NODELIST.001";
  const std::string texto = TextoEntradaCompleta("2:5020/52\x1B", r);
  EXPECT_EQ(texto.find('\x1B'), std::string::npos) << texto;
  EXPECT_EQ(texto.find('\x07'), std::string::npos) << texto;
  EXPECT_NE(texto.find("BBS: Evil\\x1b[31m"), std::string::npos) << texto;
  EXPECT_NE(texto.find("/lists/\\x1b]0;x\\x07/NODELIST.001"), std::string::npos) << texto;
}

}  // namespace
