// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The one way tests act inside a modal window: once the modal window named `nombre` (any, when
// `nombre` is empty) is up, `accion` runs on it from inside that window's own event loop. Call it
// before whatever brings the window up. It polls from a timer rather than waiting in a loop of its
// own, so a window brought up by an event it would be handling is reached as well. A window that
// does not come within 10 s fails the test, and whatever other modal window is up then is closed,
// so that nothing hangs.
void EnVentanaModal(const QString& nombre, std::function<void(QWidget&)> accion);

// The search window's value labels in reading order, each with the caption read out with it.
extern const QList<QPair<QString, QString>> kEtiquetasDeValor;

// The texts of the search window's value labels, in reading order.
[[nodiscard]] QStringList Valores(const QWidget& ventana);

// Shows `ventana` and waits until it is the active window; false when it never becomes so.
[[nodiscard]] bool Mostrar(QWidget& ventana);
