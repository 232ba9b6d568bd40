// SPDX-License-Identifier: GPL-3.0-or-later
// Find as you type: the popup of the address box, its rows, its keys and its search off the
// thread. Keys go to the window as the window system delivers them.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string_view>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/ventana_modal.h"
#include "ui/buscador_nombres.h"
#include "ui/unit1.h"

namespace {

// Rows the generated lists give for "smith": node 1 to `nodos`, then point 1:1/2.7.
QByteArray Nodelist(int nodos) {
  QByteArray lista =
      ";A Nodelist for Friday, January 3, 2025\r\nZone,1,Zone_One,Here,Zed,-,300\r\n";
  for (int i = 1; i <= nodos; ++i) {
    lista += ',' + QByteArray::number(i) + ",BBS_&_Co_" + QByteArray::number(i) +
             ",Town,Ann_Smith,1-555-" + QByteArray::number(i) + ",300\r\n";
  }
  return lista;
}

const QByteArray kPointlist =
    "Boss,1:1/2\r\nPoint,7,Smith_Home,Village,Bob_Smith,1-555-0207,9600\r\n";

}  // namespace

class PopupTest final : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> raiz_;
  QStringList mensajes_;
  std::unique_ptr<TfrmBuscar> ventana_;
  QLineEdit* caja_ = nullptr;
  QAbstractItemView* popup_ = nullptr;

  void Listas(int nodos) {
    const auto escribir = [this](const QString& nombre, const QByteArray& bytes) {
      QFile archivo(raiz_->filePath(nombre));
      if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(archivo.fileName()));
      return archivo.fileName();
    };
    AlmacenConfig almacen;
    GuardarRutas(almacen, escribir(QStringLiteral("NODELIST.003"), Nodelist(nodos)),
                 escribir(QStringLiteral("POINTS.003"), kPointlist));
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

  void Tecla(Qt::Key tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
    QTest::keyClick(ventana_->windowHandle(), tecla, modificadores);
  }

  // Types `texto` over the box's text and waits for the popup's answer to it.
  void Escribir(const QString& texto) {
    QSignalSpy respuestas(ventana_.get(), &TfrmBuscar::coincidenciasMostradas);
    caja_->selectAll();
    for (const QChar c : texto)
      QTest::keyClick(ventana_->windowHandle(), c.toLatin1());
    QCOMPARE(caja_->text(), texto);
    // An answer to the first letters may have come while typing.
    QTRY_VERIFY(!respuestas.isEmpty() && respuestas.back()[0].toString() == texto);
  }

  [[nodiscard]] QStringList Filas() const {
    QStringList filas;
    for (int i = 0; i < popup_->model()->rowCount(); ++i)
      filas << popup_->model()->index(i, 0).data().toString();
    return filas;
  }

  [[nodiscard]] QString Valor(const char* nombre) const {
    return ventana_->findChild<QLabel*>(QString::fromLatin1(nombre))->text();
  }

 private slots:
  void init() {
    raiz_ = std::make_unique<QTemporaryDir>();
    QVERIFY(raiz_->isValid());
    QVERIFY(qputenv("XDG_CONFIG_HOME", QFile::encodeName(raiz_->path())));
    mensajes_.clear();
  }

  void cleanup() { ventana_.reset(); }

  void textoDeNombre_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("nombre");
    QTest::newRow("dirección") << QStringLiteral("2:5020/52.10") << false;
    QTest::newRow("parte de una dirección") << QStringLiteral("2:50") << false;
    QTest::newRow("tres letras") << QStringLiteral("smi") << true;
    QTest::newRow("dos letras") << QStringLiteral("sm") << false;
    QTest::newRow("dos letras entre blancos") << QStringLiteral("  sm  ") << false;
    QTest::newRow("letra y cifras") << QStringLiteral("5020a") << true;
    QTest::newRow("cirílico") << QStringLiteral("Иван") << true;
    QTest::newRow("sin letras") << QStringLiteral("-+=*") << false;
    QTest::newRow("vacío") << QString() << false;
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
    QTest::qWait(50);
    QCOMPARE(respuestas.size(), 1);
    QCOMPARE(respuestas[0][0].toString(), QStringLiteral("bob"));
    QCOMPARE(respuestas[0][1].value<Coincidencias>().filas.size(), 1u);

    buscador.Pedir(QStringLiteral("ann"));
    buscador.Olvidar();
    QTest::qWait(100);
    QCOMPARE(respuestas.size(), 1);
  }

  // A list that cannot be read (an archive with no list in it) gives no rows and raises nothing
  // while typing.
  void listaIlegibleNoDaFilas() {
    AlmacenConfig almacen;
    GuardarRutas(almacen, QStringLiteral(TEST_DATA_DIR "/listas/sin-lista.zip"),
                 QStringLiteral(TEST_DATA_DIR "/real/pnt5020.ndl"));
    BuscadorNombres buscador;
    QSignalSpy respuestas(&buscador, &BuscadorNombres::respuesta);
    buscador.Pedir(QStringLiteral("mezetsky"));
    QTRY_COMPARE(respuestas.size(), 1);
    const auto coincidencias = respuestas[0][1].value<Coincidencias>();
    QVERIFY(coincidencias.filas.empty());
  }

  // A list missing while typing shows no dialog: no rows, no popup; Enter still reports it.
  void listaQueFaltaNoSeDiceAlEscribir() {
    AlmacenConfig almacen;
    GuardarRutas(almacen, raiz_->filePath(QStringLiteral("no-existe")),
                 raiz_->filePath(QStringLiteral("tampoco")));
    Abrir();
    Escribir(QStringLiteral("smith"));
    QVERIFY(!popup_->isVisible());
    QCOMPARE(mensajes_, QStringList());
    Tecla(Qt::Key_Return);
    QCOMPARE(mensajes_.size(), 2);
  }

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
    const QStringList vistas = Filas();
    QCOMPARE(vistas.size(), filas);
    QCOMPARE(vistas.front(), QStringLiteral("1:1/1 — Ann Smith — BBS & Co 1 — Town"));
    QCOMPARE(vistas.back(), ultima);
    // A screen reader reads each row by its text.
    QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(popup_);
    QVERIFY(lista != nullptr);
    QStringList leidas;
    for (int i = 0; i < lista->childCount(); ++i) {
      if (lista->child(i)->role() == QAccessible::ListItem)
        leidas << lista->child(i)->text(QAccessible::Name);
    }
    QCOMPARE(leidas, vistas);
    // Moving through the rows leaves the typed text alone.
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    QCOMPARE(caja_->text(), QStringLiteral("SMITH"));
  }

  void unaDireccionNoAbrePopup() {
    Listas(3);
    Abrir();
    QSignalSpy respuestas(ventana_.get(), &TfrmBuscar::coincidenciasMostradas);
    caja_->selectAll();
    QTest::keyClicks(caja_, QStringLiteral("1:1/2.7"));
    QTest::qWait(300);
    QCOMPARE(respuestas.size(), 0);
    QVERIFY(!popup_->isVisible());
  }

  // Keys with the popup open over the rows of "smith" (nothing chosen). Searches are counted by
  // busquedaTerminada; a modal window that comes up is counted and closed.
  void teclasConPopup_data() {
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<int>("busquedas");
    QTest::addColumn<QString>("ventanaModal");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("abierto");
    const QString nombre = QStringLiteral("smith");
    const QString primera = QStringLiteral("1:1/1");
    const auto fila = [](const char* caso, Qt::Key tecla, Qt::KeyboardModifiers mods, int busquedas,
                         const char* modal, const QString& texto, bool abierto) {
      QTest::newRow(caso) << static_cast<int>(tecla) << static_cast<int>(mods.toInt()) << busquedas
                          << QString::fromLatin1(modal) << texto << abierto;
    };
    fila("Enter sin elegir: la primera", Qt::Key_Return, Qt::NoModifier, 1, "", primera, false);
    fila("Enter del teclado numérico", Qt::Key_Enter, Qt::KeypadModifier, 1, "", primera, false);
    fila("Esc", Qt::Key_Escape, Qt::NoModifier, 0, "", nombre, false);
    fila("Mayús+Enter", Qt::Key_Return, Qt::ShiftModifier, 1, "", nombre, false);
    fila("Ctrl+Enter", Qt::Key_Return, Qt::ControlModifier, 0, "", nombre, true);
    fila("Alt+B", Qt::Key_B, Qt::AltModifier, 1, "", nombre, false);
    fila("Alt+Mayús+B", Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier, 1, "", nombre, false);
    fila("Alt+C", Qt::Key_C, Qt::AltModifier, 0, "frmConfig", nombre, false);
    fila("Alt+Enter", Qt::Key_Return, Qt::AltModifier, 0, "frmEntradaCompleta", nombre, false);
    fila("Abajo", Qt::Key_Down, Qt::NoModifier, 0, "", nombre, true);
    fila("Tab", Qt::Key_Tab, Qt::NoModifier, 0, "", nombre, false);
  }

  void teclasConPopup() {
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
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
    Tecla(static_cast<Qt::Key>(tecla), Qt::KeyboardModifiers::fromInt(modificadores));
    if (!ventanaModal.isEmpty()) QTRY_VERIFY(modalVista);
    // Alt+B presses its button after a short pressed look.
    if (busquedas > 0) QTRY_COMPARE(buscadas.size(), busquedas);
    QTest::qWait(50);
    QCOMPARE(buscadas.size(), busquedas);
    QCOMPARE(caja_->text(), texto);
    QCOMPARE(popup_->isVisible(), abierto);
    QCOMPARE(mensajes_, QStringList());
  }

  void abajoYEnterEligeEsaFila() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    QVERIFY(!popup_->isVisible());
    QCOMPARE(caja_->text(), QStringLiteral("1:1/2"));
    QCOMPARE(Valor("lblBBS_"), QStringLiteral("BBS & Co 2"));
    QCOMPARE(Valor("lblSysop_"), QStringLiteral("Ann Smith"));
    // The point of the last row, picked with the mouse: its four point values.
    Escribir(QStringLiteral("smith"));
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    const QRect ultima = popup_->visualRect(popup_->model()->index(3, 0));
    QTest::mouseClick(popup_->viewport(), Qt::LeftButton, {}, ultima.center());
    QTRY_COMPARE(buscadas.size(), 1);
    QCOMPARE(caja_->text(), QStringLiteral("1:1/2.7"));
    QCOMPARE(Valor("lblNombre_"), QStringLiteral("Bob Smith"));
    QCOMPARE(Valor("lblTelefono_"), QStringLiteral("1-555-0207"));
  }

  // A click anywhere but on the popup closes it and searches nothing.
  void clicFueraLoCierra() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    QTest::mouseClick(ventana_->findChild<QLabel*>(QStringLiteral("lblBBS_")), Qt::LeftButton);
    QVERIFY(!popup_->isVisible());
    QCOMPARE(buscadas.size(), 0);
    QCOMPARE(caja_->text(), QStringLiteral("smith"));
  }

  // Enter while the popup still shows an older text's rows acts on the answer to the new text.
  void enterAntesDeLaRespuesta() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smi"));
    QVERIFY(popup_->isVisible());
    // Only the point's system is "Smith Home"; the rows on screen start with node 1:1/1.
    for (const char c : std::string_view("th home"))
      QTest::keyClick(ventana_->windowHandle(), c);
    Tecla(Qt::Key_Return);
    QTRY_COMPARE(caja_->text(), QStringLiteral("1:1/2.7"));
    QCOMPARE(Valor("lblNombre_"), QStringLiteral("Bob Smith"));
  }

  // With the popup closed Enter searches the text as typed, as it always did.
  void enterConPopupCerrado() {
    Listas(3);
    Abrir();
    Escribir(QStringLiteral("smith"));
    Tecla(Qt::Key_Escape);
    QSignalSpy buscadas(ventana_.get(), &TfrmBuscar::busquedaTerminada);
    Tecla(Qt::Key_Return);
    QCOMPARE(buscadas.size(), 1);
    QCOMPARE(caja_->text(), QStringLiteral("smith"));
    QCOMPARE(Valor("lblBBS_"), QStringLiteral("?"));
  }
};

QTEST_MAIN(PopupTest)
#include "popup_test.moc"
