// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogo_error.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "app/reglas.h"

namespace {

constexpr int kBanderasMensaje = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;

// The message drawn with the very flags it was measured with, so it fills its rectangle exactly.
class TextoMensaje final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter pintor(this);
    pintor.setPen(palette().color(QPalette::WindowText));
    pintor.drawText(rect(), kBanderasMensaje, text());
  }
};

QRect ComoQRect(const Rectangulo& r) {
  return {r.x, r.y, r.ancho, r.alto};
}

Rectangulo ComoRectangulo(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

// Dialogs go to the screen the user is working on: the active window's, else the primary one.
// With every screen unplugged Qt has none; the dialog is then laid out as on the smallest screen
// its layout was made for.
QRect AreaDeTrabajo() {
  if (const QWidget* activa = QApplication::activeWindow(); activa != nullptr) {
    if (const QScreen* pantalla = activa->screen(); pantalla != nullptr)
      return pantalla->geometry();
  }
  if (const QScreen* primaria = QGuiApplication::primaryScreen(); primaria != nullptr) {
    return primaria->geometry();
  }
  return {0, 0, 640, 480};
}

// The frame the window manager put around `ventana`, or around the first framed window of the
// program on screen; none when no window is framed yet.
QMargins MarcoDeVentana(const QWidget* ventana) {
  const auto marco = [](const QWidget& v) {
    const QRect fuera = v.frameGeometry();
    const QRect dentro = v.geometry();
    return QMargins(dentro.left() - fuera.left(), dentro.top() - fuera.top(),
                    fuera.right() - dentro.right(), fuera.bottom() - dentro.bottom());
  };
  if (ventana != nullptr && ventana->isVisible()) return marco(*ventana);
  for (const QWidget* v : QApplication::topLevelWidgets()) {
    if (v->isVisible() && !marco(*v).isNull()) return marco(*v);
  }
  return {};
}

}  // namespace

void SoltarRaton() {
  if (QWidget* captura = QWidget::mouseGrabber(); captura != nullptr) captura->releaseMouse();
}

void MostrarDialogoError(const QString& texto, std::optional<int>& anchoOk) {
  const QPointer<QWidget> activaAntes = QApplication::activeWindow();
  const QRect area = AreaDeTrabajo();

  QDialog dialogo(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  dialogo.setObjectName(QStringLiteral("frmError"));
  dialogo.setWindowTitle(QStringLiteral("Error"));
  dialogo.setFont(QApplication::font("QMessageBox"));

  const QFontMetrics medidor(dialogo.font());
  const QSize tramo =
      medidor.size(0, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  if (!anchoOk) anchoOk = medidor.horizontalAdvance(QStringLiteral("OK"));
  const QScreen* const primaria = QGuiApplication::primaryScreen();
  const int anchoPantalla = primaria != nullptr ? primaria->size().width() : area.width();
  const QRect caja =
      medidor.boundingRect(QRect(0, 0, AnchoDeAjuste(anchoPantalla), 0), kBanderasMensaje, texto);

  const DisposicionError d = CalcularDisposicion({.cx = tramo.width() / 52,
                                                  .cy = tramo.height(),
                                                  .anchoOk = *anchoOk,
                                                  .anchoTexto = caja.width(),
                                                  .altoTexto = caja.height()});
  dialogo.setFixedSize(d.anchoCliente, d.altoCliente);

  auto* imagen = new QLabel(&dialogo);
  imagen->setObjectName(QStringLiteral("Image"));
  imagen->setPixmap(dialogo.style()
                        ->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, &dialogo)
                        .pixmap(kLadoIcono, kLadoIcono));
  imagen->setGeometry(ComoQRect(d.icono));

  auto* etiqueta = new TextoMensaje(texto, &dialogo);
  etiqueta->setObjectName(QStringLiteral("Message"));
  etiqueta->setTextFormat(Qt::PlainText);
  etiqueta->setWordWrap(true);
  etiqueta->setGeometry(ComoQRect(d.texto));

  auto* boton = new QPushButton(QStringLiteral("OK"), &dialogo);
  boton->setObjectName(QStringLiteral("OK"));
  boton->setGeometry(ComoQRect(d.boton));
  // Default and cancel at once: Enter and Esc both press it (QDialog rejects on Esc).
  boton->setDefault(true);
  boton->setFocus();
  QObject::connect(boton, &QPushButton::clicked, &dialogo, &QDialog::accept);

  // Centred by its outer size; the window manager frames it only once it is shown, as it framed
  // the program's windows already on screen.
  const QMargins marco = MarcoDeVentana(activaAntes.data());
  const Punto esquina =
      PosicionDialogo(d.anchoCliente + marco.left() + marco.right(),
                      d.altoCliente + marco.top() + marco.bottom(), ComoRectangulo(area));
  dialogo.move(esquina.x, esquina.y);
  dialogo.setWindowModality(Qt::ApplicationModal);

  SoltarRaton();
  dialogo.exec();
  if (activaAntes) activaAntes->activateWindow();
}
