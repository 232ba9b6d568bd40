// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "tests/comun/ventana_modal.h"
#include "ui/boton_glifo.h"

Q_DECLARE_METATYPE(TipoBoton)

namespace {

bool Parecido(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
         std::abs(a.blue() - b.blue()) < 40;
}

// Pixels clearly of one hue: counted only where the picture is mostly opaque.
int PixelesDe(const QImage& imagen, QColor color) {
  int cuenta = 0;
  for (int y = 0; y < imagen.height(); ++y) {
    for (int x = 0; x < imagen.width(); ++x) {
      const QColor pixel = imagen.pixelColor(x, y);
      if (pixel.alpha() > 200 && Parecido(pixel, color)) ++cuenta;
    }
  }
  return cuenta;
}

QImage Pintar(QWidget& control) {
  QImage imagen(control.size(), QImage::Format_ARGB32);
  imagen.fill(Qt::magenta);
  control.render(&imagen);
  return imagen;
}

// The box holding every pixel near `color`, leaving out a margin where frames are drawn.
QRect CajaDe(const QImage& imagen, QColor color, int margen) {
  QRect caja;
  for (int y = margen; y < imagen.height() - margen; ++y) {
    for (int x = margen; x < imagen.width() - margen; ++x) {
      if (Parecido(imagen.pixelColor(x, y), color)) caja |= QRect(x, y, 1, 1);
    }
  }
  return caja;
}

}  // namespace

class BotonGlifoTest final : public QObject {
  Q_OBJECT

 private slots:
  void tipos_data() {
    QTest::addColumn<TipoBoton>("tipo");
    QTest::addColumn<bool>("defecto");
    QTest::addColumn<int>("resultado");
    QTest::addColumn<QColor>("tinta");
    QTest::newRow("OK") << TipoBoton::OK << true << 1 << QColor(0, 128, 0);
    QTest::newRow("Help") << TipoBoton::Help << false << 0 << QColor(0, 128, 128);
    QTest::newRow("Yes") << TipoBoton::Yes << true << 6 << QColor(0, 128, 0);
    QTest::newRow("No") << TipoBoton::No << false << 7 << QColor(192, 0, 0);
  }

  void tipos() {
    QFETCH(TipoBoton, tipo);
    QFETCH(bool, defecto);
    QFETCH(int, resultado);
    QFETCH(QColor, tinta);

    QWidget ventana;
    BotonGlifo boton(tipo, QStringLiteral("&Caption"), &ventana);
    QCOMPARE(boton.text(), QStringLiteral("&Caption"));
    QCOMPARE(boton.isDefault(), defecto);
    QCOMPARE(boton.ResultadoModal(), resultado);

    const QImage glifo = DibujarGlifo(tipo);
    QCOMPARE(glifo.size(), QSize(18, 18));
    QCOMPARE(glifo.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(glifo.pixelColor(17, 17).alpha(), 0);
    QVERIFY(PixelesDe(glifo, tinta) > 15);
    for (const QColor otra : {QColor(0, 128, 0), QColor(0, 128, 128), QColor(192, 0, 0)}) {
      if (otra != tinta) QCOMPARE(PixelesDe(glifo, otra), 0);
    }
  }

  void parCentradoYHundidoUnPixel_data() {
    QTest::addColumn<TipoBoton>("tipo");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QColor>("tinta");
    QTest::newRow("OK") << TipoBoton::OK << QStringLiteral("&Buscar") << QColor(0, 128, 0);
    QTest::newRow("Help") << TipoBoton::Help << QStringLiteral("&Config.") << QColor(0, 128, 128);
  }

  void parCentradoYHundidoUnPixel() {
    QFETCH(TipoBoton, tipo);
    QFETCH(QString, texto);
    QFETCH(QColor, tinta);

    QWidget ventana;
    BotonGlifo boton(tipo, texto, &ventana);
    boton.setGeometry(0, 0, 90, 27);
    QPalette paleta = boton.palette();
    paleta.setColor(QPalette::ButtonText, Qt::black);
    boton.setPalette(paleta);

    const QImage suelto = Pintar(boton);
    const QRect glifo = CajaDe(suelto, tinta, 3);
    QVERIFY(glifo.isValid());
    // The 18-pixel picture stands in the vertical middle.
    QVERIFY(glifo.top() >= (27 - BotonGlifo::kLadoGlifo) / 2);
    QVERIFY(glifo.bottom() < (27 - BotonGlifo::kLadoGlifo) / 2 + BotonGlifo::kLadoGlifo);
    const QRect letras = CajaDe(suelto, Qt::black, 3);
    QVERIFY(letras.isValid());
    // Where the 18x18 picture starts, found from where its ink lies inside the picture itself.
    const QImage imagen = DibujarGlifo(tipo);
    int tintaIzquierda = imagen.width();
    for (int y = 0; y < imagen.height(); ++y) {
      for (int x = 0; x < imagen.width(); ++x) {
        const QColor pixel = imagen.pixelColor(x, y);
        if (pixel.alpha() > 200 && Parecido(pixel, tinta))
          tintaIzquierda = std::min(tintaIzquierda, x);
      }
    }
    const int inicioGlifo = glifo.left() - tintaIzquierda;
    const int hueco = letras.left() - (inicioGlifo + BotonGlifo::kLadoGlifo);
    QVERIFY2(hueco >= BotonGlifo::kSeparacion - 1 && hueco <= BotonGlifo::kSeparacion + 2,
             qPrintable(QString::number(hueco)));
    // The picture and the caption's advance, as one block, sit in the middle of the button.
    const int ancho = boton.fontMetrics().size(Qt::TextShowMnemonic, texto).width();
    QVERIFY(std::abs(inicioGlifo -
                     (90 - (BotonGlifo::kLadoGlifo + BotonGlifo::kSeparacion + ancho)) / 2) <= 1);

    boton.setDown(true);
    const QImage hundido = Pintar(boton);
    QCOMPARE(CajaDe(hundido, tinta, 3), glifo.translated(1, 1));
    QCOMPARE(CajaDe(hundido, Qt::black, 3), letras.translated(1, 1));
  }

  void contornoDelBotonPorDefecto() {
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* porDefecto = new BotonGlifo(TipoBoton::OK, QStringLiteral("&Si"), &ventana);
    auto* otro = new BotonGlifo(TipoBoton::Help, QStringLiteral("&Otro"), &ventana);
    auto* llano = new QPushButton(QStringLiteral("&Llano"), &ventana);
    capa->addWidget(porDefecto);
    capa->addWidget(otro);
    capa->addWidget(llano);
    QVERIFY(Mostrar(ventana));

    llano->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), llano);
    QVERIFY(!porDefecto->EsDefectoActivo());
    QVERIFY(!otro->EsDefectoActivo());

    otro->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), otro);
    QVERIFY(otro->EsDefectoActivo());
    QVERIFY(!porDefecto->EsDefectoActivo());

    ventana.setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &ventana);
    QVERIFY(porDefecto->EsDefectoActivo());
    QVERIFY(!otro->EsDefectoActivo());
  }

  void teclaDeAccesoConAlt() {
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* boton = new BotonGlifo(TipoBoton::OK, QStringLiteral("&Buscar"), &ventana);
    auto* otro = new QPushButton(QStringLiteral("Otro"), &ventana);
    capa->addWidget(boton);
    capa->addWidget(otro);
    QVERIFY(Mostrar(ventana));
    otro->setFocus();
    QSignalSpy pulsado(boton, &QPushButton::clicked);
    QTest::keyClick(otro, Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(pulsado.count(), 1);
  }
};

QTEST_MAIN(BotonGlifoTest)
#include "boton_glifo_test.moc"
