#include "ui/etiqueta.h"

#include <QPainter>

EtiquetaPrefijo::EtiquetaPrefijo(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

void EtiquetaPrefijo::paintEvent(QPaintEvent* /*evento*/) {
  QPainter pintor(this);
  const QRect caja = contentsRect();
  pintor.setClipRect(caja);
  pintor.setFont(font());
  pintor.setPen(palette().color(foregroundRole()));
  pintor.drawText(caja, static_cast<int>(alignment()) | Qt::TextSingleLine | Qt::TextShowMnemonic,
                  text());
}
