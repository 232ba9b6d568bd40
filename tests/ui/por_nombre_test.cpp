// SPDX-License-Identifier: GPL-3.0-or-later
// The search window finds by name and shows the whole entry: which texts ask for names, the
// search off the thread, the popup's rows, keys and mouse, the "Entrada completa" window (its text
// is the engine's, checked there) and the box's tooltip. Keys go to the window as the window
// system delivers them. And a weekly list chosen in the configuration window's file dialog.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/ventana_modal.h"
#include "ui/buscador_nombres.h"
#include "ui/dialogo_archivo.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

namespace {

// "smith" matches the nodes 1:1/1 to 1:1/`nodos`, then the point 1:1/2.7.
std::string Nodelist(int nodos) {
  std::string lista =
      ";A Nodelist for Friday, January 3, 2025\r\nZone,1,Zone_One,Here,Zed,-,300\r\n";
  for (int i = 1; i <= nodos; ++i) {
    const std::string n = std::to_string(i);
    lista += ',' + n + ",BBS_&_Co_" + n + ",Town,Ann_Smith,1-555-" + n + ",300\r\n";
  }
  return lista;
}

const std::string kReales = TEST_DATA_DIR "/real";

void Guardar(const std::string& nodelist, const std::string& pointlist) {
  AlmacenConfig almacen;
  GuardarRutas(almacen, QString::fromStdString(nodelist), QString::fromStdString(pointlist));
}

}  // namespace

class PorNombreTest final : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CarpetaTemporal> carpeta_;
  QStringList mensajes_;
  std::unique_ptr<TfrmBuscar> ventana_;
  QLineEdit* caja_ = nullptr;
  QAbstractItemView* popup_ = nullptr;
  QString leido_;

  void Listas(int nodos) {
    Guardar(carpeta_->Escribir("NODELIST.003", Nodelist(nodos)),
            carpeta_->Escribir("POINTS.003",
                               "Boss,1:1/2\r\n"
                               "Point,7,Smith_Home,Village,Bob_Smith,1-555,9600\r\n"));
  }

  void Abrir() {
    ventana_ = std::make_unique<TfrmBuscar>(
        [this](const std::string& mensaje) { mensajes_ << QString::fromStdString(mensaje); });
    ventana_->FormCreate();
    ventana_->show();
    QVERIFY(QTest::qWaitForWindowActive(ventana_.get()));
    caja_ = ventana_->findChild<QLineEdit*>(QStringLiteral("txtDireccion"));
    popup_ = ventana_->findChild<QAbstractItemView*>(QStringLiteral("lstCoincidencias"));
    QVERIFY(popup_ != nullptr);
    QTRY_COMPARE(QApplication::focusWidget(), caja_);
  }

  // Types `texto` over the box's text and waits for the popup's answer to it.
  void Escribir(const QString& texto) {
    QSignalSpy respuestas(ventana_.get(), &TfrmBuscar::coincidenciasMostradas);
    caja_->selectAll();
    for (const QChar c : texto)
      QTest::keyClick(ventana_->windowHandle(), c.toLatin1());
    // An answer to the first letters may have come while typing.
    QTRY_VERIFY(!respuestas.isEmpty() && respuestas.back()[0].toString() == texto);
  }

  // Brings the whole entry up with `abrir`, copies its text, leaves it in leido_ and closes the
  // window with `cierre`. Bringing it up never searches.
  void Leer(const std::function<void()>& abrir, Qt::Key cierre = Qt::Key_Escape) {
    leido_.clear();
    bool cerrada = false;
    EnVentanaModal(QStringLiteral("frmEntradaCompleta"), [&](QWidget& modal) {
      QCOMPARE(modal.parentWidget(), ventana_.get());
      auto* texto = modal.findChild<QPlainTextEdit*>();
      QVERIFY(texto != nullptr && texto->isReadOnly());
      QTest::keyClick(texto, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(texto, Qt::Key_C, Qt::ControlModifier);
      leido_ = texto->toPlainText();
      QCOMPARE(QApplication::clipboard()->text(), leido_);
      QTest::keyClick(texto, cierre);
      cerrada = !modal.isVisible();
    });
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    abrir();
    QTRY_VERIFY(cerrada);
    QCOMPARE(buscadas.size(), 0);
  }

  void Buscar(const QString& direccion) {
    caja_->setText(direccion);
    ventana_->btnBuscarClick();
  }

 private slots:
  void init() {
    carpeta_ = std::make_unique<CarpetaTemporal>();
    QVERIFY(qputenv("XDG_CONFIG_HOME", carpeta_->Ruta().c_str()));
    mensajes_.clear();
  }

  void cleanup() { ventana_.reset(); }

  void textoDeNombre_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("nombre");
    QTest::newRow("dirección") << QStringLiteral("2:5020/52.10") << false;
    QTest::newRow("tres letras") << QStringLiteral("smi") << true;
    QTest::newRow("dos letras entre blancos") << QStringLiteral("  sm  ") << false;
    QTest::newRow("letra y cifras") << QStringLiteral("5020a") << true;
    QTest::newRow("cirílico") << QStringLiteral("Иван") << true;
    QTest::newRow("sin letras") << QStringLiteral("-+=*") << false;
  }

  void textoDeNombre() {
    QFETCH(QString, texto);
    QFETCH(bool, nombre);
    QCOMPARE(PideNombres(texto), nombre);
  }

  // Two requests before the first answer could arrive: only the second is answered.
  void respuestaViejaNuncaLlega() {
    Listas(3);
    BuscadorNombres buscador;
    QSignalSpy respuestas(&buscador, &BuscadorNombres::respuesta);
    buscador.Pedir(QStringLiteral("ann"));
    buscador.Pedir(QStringLiteral("bob"));
    QTRY_COMPARE(respuestas.size(), 1);
    QCOMPARE(respuestas[0][0].toString(), QStringLiteral("bob"));
    QCOMPARE(respuestas[0][1].value<Coincidencias>().filas.size(), 1u);
  }

  // While typing, a missing list, one that cannot be read and a name that nothing holds each show
  // one row that cannot be picked, and no message; Enter then searches the text as typed.
  void fallaAlEscribir_data() {
    QTest::addColumn<QString>("nodelist");
    QTest::addColumn<QString>("pointlist");
    QTest::addColumn<QString>("fila");
    QTest::newRow("falta") << QStringLiteral(TEST_DATA_DIR "/no-existe")
                           << QStringLiteral(TEST_DATA_DIR "/tampoco")
                           << QStringLiteral(
                                  "No se encuentra el archivo de NodeList; No se "
                                  "encuentra el archivo de PointList");
    QTest::newRow("archivo sin lista") << QStringLiteral(TEST_DATA_DIR "/listas/sin-lista.zip")
                                       << QStringLiteral(TEST_DATA_DIR "/real/pnt5020.ndl")
                                       << QStringLiteral("Archive holds no list");
    QTest::newRow("nada coincide") << QStringLiteral(TEST_DATA_DIR "/real/net5020.ndl")
                                   << QStringLiteral(TEST_DATA_DIR "/real/pnt5020.ndl")
                                   << QStringLiteral("Ninguna entrada contiene «zzzq»");
  }

  void fallaAlEscribir() {
    QFETCH(QString, nodelist);
    QFETCH(QString, pointlist);
    QFETCH(QString, fila);
    Guardar(nodelist.toStdString(), pointlist.toStdString());
    Abrir();
    Escribir(QStringLiteral("zzzq"));
    QVERIFY(popup_->isVisible());
    QCOMPARE(popup_->model()->rowCount(), 1);
    const QModelIndex unica = popup_->model()->index(0, 0);
    QCOMPARE(unica.data().toString(), fila);
    QCOMPARE(popup_->model()->flags(unica), Qt::NoItemFlags);
    QCOMPARE(mensajes_, QStringList());
    QTest::mouseClick(popup_->viewport(), Qt::LeftButton, {}, popup_->visualRect(unica).center());
    QCOMPARE(caja_->text(), QStringLiteral("zzzq"));
    if (!fila.startsWith(QStringLiteral("Ninguna"))) return;
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    QTest::keyClick(ventana_->windowHandle(), Qt::Key_Return);
    QCOMPARE(buscadas.size(), 1);
    QVERIFY(!popup_->isVisible());
  }

  // The popup keeps one width while typing, within the screen.
  void anchoFijo() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    const int ancho = popup_->width();
    Escribir(QStringLiteral("smith home"));
    QCOMPARE(popup_->width(), ancho);
    Escribir(QStringLiteral("zzzq"));
    QCOMPARE(popup_->width(), ancho);
    QVERIFY(popup_->geometry().right() <= popup_->screen()->availableGeometry().right());
  }

  // Node fields and point fields, the cap and the row that counts the rest.
  void filasYTope_data() {
    QTest::addColumn<int>("nodos");
    QTest::addColumn<int>("filas");
    QTest::addColumn<QString>("ultima");
    QTest::newRow("todas") << 49 << 50
                           << QStringLiteral("1:1/2.7 — Bob Smith — Smith Home — Village");
    QTest::newRow("una más") << 50 << 51 << QStringLiteral("… y 1 entrada más");
    QTest::newRow("muchas más") << 60 << 51 << QStringLiteral("… y 11 entradas más");
  }

  void filasYTope() {
    QFETCH(int, nodos);
    QFETCH(int, filas);
    QFETCH(QString, ultima);
    Listas(nodos);
    Abrir();
    Escribir(QStringLiteral("SMITH"));
    QVERIFY(popup_->isVisible());
    const QAbstractItemModel& modelo = *popup_->model();
    QCOMPARE(modelo.rowCount(), filas);
    QCOMPARE(modelo.index(0, 0).data().toString(),
             QStringLiteral("1:1/1 — Ann Smith — BBS & Co 1 — Town"));
    QCOMPARE(modelo.index(filas - 1, 0).data().toString(), ultima);
  }

  // Keys typed with the popup open over the rows of "smith", nothing chosen. Searches are counted
  // by busquedaTerminada; the box then holds what was searched. A modal window that comes up is
  // counted and closed.
  void teclasConPopup_data() {
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<int>("busquedas");
    QTest::addColumn<QString>("ventanaModal");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("abierto");
    const auto fila = [](const char* teclas, int busquedas, const char* modal, const char* texto,
                         bool abierto) {
      QTest::newRow(teclas) << QString::fromLatin1(teclas) << busquedas
                            << QString::fromLatin1(modal) << QString::fromLatin1(texto) << abierto;
    };
    fila("Return", 1, "", "1:1/1", false);
    fila("Num+Enter", 1, "", "1:1/1", false);
    fila("Down, Down, Return", 1, "", "1:1/2", false);
    fila("Up, Return", 1, "", "1:1/2.7", false);
    fila("Esc, Return", 1, "", "smith", false);
    fila("Esc", 0, "", "smith", false);
    fila("Down", 0, "", "smith", true);
    fila("Shift+Return", 1, "", "smith", false);
    fila("Ctrl+Return", 0, "", "smith", true);
    fila("Alt+B", 1, "", "smith", false);
    fila("Alt+C", 0, "frmConfig", "smith", false);
    fila("Alt+Return", 0, "frmEntradaCompleta", "smith", false);
    fila("Tab", 0, "", "smith", false);
  }

  void teclasConPopup() {
    QFETCH(QString, teclas);
    QFETCH(int, busquedas);
    QFETCH(QString, ventanaModal);
    QFETCH(QString, texto);
    QFETCH(bool, abierto);
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    QVERIFY(popup_->isVisible());
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    bool modalVista = false;
    if (!ventanaModal.isEmpty()) {
      EnVentanaModal(ventanaModal, [&modalVista](QWidget& modal) {
        modalVista = true;
        modal.close();
      });
    }
    QTest::keySequence(ventana_->windowHandle(), QKeySequence(teclas));
    if (!ventanaModal.isEmpty()) QTRY_VERIFY(modalVista);
    // Alt+B presses its button after a short pressed look.
    if (busquedas > 0) QTRY_COMPARE(buscadas.size(), busquedas);
    QTest::qWait(50);
    QCOMPARE(buscadas.size(), busquedas);
    QCOMPARE(caja_->text(), texto);
    QCOMPARE(popup_->isVisible(), abierto);
    QCOMPARE(mensajes_, QStringList());
  }

  // A click elsewhere closes the popup and searches nothing; a click on a row picks it.
  void raton() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    QTest::mouseClick(ventana_->findChild<QLabel*>(QStringLiteral("lblBBS_")), Qt::LeftButton);
    QVERIFY(!popup_->isVisible());
    QCOMPARE(buscadas.size(), 0);
    Escribir(QStringLiteral("smith"));
    const QRect ultima = popup_->visualRect(popup_->model()->index(3, 0));
    QTest::mouseClick(popup_->viewport(), Qt::LeftButton, {}, ultima.center());
    QCOMPARE(buscadas.size(), 1);
    QCOMPARE(caja_->text(), QStringLiteral("1:1/2.7"));
    QVERIFY(!popup_->isVisible());
  }

  // Enter while the popup still shows an older text's rows acts on the answer to the new text:
  // only the point's system is "Smith Home", and the rows on screen start with node 1:1/1.
  void enterAntesDeLaRespuesta() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smi"));
    QVERIFY(popup_->isVisible());
    for (const char c : std::string_view("th home"))
      QTest::keyClick(ventana_->windowHandle(), c);
    QTest::keyClick(ventana_->windowHandle(), Qt::Key_Return);
    QTRY_COMPARE(caja_->text(), QStringLiteral("1:1/2.7"));
  }

  // Shift+F10, which Qt on X11 leaves alone, opens the box's menu; its last item the window.
  void entradaAntesDeBuscar() {
    Abrir();
    QString item;
    Leer([this, &item] {
      QTimer::singleShot(0, this, [&item] {
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
        auto* menu = static_cast<QMenu*>(QApplication::activePopupWidget());
        item = menu->actions().back()->text();
        menu->setActiveAction(menu->actions().back());
        QTest::keyClick(menu, Qt::Key_Return);
      });
      QTest::keyClick(caja_, Qt::Key_F10, Qt::ShiftModifier);
    });
    QCOMPARE(item, QStringLiteral("Entrada completa…"));
    QCOMPARE(leido_, QStringLiteral("Todavía no hay ninguna búsqueda que mostrar.\n"));
  }

  // After a search that ended in missing lists the whole entry is the one before, as the labels
  // show; the next search that completes replaces it.
  void entradaDeLaUltimaQueTermino() {
    const auto alt = [this] { QTest::keyClick(caja_, Qt::Key_Return, Qt::AltModifier); };
    Guardar(kReales + "/nodelist.006", kReales + "/pnt5020.ndl");
    Abrir();
    Buscar(QStringLiteral("1:1/19"));
    Guardar(carpeta_->Ruta("no-existe"), kReales + "/pnt5020.ndl");
    Buscar(QStringLiteral("2:5020/113.8"));
    QCOMPARE(mensajes_.size(), 1);
    Leer(alt, Qt::Key_Return);
    QVERIFY(leido_.startsWith(QStringLiteral("Nodo 1:1/19\nEstado:\nBBS: FTSC Administrator\n")));
    Guardar(kReales + "/nodelist.006", kReales + "/pnt5020.ndl");
    Buscar(QStringLiteral("2:5020/113.8"));
    Leer(alt);
    QVERIFY(leido_.contains(QStringLiteral("\nNombre: Vyacheslav Mezetsky\n")));
  }

  void ayudaDeLaCaja() {
    Abrir();
    QHelpEvent ayuda(QEvent::ToolTip, QPoint(2, 2), caja_->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(caja_, &ayuda);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("Una dirección (2:5020/52.10), o parte de un "
                                                  "nombre, un sistema o un lugar"));
  }
  // A weekly list goes in by its base name, as the file spells it; any other file as chosen.
  void rutaParaCaja_data() {
    QTest::addColumn<QString>("elegido");
    QTest::addColumn<QString>("enCaja");
    const auto fila = [](const char* elegido, const char* enCaja) {
      QTest::newRow(elegido) << QString::fromUtf8(elegido) << QString::fromUtf8(enCaja);
    };
    fila("/fido/NODELIST.003", "/fido/NODELIST");
    fila("/fido/NODELIST.Z03", "/fido/NODELIST");
    fila("/fido/nodelist.a52", "/fido/nodelist");
    fila("/srv/fido.2025/puntos de España/POINTS.345", "/srv/fido.2025/puntos de España/POINTS");
    fila("/fido/net.5020.045", "/fido/net.5020");
    fila("/fido/pnt5020.ndl", "/fido/pnt5020.ndl");
    fila("/fido/NODELIST.ZIP", "/fido/NODELIST.ZIP");
    fila("/fido/.003", "/fido/.003");
  }

  void rutaParaCaja() {
    QFETCH(QString, elegido);
    QFETCH(QString, enCaja);
    QCOMPARE(RutaParaCaja(elegido), enCaja);
  }

  // The dialog's answer goes in by its base name; what the user types is stored as typed.
  void listaElegidaOEscrita() {
    TfrmConfig ventana;
    ventana.FormCreate();
    ResponderProximoDialogo(QStringLiteral("/fido/nodelist.z52"));
    ventana.findChild<QPushButton*>(QStringLiteral("btnBuscarNodelist"))->click();
    ventana.findChild<QLineEdit*>(QStringLiteral("txtPointlist"))
        ->setText(QStringLiteral("/f/P.052"));
    ventana.findChild<QPushButton*>(QStringLiteral("btnAceptar"))->click();
    AlmacenConfig almacen;
    QCOMPARE(LeerRutas(almacen),
             (Rutas{QStringLiteral("/fido/nodelist"), QStringLiteral("/f/P.052")}));
  }
};

QTEST_MAIN(PorNombreTest)
#include "por_nombre_test.moc"
