// SPDX-License-Identifier: GPL-3.0-or-later
// "Entrada completa": the whole entry of the last search that completed, from Alt+Enter and from
// the address box's menu; and the box's tooltip.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/ventana_modal.h"
#include "ui/unit1.h"

namespace {

const QString kReales = QStringLiteral(TEST_DATA_DIR "/real");

}  // namespace

class EntradaCompletaTest final : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> raiz_;
  QStringList mensajes_;
  std::unique_ptr<TfrmBuscar> ventana_;

  static void Guardar(const QString& nodelist, const QString& pointlist) {
    AlmacenConfig almacen;
    GuardarRutas(almacen, nodelist, pointlist);
  }

  void Abrir() {
    ventana_ = std::make_unique<TfrmBuscar>(
        [this](const std::string& mensaje) { mensajes_ << QString::fromStdString(mensaje); });
    ventana_->FormCreate();
    ventana_->show();
    QVERIFY(QTest::qWaitForWindowActive(ventana_.get()));
  }

  void Buscar(const QString& direccion) {
    ventana_->findChild<QLineEdit*>(QStringLiteral("txtDireccion"))->setText(direccion);
    ventana_->btnBuscarClick();
  }

  QString leido_;

  // Opens the window with `abrir` and leaves its text in leido_, closed with `cierre`.
  void Leer(const std::function<void()>& abrir, Qt::Key cierre = Qt::Key_Escape) {
    QString& texto = leido_;
    texto.clear();
    bool cerrada = false;
    EnVentanaModal(QStringLiteral("frmEntradaCompleta"), [&](QWidget& modal) {
      QCOMPARE(modal.windowTitle(), QStringLiteral("Entrada completa"));
      QCOMPARE(modal.parentWidget(), ventana_.get());
      auto* caja = modal.findChild<QPlainTextEdit*>();
      QVERIFY(caja != nullptr && caja->isReadOnly());
      QCOMPARE(caja->accessibleName(), QStringLiteral("Entrada completa"));
      texto = caja->toPlainText();
      QTest::keyClick(caja, cierre);
      cerrada = !modal.isVisible();
    });
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    abrir();
    QTRY_VERIFY(cerrada);
    // Opening it never searches.
    QCOMPARE(buscadas.size(), 0);
  }

  QString AltEnter(Qt::Key cierre = Qt::Key_Escape) {
    Leer(
        [this] {
          QTest::keyClick(ventana_->findChild<QLineEdit*>(QStringLiteral("txtDireccion")),
                          Qt::Key_Return, Qt::AltModifier);
        },
        cierre);
    return leido_;
  }

 private slots:
  void init() {
    raiz_ = std::make_unique<QTemporaryDir>();
    QVERIFY(raiz_->isValid());
    QVERIFY(qputenv("XDG_CONFIG_HOME", QFile::encodeName(raiz_->path())));
    mensajes_.clear();
  }

  void cleanup() { ventana_.reset(); }

  void sinBusquedaUnaLinea() {
    Abrir();
    QCOMPARE(AltEnter(), QStringLiteral("Todavía no hay ninguna búsqueda que mostrar.\n"));
  }

  // After a search that ended in missing lists the window shows the one before, as the labels do.
  void laUltimaQueTermino() {
    Guardar(kReales + QStringLiteral("/nodelist.006"), kReales + QStringLiteral("/pnt5020.ndl"));
    Abrir();
    Buscar(QStringLiteral("1:1/19"));
    Guardar(raiz_->filePath(QStringLiteral("no-existe")), kReales + QStringLiteral("/pnt5020.ndl"));
    Buscar(QStringLiteral("2:5020/113.8"));
    QCOMPARE(mensajes_.size(), 1);
    const QString texto = AltEnter(Qt::Key_Return);
    QVERIFY2(texto.startsWith(QStringLiteral("Nodo 1:1/19\nEstado:\nBBS: FTSC Administrator\n")),
             qPrintable(texto));
    QVERIFY2(texto.contains(QStringLiteral("\n  telnet ftsc.bnbbbs.net:60177\n")),
             qPrintable(texto));
    QVERIFY2(texto.contains(QStringLiteral("/nodelist.006 (lista del 6 de enero de 2025)")),
             qPrintable(texto));
    // Searching again with the list back gives the new entry.
    Guardar(kReales + QStringLiteral("/nodelist.006"), kReales + QStringLiteral("/pnt5020.ndl"));
    Buscar(QStringLiteral("2:5020/113.8"));
    QVERIFY(AltEnter().contains(QStringLiteral("Nombre: Vyacheslav Mezetsky\n")));
  }

  // Shift+F10, which Qt on X11 leaves alone, opens the box's menu; its last item the window.
  void menuDeLaCaja() {
    Abrir();
    QString visto;
    Leer([this, &visto] {
      QTimer::singleShot(0, this, [&visto] {
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
        auto* menu = static_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* ultima = menu->actions().back();
        visto = ultima->text();
        menu->setActiveAction(ultima);
        QTest::keyClick(menu, Qt::Key_Return);
      });
      QTest::keyClick(ventana_->findChild<QLineEdit*>(QStringLiteral("txtDireccion")), Qt::Key_F10,
                      Qt::ShiftModifier);
    });
    QCOMPARE(visto, QStringLiteral("Entrada completa…"));
    QCOMPARE(leido_, QStringLiteral("Todavía no hay ninguna búsqueda que mostrar.\n"));
  }

  void seCopia() {
    Guardar(kReales + QStringLiteral("/nodelist.006"), kReales + QStringLiteral("/pnt5020.ndl"));
    Abrir();
    Buscar(QStringLiteral("1:1/19"));
    QString texto;
    EnVentanaModal(QStringLiteral("frmEntradaCompleta"), [&texto](QWidget& modal) {
      auto* caja = modal.findChild<QPlainTextEdit*>();
      QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(caja, Qt::Key_C, Qt::ControlModifier);
      texto = caja->toPlainText();
      modal.close();
    });
    ventana_->MostrarEntradaCompleta();
    QVERIFY(!texto.isEmpty());
    QCOMPARE(QApplication::clipboard()->text(), texto);
  }

  void ayudaDeLaCaja() {
    Abrir();
    auto* caja = ventana_->findChild<QLineEdit*>(QStringLiteral("txtDireccion"));
    QHelpEvent ayuda(QEvent::ToolTip, QPoint(2, 2), caja->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(caja, &ayuda);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Una dirección (2:5020/52.10), o parte de un "
                                                  "nombre, un sistema o un lugar"));
  }
};

QTEST_MAIN(EntradaCompletaTest)
#include "entrada_completa_test.moc"
