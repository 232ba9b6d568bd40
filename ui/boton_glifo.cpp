// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/boton_glifo.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

const QColor kVerdeGlifo(0, 128, 0);
const QColor kTurquesaGlifo(0, 128, 128);
const QColor kRojoGlifo(192, 0, 0);

void DibujarVisto(QPainter& pintor) {
  QPen pluma(kVerdeGlifo, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  pintor.setPen(pluma);
  const QPointF trazo[] = {{3.0, 9.5}, {7.0, 13.5}, {15.0, 4.5}};
  pintor.drawPolyline(trazo, 3);
}

void DibujarInterrogacion(QPainter& pintor) {
  QPen pluma(kTurquesaGlifo, 2.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  pintor.setPen(pluma);
  QPainterPath gancho;
  gancho.moveTo(5.0, 6.0);
  gancho.arcTo(QRectF(5.0, 2.0, 8.0, 7.0), 180.0, -270.0);
  gancho.lineTo(9.0, 12.0);
  pintor.drawPath(gancho);
  pintor.setPen(Qt::NoPen);
  pintor.setBrush(kTurquesaGlifo);
  pintor.drawRect(QRectF(7.75, 13.5, 2.5, 2.5));
}

void DibujarProhibido(QPainter& pintor) {
  QPen pluma(kRojoGlifo, 2.5);
  pintor.setPen(pluma);
  pintor.drawEllipse(QRectF(2.5, 2.5, 13.0, 13.0));
  pintor.drawLine(QPointF(4.5, 4.5), QPointF(13.5, 13.5));
}

}  // namespace

QImage DibujarGlifo(TipoBoton tipo) {
  QImage imagen(BotonGlifo::kLadoGlifo, BotonGlifo::kLadoGlifo,
                QImage::Format_ARGB32_Premultiplied);
  imagen.fill(Qt::transparent);
  QPainter pintor(&imagen);
  pintor.setRenderHint(QPainter::Antialiasing);
  switch (tipo) {
    case TipoBoton::OK:
    case TipoBoton::Yes:
      DibujarVisto(pintor);
      break;
    case TipoBoton::Help:
      DibujarInterrogacion(pintor);
      break;
    case TipoBoton::No:
      DibujarProhibido(pintor);
      break;
  }
  return imagen;
}

BotonGlifo::BotonGlifo(TipoBoton tipo, const QString& texto, QWidget* parent)
    : QPushButton(texto, parent), tipo_(tipo) {
  setDefault(tipo == TipoBoton::OK || tipo == TipoBoton::Yes);
  // The default outline moves with the focus of the whole window, not only of this button.
  alCambiarFoco_ = connect(qApp, &QApplication::focusChanged, this, [this] {
    if (isDefault()) update();
  });
}

// Focus moves while the window tears its children down, after this button is no longer one.
BotonGlifo::~BotonGlifo() {
  disconnect(alCambiarFoco_);
}

int BotonGlifo::ResultadoModal() const noexcept {
  switch (tipo_) {
    case TipoBoton::OK:
      return 1;
    case TipoBoton::Yes:
      return 6;
    case TipoBoton::No:
      return 7;
    case TipoBoton::Help:
      break;
  }
  return 0;
}

bool BotonGlifo::EsDefectoActivo() const {
  if (hasFocus()) return true;
  if (!isDefault()) return false;
  return qobject_cast<const QPushButton*>(window()->focusWidget()) == nullptr;
}

void BotonGlifo::paintEvent(QPaintEvent* /*evento*/) {
  QPainter pintor(this);
  QStyleOptionButton opcion;
  initStyleOption(&opcion);

  QRect cara = rect();
  if (EsDefectoActivo()) {
    pintor.setPen(palette().color(QPalette::Shadow));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(cara.adjusted(0, 0, -1, -1));
    cara.adjust(1, 1, -1, -1);
  }
  const bool hundido = isDown();
  if (hundido) {
    pintor.fillRect(cara, palette().button());
    pintor.setPen(palette().color(QPalette::Dark));
    pintor.drawRect(cara.adjusted(0, 0, -1, -1));
  } else {
    opcion.rect = cara;
    opcion.state &= ~(QStyle::State_Sunken | QStyle::State_On | QStyle::State_HasFocus);
    opcion.state |= QStyle::State_Raised;
    opcion.features &= ~(QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton);
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opcion, &pintor, this);
  }

  const int mnemonico = style()->styleHint(QStyle::SH_UnderlineShortcut, &opcion, this) != 0
                            ? Qt::TextShowMnemonic
                            : Qt::TextHideMnemonic;
  const int banderas = Qt::TextSingleLine | mnemonico;
  const QSize tamTexto = fontMetrics().size(banderas, text());
  const int desplazamiento = hundido ? 1 : 0;
  const int izquierda =
      (width() - (kLadoGlifo + kSeparacion + tamTexto.width())) / 2 + desplazamiento;

  QImage glifo = DibujarGlifo(tipo_);
  if (!isEnabled()) {
    glifo =
        style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(glifo), &opcion).toImage();
  }
  pintor.drawImage(QPoint(izquierda, (height() - kLadoGlifo) / 2 + desplazamiento), glifo);

  const QRect cajaTexto(izquierda + kLadoGlifo + kSeparacion, desplazamiento, tamTexto.width(),
                        height());
  pintor.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  pintor.drawText(cajaTexto, banderas | Qt::AlignLeft | Qt::AlignVCenter, text());

  if (hasFocus()) {
    QPen punteado(palette().color(QPalette::ButtonText), 0, Qt::DotLine);
    pintor.setPen(punteado);
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(rect().adjusted(4, 4, -5, -5));
  }
}
