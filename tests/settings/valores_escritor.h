// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A long tail, so that a file written halfway shows as a cut value.
inline constexpr int kRelleno = 600;

// The value that writer `marca` stores as `valor` ('N' for NodeList, 'P' for PointList) in round
// `vuelta`.
[[nodiscard]] inline QString ValorEscrito(QChar marca, QChar valor, int vuelta) {
  return QString(marca) + valor + QLatin1Char('-') +
         QStringLiteral("%1").arg(vuelta, 6, 10, QLatin1Char('0')) + QLatin1Char('-') +
         QString(kRelleno, marca);
}

// True when `texto` is, whole, a value that some writer stored as `valor`.
[[nodiscard]] inline bool EsValorEntero(const QString& texto, QChar valor) {
  if (texto.size() < 10) return false;
  bool esNumero = false;
  const int vuelta = texto.mid(3, 6).toInt(&esNumero);
  return esNumero && texto == ValorEscrito(texto.at(0), valor, vuelta);
}
