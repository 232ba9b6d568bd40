// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QPalette;

// The inks of the search window's captions and values.
struct TintasEtiquetas {
  QColor rotulo;
  QColor valor;
};

// Dark blue captions and dark green values; on a dark window colour (a dark desktop theme),
// lighter shades of the same blue and green, each as little lighter as makes its text as drawn
// reach a contrast of 4.5:1 against it (the ink itself 6:1).
[[nodiscard]] TintasEtiquetas TintasPara(const QPalette& paleta);

// The contrast ratio of two colours, 1 to 21, as WCAG 2 measures it.
[[nodiscard]] double Contraste(const QColor& una, const QColor& otra);
