// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The window-free rules of the application shell.

// Title from the running executable's path: the file name up to its first ".", every character
// but the first lower-cased.
[[nodiscard]] std::string TituloDePrograma(std::string_view rutaPrograma);

// A failure's message as the report shows it: "." appended when the last byte, unsigned, lies
// above "." (letters, digits, ":", "?", bytes from 0x80), so "'", ")", "!" and "," end it as is.
[[nodiscard]] std::string ConPuntoFinal(std::string_view mensaje);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or the result
// does not fit in an int.
[[nodiscard]] int MulDiv(int a, int b, int c);

struct Rectangulo final {
  int x = 0;
  int y = 0;
  int ancho = 0;
  int alto = 0;
  bool operator==(const Rectangulo&) const = default;
};

struct Punto final {
  int x = 0;
  int y = 0;
  bool operator==(const Punto&) const = default;
};

// The side of the error dialog's icon, in pixels.
inline constexpr int kLadoIcono = 32;

// Measures taken with the error dialog's font, in pixels.
struct MedidasError final {
  int cx = 0;          // width of "A".."Z" "a".."z" divided by 52
  int cy = 0;          // height of that run
  int anchoOk = 0;     // the "OK" caption on one line
  int anchoTexto = 0;  // the message laid out at AnchoDeAjuste()
  int altoTexto = 0;
};

struct DisposicionError final {
  int margenH = 0;
  int margenV = 0;
  int espacioH = 0;
  int espacioV = 0;
  int anchoCliente = 0;
  int altoCliente = 0;
  Rectangulo icono;
  Rectangulo texto;
  Rectangulo boton;
};

// Width to wrap the message at before measuring it: half the primary screen.
[[nodiscard]] int AnchoDeAjuste(int anchoPantalla);

// Client area and control rectangles of the error dialog.
[[nodiscard]] DisposicionError CalcularDisposicion(const MedidasError& medidas);

// Top-left corner of a dialog of the given outer size centred on `pantalla`, never left of or
// above its corner.
[[nodiscard]] Punto PosicionDialogo(int anchoDialogo, int altoDialogo, const Rectangulo& pantalla);
