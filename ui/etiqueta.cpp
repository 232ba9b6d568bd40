// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/etiqueta.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// A screen reader reads what is drawn, and nothing for an empty label: Qt's own label interface
// would read the enclosing group's caption there, and "&&" as two ampersands.
class AccesibleEtiqueta final : public QAccessibleWidget {
 public:
  explicit AccesibleEtiqueta(QLabel& etiqueta)
      : QAccessibleWidget(&etiqueta, QAccessible::StaticText) {}

  [[nodiscard]] QString text(QAccessible::Text tipo) const override {
    if (tipo != QAccessible::Name) return QAccessibleWidget::text(tipo);
    const QString propio = widget()->accessibleName();
    return propio.isEmpty() ? TextoDibujado(static_cast<const QLabel*>(widget())->text()) : propio;
  }
};

// QAccessible's cache owns what this returns and drops it with the label.
QAccessibleInterface* FabricaAccesible(const QString& clase, QObject* objeto) {
  if (clase != QLatin1String("EtiquetaPrefijo")) return nullptr;
  return new AccesibleEtiqueta(*static_cast<EtiquetaPrefijo*>(objeto));
}

}  // namespace

QString TextoDibujado(const QString& texto) {
  QString dibujado;
  dibujado.reserve(texto.size());
  for (qsizetype i = 0; i < texto.size(); ++i) {
    if (texto[i] == u'&' && ++i == texto.size()) break;
    dibujado += texto[i];
  }
  return dibujado;
}

EtiquetaPrefijo::EtiquetaPrefijo(QWidget* parent) : QLabel(parent) {
  [[maybe_unused]] static const bool instalada = [] {
    QAccessible::installFactory(FabricaAccesible);
    return true;
  }();
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

void EtiquetaPrefijo::PermitirCopia() {
  auto* copiar = new QAction(QStringLiteral("Copiar"), this);
  connect(copiar, &QAction::triggered, this,
          [this] { QGuiApplication::clipboard()->setText(TextoDibujado(text())); });
  addAction(copiar);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

bool EtiquetaPrefijo::Cortada() const {
  const int ancho = fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, text()).width();
  return ancho > contentsRect().width();
}

bool EtiquetaPrefijo::event(QEvent* evento) {
  // By hand rather than as the label's tooltip, which screen readers would read besides its name.
  if (evento->type() == QEvent::ToolTip) {
    if (Cortada()) {
      QToolTip::showText(static_cast<QHelpEvent*>(evento)->globalPos(), TextoDibujado(text()),
                         this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QLabel::event(evento);
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
