// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <initializer_list>

class QFrame;
class QKeyEvent;
class QObject;
class QPushButton;
class QString;
class QWidget;

// What both windows share: their face, their frame and the rules for Enter and access keys.

// Font, button-face background, and the designed client size (scaled) and place (as designed).
void PrepararVentana(QWidget& ventana, QSize cliente, QPoint posicion);

// Designed geometry scaled to the window font's text height (designed for 13 pixels).
class Geometria final {
 public:
  explicit Geometria(const QWidget& ventana);
  [[nodiscard]] QRect operator()(int izquierda, int arriba, int ancho, int alto) const;

 private:
  int altoTexto_;
};

// The sunken frame over the whole client area, under every other control.
QFrame* NuevoBisel(QWidget& ventana, const QString& nombre);

// Enter or keypad Enter without Shift, Ctrl or Alt: the window's own key.
[[nodiscard]] bool EsEnterDeDialogo(const QKeyEvent& tecla);

[[nodiscard]] bool SePuedePulsar(const QPushButton& boton);

// The key, in either case and whatever the modifiers, is the character after the caption's "&".
[[nodiscard]] bool EsTeclaDeAcceso(const QKeyEvent& tecla, const QPushButton& boton);

// The window's keys for its buttons, for an event filter on `objeto`. Enter presses the focused
// push button, or else `porDefecto`, and is always taken. An access key, in either case, presses
// the button of `botones` it belongs to: with Alt (Shift or not) from any control, alone only on
// a focused button, which takes no typed characters. True when the key was taken.
[[nodiscard]] bool PulsarConEnter(QObject* objeto, const QKeyEvent& tecla, QPushButton& porDefecto);
[[nodiscard]] bool PulsarConTeclaDeAcceso(QObject* objeto, const QKeyEvent& tecla,
                                          std::initializer_list<QPushButton*> botones);
