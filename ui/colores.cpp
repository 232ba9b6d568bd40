// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colores.h"

#include <QPalette>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QColor kAzulRotulo(0, 0, 144);
const QColor kVerdeValor(0, 112, 0);
// WCAG asks 4.5:1 of the ink; the strokes of 8-point text are thinner than a pixel, so the pixels
// drawn never reach the ink itself. Aiming higher makes the text as drawn reach 4.5:1.
constexpr double kContrasteBuscado = 6.0;
constexpr double kContrasteMinimo = 4.5;

double Canal(int valor) {
  const double c = valor / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminancia(const QColor& c) {
  return 0.2126 * Canal(c.red()) + 0.7152 * Canal(c.green()) + 0.0722 * Canal(c.blue());
}

// Mixed toward white in steps, keeping its hue, until it stands out against `fondo` by the aim;
// on a background too light for the aim, the first shade that reaches 4.5:1.
QColor AclaradoContra(const QColor& tinta, const QColor& fondo) {
  std::optional<QColor> suficiente;
  for (int paso = 0; paso < 100; ++paso) {
    const auto mezcla = [paso](int canal) { return canal + (255 - canal) * paso / 100; };
    const QColor clara(mezcla(tinta.red()), mezcla(tinta.green()), mezcla(tinta.blue()));
    const double contraste = Contraste(clara, fondo);
    if (contraste >= kContrasteBuscado) return clara;
    if (contraste >= kContrasteMinimo && !suficiente) suficiente = clara;
  }
  return suficiente.value_or(QColor(Qt::white));
}

}  // namespace

double Contraste(const QColor& una, const QColor& otra) {
  const double a = Luminancia(una);
  const double b = Luminancia(otra);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TintasEtiquetas TintasPara(const QPalette& paleta) {
  const QColor fondo = paleta.color(QPalette::Window);
  // Dark: white text would stand out more than black on it.
  if (Contraste(fondo, Qt::white) <= Contraste(fondo, Qt::black)) return {kAzulRotulo, kVerdeValor};
  return {AclaradoContra(kAzulRotulo, fondo), AclaradoContra(kVerdeValor, fondo)};
}
