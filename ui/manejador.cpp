// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/manejador.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

QEvent::Type TipoManejo() {
  static const auto tipo = static_cast<QEvent::Type>(QEvent::registerEventType());
  return tipo;
}

class EventoManejo final : public QEvent {
 public:
  explicit EventoManejo(const std::function<void()>& f) : QEvent(TipoManejo()), manejador(f) {}
  const std::function<void()>& manejador;
};

// Not a widget: between the guard and this receiver only event dispatch runs, which holds nothing
// an exception could leave behind.
class Receptor final : public QObject {
 protected:
  bool event(QEvent* evento) override {
    if (evento->type() != TipoManejo()) return QObject::event(evento);
    static_cast<EventoManejo*>(evento)->manejador();
    return true;
  }
};

}  // namespace

void Manejar(const std::function<void()>& manejador) {
  Receptor receptor;
  EventoManejo evento(manejador);
  QCoreApplication::sendEvent(&receptor, &evento);
}
