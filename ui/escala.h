// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <cstdint>

// The window geometry was laid out for a font whose text is 13 pixels high.
inline constexpr int kAltoTextoDisenado = 13;

// `valor` * altoTexto / 13, to the nearest whole pixel (the odd divisor means there is never a
// tie).
[[nodiscard]] constexpr int Escalar(int valor, int altoTexto) noexcept {
  const std::int64_t producto = std::int64_t{valor} * altoTexto;
  const std::int64_t mitad = kAltoTextoDisenado / 2;
  const std::int64_t redondeado = producto >= 0 ? producto + mitad : producto - mitad;
  return static_cast<int>(redondeado / kAltoTextoDisenado);
}

// Position and size scale separately, as the controls' left, top, width and height do.
[[nodiscard]] inline QRect EscalarRect(const QRect& disenado, int altoTexto) noexcept {
  return {Escalar(disenado.x(), altoTexto), Escalar(disenado.y(), altoTexto),
          Escalar(disenado.width(), altoTexto), Escalar(disenado.height(), altoTexto)};
}
