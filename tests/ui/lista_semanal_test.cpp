// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "ui/dialogo_archivo.h"
#include "ui/unit2.h"

class ListaSemanalTest final : public QObject {
  Q_OBJECT

 private slots:
  void rutaParaCaja_data() {
    QTest::addColumn<QString>("elegido");
    QTest::addColumn<QString>("enCaja");
    const auto fila = [](const char* caso, const char* elegido, const char* enCaja) {
      QTest::newRow(caso) << QString::fromUtf8(elegido) << QString::fromUtf8(enCaja);
    };
    fila("semanal", "/fido/NODELIST.003", "/fido/NODELIST");
    fila("archivo semanal", "/fido/NODELIST.Z03", "/fido/NODELIST");
    fila("en minúsculas, como se escribe", "/fido/nodelist.a52", "/fido/nodelist");
    fila("otra base", "/fido/Z2DAILY.006", "/fido/Z2DAILY");
    fila("carpeta con puntos y acentos", "/srv/fido.2025/puntos de España/POINTS.345",
         "/srv/fido.2025/puntos de España/POINTS");
    fila("base con punto", "/fido/net.5020.045", "/fido/net.5020");
    fila("zip", "/fido/NODELIST.ZIP", "/fido/NODELIST.ZIP");
    fila("dos letras", "/fido/NODELIST.ZA3", "/fido/NODELIST.ZA3");
    fila("cuatro cifras", "/fido/NODELIST.0034", "/fido/NODELIST.0034");
    fila("dos cifras", "/fido/NODELIST.03", "/fido/NODELIST.03");
    fila("sin base", "/fido/.003", "/fido/.003");
    fila("sin sufijo", "/fido/NODELIST", "/fido/NODELIST");
    fila("segmento", "/fido/pnt5020.ndl", "/fido/pnt5020.ndl");
    fila("carpeta semanal", "/fido/NODELIST.003/lista", "/fido/NODELIST.003/lista");
  }

  void rutaParaCaja() {
    QFETCH(QString, elegido);
    QFETCH(QString, enCaja);
    QCOMPARE(RutaParaCaja(elegido), enCaja);
  }

  // The dialog's answer goes in by its base name; what the user types stays as typed.
  void elegidaEnElDialogoEscritaAMano() {
    QTemporaryDir raiz;
    QVERIFY(raiz.isValid());
    QVERIFY(qputenv("XDG_CONFIG_HOME", QFile::encodeName(raiz.path())));
    const auto ventana = std::make_unique<TfrmConfig>();
    ventana->FormCreate();
    auto* nodos = ventana->findChild<QLineEdit*>(QStringLiteral("txtNodelist"));
    auto* puntos = ventana->findChild<QLineEdit*>(QStringLiteral("txtPointlist"));
    ResponderProximoDialogo(QStringLiteral("/fido/nodelist.z52"));
    ventana->findChild<QPushButton*>(QStringLiteral("btnBuscarNodelist"))->click();
    QCOMPARE(nodos->text(), QStringLiteral("/fido/nodelist"));
    puntos->setText(QStringLiteral("/fido/POINTS.052"));
    ventana->findChild<QPushButton*>(QStringLiteral("btnAceptar"))->click();
    AlmacenConfig almacen;
    QCOMPARE(LeerRutas(almacen),
             (Rutas{QStringLiteral("/fido/nodelist"), QStringLiteral("/fido/POINTS.052")}));
  }
};

QTEST_MAIN(ListaSemanalTest)
#include "lista_semanal_test.moc"
