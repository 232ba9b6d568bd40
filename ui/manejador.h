// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <functional>

// Runs a window's handler as the handling of an event of its own, sent through the application.
// A failure that leaves the handler then meets the application's event guard at once, instead of
// unwinding through Qt Widgets' own frames (built without exception support, they would be left
// half-done: their locals never destroyed, a button's click bookkeeping leaked). The one way the
// program runs a handler; a failure reported by the guard ends only that handler.
void Manejar(const std::function<void()>& manejador);

// `metodo` of `ventana` as the click handler of `boton`, run through Manejar.
template <typename Ventana>
void AlPulsar(QAbstractButton& boton, Ventana& ventana, void (Ventana::*metodo)()) {
  QObject::connect(&boton, &QAbstractButton::clicked, &ventana,
                   [&ventana, metodo] { Manejar([&ventana, metodo] { (ventana.*metodo)(); }); });
}
