// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/comun/ventana_modal.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>

void EnVentanaModal(const QString& nombre, std::function<void(QWidget&)> accion) {
  // Owned by the application, so it outlives the test function that armed it only until it fires.
  auto* reloj = new QTimer(QCoreApplication::instance());
  reloj->setInterval(5);
  const QDeadlineTimer plazo(10'000);
  QObject::connect(reloj, &QTimer::timeout, reloj, [reloj, nombre, plazo, accion] {
    QWidget* modal = QApplication::activeModalWidget();
    const bool llego = modal != nullptr && modal->isVisible() &&
                       (nombre.isEmpty() || modal->objectName() == nombre);
    if (!llego && !plazo.hasExpired()) return;
    reloj->stop();
    reloj->deleteLater();
    if (llego) {
      accion(*modal);
      return;
    }
    const QString otra = modal != nullptr ? modal->objectName() : QStringLiteral("none");
    if (modal != nullptr) modal->close();
    QFAIL(qPrintable(
        QStringLiteral("the modal window '%1' never came up (modal: %2)").arg(nombre, otra)));
  });
  reloj->start();
}

const QList<QPair<QString, QString>> kEtiquetasDeValor = {
    {QStringLiteral("lblBBS_"), QStringLiteral("BBS:")},
    {QStringLiteral("lblSysop_"), QStringLiteral("Sysop:")},
    {QStringLiteral("lblCiudadNodo_"), QStringLiteral("Ciudad:")},
    {QStringLiteral("lblNombre_"), QStringLiteral("Nombre:")},
    {QStringLiteral("lblNick_"), QStringLiteral("Nick:")},
    {QStringLiteral("lblCiudadPunto_"), QStringLiteral("Ciudad:")},
    {QStringLiteral("lblTelefono_"), QStringLiteral("Teléfono:")}};

QStringList Valores(const QWidget& ventana) {
  QStringList textos;
  for (const auto& etiqueta : kEtiquetasDeValor)
    textos << ventana.findChild<QLabel*>(etiqueta.first)->text();
  return textos;
}

bool Mostrar(QWidget& ventana) {
  ventana.show();
  return QTest::qWaitForWindowActive(&ventana);
}
