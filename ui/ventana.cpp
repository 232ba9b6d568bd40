// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ventana.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPalette>
#include <QPushButton>

#include "ui/escala.h"

namespace {

// The layout assumes "MS Sans Serif" 8 pt: DejaVu Sans Condensed (Debian's fonts-dejavu-extra, a
// dependency of the package) has its text height (13 pixels) and comes closest to its widths.
QFont FuenteVentana() {
  QFont fuente;
  fuente.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
  fuente.setStyleHint(QFont::SansSerif);
  fuente.setPointSize(8);
  return fuente;
}

constexpr Qt::KeyboardModifiers kModificadores =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

}  // namespace

void PrepararVentana(QWidget& ventana, QSize cliente, QPoint posicion) {
  ventana.setFont(FuenteVentana());
  QPalette paleta = ventana.palette();
  paleta.setColor(QPalette::Window, paleta.color(QPalette::Button));
  ventana.setPalette(paleta);
  ventana.setAutoFillBackground(true);
  ventana.setFixedSize(Geometria(ventana)(0, 0, cliente.width(), cliente.height()).size());
  ventana.move(posicion);
}

Geometria::Geometria(const QWidget& ventana) : altoTexto_(QFontMetrics(ventana.font()).height()) {}

QRect Geometria::operator()(int izquierda, int arriba, int ancho, int alto) const {
  return EscalarRect(QRect(izquierda, arriba, ancho, alto), altoTexto_);
}

QFrame* NuevoBisel(QWidget& ventana, const QString& nombre) {
  auto* bisel = new QFrame(&ventana);
  bisel->setObjectName(nombre);
  bisel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bisel->setLineWidth(1);
  bisel->setGeometry(ventana.rect());
  bisel->setAttribute(Qt::WA_TransparentForMouseEvents);
  bisel->setFocusPolicy(Qt::NoFocus);
  return bisel;
}

bool EsEnterDeDialogo(const QKeyEvent& tecla) {
  return (tecla.key() == Qt::Key_Return || tecla.key() == Qt::Key_Enter) &&
         (tecla.modifiers() & kModificadores) == Qt::NoModifier;
}

bool SePuedePulsar(const QPushButton& boton) {
  return boton.isVisible() && boton.isEnabled() && boton.window()->isEnabled();
}

bool EsTeclaDeAcceso(const QKeyEvent& tecla, const QPushButton& boton) {
  const QKeySequence acceso = QKeySequence::mnemonic(boton.text());
  if (acceso.isEmpty()) return false;
  // A letter's key code is the same in either case; Shift only changes the text it types.
  return acceso[0].key() == static_cast<Qt::Key>(tecla.key());
}

bool PulsarConEnter(QObject* objeto, const QKeyEvent& tecla, QPushButton& porDefecto) {
  if (!EsEnterDeDialogo(tecla)) return false;
  auto* enfocado = qobject_cast<QPushButton*>(objeto);
  QPushButton& boton = enfocado != nullptr ? *enfocado : porDefecto;
  if (SePuedePulsar(boton)) boton.click();
  return true;
}

bool PulsarConTeclaDeAcceso(QObject* objeto, const QKeyEvent& tecla,
                            std::initializer_list<QPushButton*> botones) {
  const Qt::KeyboardModifiers modificadores = tecla.modifiers();
  if (modificadores & Qt::ControlModifier) return false;
  const bool conAlt = modificadores.testFlag(Qt::AltModifier);
  // Alt+Space is the window manager's; a lone key is typed text wherever text can be typed.
  if (conAlt ? tecla.key() == Qt::Key_Space : qobject_cast<QPushButton*>(objeto) == nullptr) {
    return false;
  }
  for (QPushButton* boton : botones) {
    if (!EsTeclaDeAcceso(tecla, *boton) || !SePuedePulsar(*boton)) continue;
    // With Alt the button looks pressed for a moment first, as Qt's own Alt+letter does.
    if (conAlt) {
      boton->animateClick();
    } else {
      boton->click();
    }
    return true;
  }
  return false;
}
