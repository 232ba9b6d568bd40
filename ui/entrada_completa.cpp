// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entrada_completa.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/ventana.h"

DlgEntradaCompleta::DlgEntradaCompleta(const QString& texto, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmEntradaCompleta"));
  setWindowTitle(QStringLiteral("Entrada completa"));

  txtEntrada = new QPlainTextEdit(texto, this);
  txtEntrada->setObjectName(QStringLiteral("txtEntrada"));
  txtEntrada->setAccessibleName(windowTitle());
  txtEntrada->setReadOnly(true);
  txtEntrada->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  txtEntrada->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtEntrada->installEventFilter(this);

  btnCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
  btnCerrar->setObjectName(QStringLiteral("btnCerrar"));
  btnCerrar->setDefault(true);
  btnCerrar->installEventFilter(this);
  connect(btnCerrar, &QPushButton::clicked, this, &QDialog::accept);

  auto* columna = new QVBoxLayout(this);
  columna->addWidget(txtEntrada);
  columna->addWidget(btnCerrar, 0, Qt::AlignRight);

  // Room for the longest line and every line, the frame and a scroll bar's width to spare.
  const QFontMetrics medida(txtEntrada->font());
  int ancho = 0;
  const QStringList lineas = texto.split(u'\n');
  for (const QString& linea : lineas)
    ancho = std::max(ancho, medida.horizontalAdvance(linea));
  const int margen =
      2 * (txtEntrada->frameWidth() + static_cast<int>(txtEntrada->document()->documentMargin())) +
      txtEntrada->verticalScrollBar()->sizeHint().width();
  QSize tamano(ancho + margen, static_cast<int>(lineas.size() + 1) * medida.lineSpacing() + margen);
  // With every screen unplugged there is no screen to stay within.
  if (const QScreen* pantalla = screen(); pantalla != nullptr) {
    const QRect area = pantalla->availableGeometry();
    tamano = tamano.boundedTo({area.width() * 3 / 4, area.height() * 3 / 4});
  }
  txtEntrada->setMinimumSize(tamano);
  txtEntrada->setFocus();
}

bool DlgEntradaCompleta::eventFilter(QObject* objeto, QEvent* evento) {
  // The text box would take Enter as a key of its own; here it closes, as on the button.
  if (evento->type() == QEvent::KeyPress && EsEnterDeDialogo(static_cast<QKeyEvent&>(*evento))) {
    accept();
    return true;
  }
  return QDialog::eventFilter(objeto, evento);
}
