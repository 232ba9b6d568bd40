// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reglas.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "tests/comun/casos.h"

namespace {

using namespace std::string_view_literals;

using CasoTexto = casos::Fila<std::string_view, std::string_view>;

using casos::PrintTo;

class ReglasTituloTest : public testing::TestWithParam<CasoTexto> {};

TEST_P(ReglasTituloTest, DaElTitulo) {
  EXPECT_EQ(TituloDePrograma(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReglasTituloTest,
    testing::Values(CasoTexto{"Minusculas", "/usr/bin/buscarpunto"sv, "buscarpunto"sv},
                    CasoTexto{"Mixto", "/usr/bin/BuscarPunto"sv, "Buscarpunto"sv},
                    CasoTexto{"Mayusculas", "/opt/herram/NODOS.EXE"sv, "Nodos"sv},
                    CasoTexto{"PrimeraMinuscula", "nodos.exe"sv, "nodos"sv},
                    CasoTexto{"VariosPuntos", "MI.PROG.EXE"sv, "Mi"sv},
                    CasoTexto{"PuntosEnLaCarpeta", "/opt/v1.2/NODOS.EXE"sv, "Nodos"sv},
                    CasoTexto{"CarpetaRelativaConPunto", "./NODOS"sv, "Nodos"sv},
                    CasoTexto{"SinPunto", "/usr/local/bin/NODOS"sv, "Nodos"sv},
                    CasoTexto{"Vacio", ""sv, ""sv}, CasoTexto{"NombreVacio", "/usr/bin/"sv, ""sv},
                    CasoTexto{"EmpiezaConPunto", "/home/u/.NODOS"sv, ""sv},
                    CasoTexto{"DigitosYSignos", "/bin/X_9-Z"sv, "X_9-z"sv},
                    CasoTexto{"Utf8IntactoSalvoAscii", "/opt/\xC3\x89L\xC3\x89.bin"sv,
                              "\xC3\x89l\xC3\x89"sv}),
    casos::PorNombre());

TEST(ReglasTituloLargo, SoloCuentanLosPrimeros255Caracteres) {
  // 250 characters of folder, then the name: only its first four fit.
  const std::string ruta = "/" + std::string(249, 'd') + "/BUSCARPUNTO";
  EXPECT_EQ(TituloDePrograma(ruta), "Busc");
  EXPECT_EQ(TituloDePrograma(std::string(300, 'A')), "A" + std::string(254, 'a'));
}

class ReglasPuntoFinalTest : public testing::TestWithParam<CasoTexto> {};

TEST_P(ReglasPuntoFinalTest, DaElTextoMostrado) {
  EXPECT_EQ(ConPuntoFinal(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReglasPuntoFinalTest,
    testing::Values(CasoTexto{"Letra", "File not found"sv, "File not found."sv},
                    CasoTexto{"Digito", "I/O error 32"sv, "I/O error 32."sv},
                    CasoTexto{"Comilla", "Invalid data type for 'NodeList'"sv,
                              "Invalid data type for 'NodeList'"sv},
                    CasoTexto{"ComillaSet", "Failed to set data for 'PointList'"sv,
                              "Failed to set data for 'PointList'"sv},
                    CasoTexto{"YaTienePunto", "x."sv, "x."sv}, CasoTexto{"Vacio", ""sv, ""sv},
                    CasoTexto{"DosPuntos", "Error:"sv, "Error:."sv},
                    CasoTexto{"Pregunta", "Why?"sv, "Why?."sv}, CasoTexto{"Barra", "a/"sv, "a/."sv},
                    CasoTexto{"Exclamacion", "Stop!"sv, "Stop!"sv},
                    CasoTexto{"Coma", "a,"sv, "a,"sv}, CasoTexto{"Blanco", "a "sv, "a "sv},
                    CasoTexto{"Parentesis", "(a)"sv, "(a)"sv}, CasoTexto{"Guion", "a-"sv, "a-"sv},
                    CasoTexto{"ByteAlto", "Caf\xE9"sv, "Caf\xE9."sv},
                    CasoTexto{"SoloMiraElUltimo", ".a"sv, ".a."sv}),
    casos::PorNombre());

struct CasoMulDiv {
  const char* nombre;
  int a;
  int b;
  int c;
  int esperado;
};

class ReglasMulDivTest : public testing::TestWithParam<CasoMulDiv> {};

TEST_P(ReglasMulDivTest, RedondeaAlMasCercano) {
  const CasoMulDiv& caso = GetParam();
  EXPECT_EQ(MulDiv(caso.a, caso.b, caso.c), caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReglasMulDivTest,
    testing::Values(
        CasoMulDiv{"Exacto", 8, 6, 4, 12}, CasoMulDiv{"RedondeaArriba", 14, 13, 8, 23},
        CasoMulDiv{"RedondeaAbajo", 10, 13, 8, 16}, CasoMulDiv{"MitadArriba", 10, 7, 4, 18},
        CasoMulDiv{"TresCuartos", 9, 7, 4, 16}, CasoMulDiv{"UnoYMedio", 3, 1, 2, 2},
        CasoMulDiv{"UnTercio", 1, 1, 3, 0}, CasoMulDiv{"DosTercios", 2, 1, 3, 1},
        CasoMulDiv{"NegativoEnA", -3, 1, 2, -2}, CasoMulDiv{"NegativoEnB", 3, -1, 2, -2},
        CasoMulDiv{"NegativoEnC", 3, 1, -2, -2}, CasoMulDiv{"DosNegativos", -3, 1, -2, 2},
        CasoMulDiv{"NegativoDosTercios", -2, 1, 3, -1}, CasoMulDiv{"Cero", 0, -5, 3, 0},
        CasoMulDiv{"DivisorCero", 5, 7, 0, -1}, CasoMulDiv{"TodoCero", 0, 0, 0, -1},
        CasoMulDiv{"MaximoSinDesbordar", INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        CasoMulDiv{"Desborda", INT_MAX, 2, 1, -1}, CasoMulDiv{"Minimo", INT_MIN, 1, 1, INT_MIN},
        CasoMulDiv{"MinimoNegadoDesborda", INT_MIN, 1, -1, -1}),
    casos::PorNombre());

// Font measures of the usual 8 pt message font.
constexpr MedidasError kCorto{.cx = 6, .cy = 13, .anchoOk = 14, .anchoTexto = 200, .altoTexto = 13};

TEST(ReglasDisposicion, MensajeCorto) {
  const DisposicionError d = CalcularDisposicion(kCorto);
  EXPECT_EQ(d.margenH, 12);
  EXPECT_EQ(d.margenV, 13);
  EXPECT_EQ(d.espacioH, 15);
  EXPECT_EQ(d.espacioV, 16);
  EXPECT_EQ(d.anchoCliente, 271);
  EXPECT_EQ(d.altoCliente, 97);
  EXPECT_EQ(d.icono, (Rectangulo{12, 13, 32, 32}));
  EXPECT_EQ(d.texto, (Rectangulo{59, 13, 200, 13}));
  EXPECT_EQ(d.boton, (Rectangulo{98, 61, 75, 23}));
}

TEST(ReglasDisposicion, TextoLargoSeAjustaAMediaPantallaYCreceEnAlto) {
  EXPECT_EQ(AnchoDeAjuste(1024), 512);
  EXPECT_EQ(AnchoDeAjuste(1023), 511);
  // Wrapped at 512 pixels into four lines.
  MedidasError medidas = kCorto;
  medidas.anchoTexto = 509;
  medidas.altoTexto = 52;
  const DisposicionError d = CalcularDisposicion(medidas);
  EXPECT_EQ(d.anchoCliente, 509 + 32 + 15 + 24);
  EXPECT_EQ(d.altoCliente, 52 + 23 + 16 + 26);
  EXPECT_EQ(d.texto, (Rectangulo{59, 13, 509, 52}));
  EXPECT_EQ(d.boton, (Rectangulo{(580 - 75) / 2, 52 + 13 + 16, 75, 23}));
}

TEST(ReglasDisposicion, RotuloAnchoEnsanchaElBoton) {
  MedidasError medidas = kCorto;
  medidas.anchoOk = 67;  // 67 + 8 ties with the 75 from the font: no change
  EXPECT_EQ(CalcularDisposicion(medidas).boton.ancho, 75);
  medidas.anchoOk = 68;
  EXPECT_EQ(CalcularDisposicion(medidas).boton, (Rectangulo{97, 61, 76, 23}));
}

TEST(ReglasDisposicion, BotonMasAnchoQueElBloqueFijaElAncho) {
  MedidasError medidas = kCorto;
  medidas.anchoTexto = 10;
  medidas.anchoOk = 100;
  const DisposicionError d = CalcularDisposicion(medidas);
  EXPECT_EQ(d.anchoCliente, 108 + 24);
  EXPECT_EQ(d.boton, (Rectangulo{12, 61, 108, 23}));
}

TEST(ReglasDisposicion, TextoVacioDejaElAltoDelIcono) {
  MedidasError medidas = kCorto;
  medidas.anchoTexto = 0;
  medidas.altoTexto = 0;
  const DisposicionError d = CalcularDisposicion(medidas);
  EXPECT_EQ(d.altoCliente, 97);
  EXPECT_EQ(d.anchoCliente, 75 + 24);
}

TEST(ReglasDisposicion, OtrasMedidasDeFuente) {
  const DisposicionError d =
      CalcularDisposicion({.cx = 7, .cy = 16, .anchoOk = 14, .anchoTexto = 300, .altoTexto = 48});
  EXPECT_EQ(d.icono, (Rectangulo{14, 16, 32, 32}));
  EXPECT_EQ(d.texto.x, 14 + 32 + 18);
  EXPECT_EQ(d.altoCliente, 48 + 28 + 20 + 32);
  EXPECT_EQ(d.boton.ancho, 88);
}

struct CasoPosicion {
  const char* nombre;
  int ancho;
  int alto;
  Rectangulo pantalla;
  Punto esperado;
};

class ReglasPosicionTest : public testing::TestWithParam<CasoPosicion> {};

TEST_P(ReglasPosicionTest, CentraSinSalirPorArribaNiPorLaIzquierda) {
  const CasoPosicion& caso = GetParam();
  EXPECT_EQ(PosicionDialogo(caso.ancho, caso.alto, caso.pantalla), caso.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ReglasPosicionTest,
    testing::Values(
        CasoPosicion{"Centrado", 277, 123, {0, 0, 1024, 768}, {373, 322}},
        CasoPosicion{"MasAnchoQueLaPantalla", 1100, 123, {0, 0, 1024, 768}, {0, 322}},
        CasoPosicion{"MasAltoQueLaPantalla", 277, 900, {0, 0, 1024, 768}, {373, 0}},
        CasoPosicion{"OtroMonitor", 276, 122, {1024, -200, 800, 600}, {1286, 39}},
        CasoPosicion{"OtroMonitorDemasiadoGrande", 900, 700, {1024, -200, 800, 600}, {1024, -200}}),
    casos::PorNombre());

}  // namespace
