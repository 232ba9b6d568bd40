// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "lookup/entries/busqueda_completa.h"
#include "lookup/lists/lector_lista.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/proceso.h"
#include "tests/comun/ventana_modal.h"
#include "ui/boton_glifo.h"
#include "ui/colores.h"
#include "ui/escala.h"
#include "ui/estado_busqueda.h"
#include "ui/etiqueta.h"
#include "ui/unit1.h"

namespace {

const QString kMuestras = QStringLiteral(SAMPLES_DIR);
const QString kDireccionInicial = QStringLiteral("2:5020/52.10");

}  // namespace

class BuscarTest final : public QObject {
  Q_OBJECT

 private:
  std::optional<PerfilTemporal> perfil_;
  QStringList mensajes_;

  [[nodiscard]] QString Raiz() const { return QString::fromStdString(perfil_->Raiz()); }

  [[nodiscard]] std::unique_ptr<TfrmBuscar> NuevaVentana() {
    auto ventana = std::make_unique<TfrmBuscar>(
        [this](const std::string& mensaje) { mensajes_ << QString::fromStdString(mensaje); });
    ventana->FormCreate();
    return ventana;
  }

  static void Guardar(const QString& nodelist, const QString& pointlist) {
    AlmacenConfig almacen;
    GuardarRutas(almacen, nodelist, pointlist);
  }

  static void GuardarMuestras() {
    Guardar(kMuestras + QStringLiteral("/NODELIST.345"), kMuestras + QStringLiteral("/POINTS.345"));
  }

  static void Escribir(TfrmBuscar& ventana, const QString& direccion) {
    ventana.findChild<QLineEdit*>(QStringLiteral("txtDireccion"))->setText(direccion);
  }

  static const QStringList& ResultadoDe5020_52_10() {
    static const QStringList resultado = {
        QStringLiteral("Arbat Hub"),     QStringLiteral("Mikhail Popov"),
        QStringLiteral("Moscow Russia"), QStringLiteral("Alexei Fedorov"),
        QStringLiteral("Cozy Tosser"),   QStringLiteral("Moscow Russia"),
        QStringLiteral("7-495-555-5210")};
    return resultado;
  }

 private slots:
  void init() {
    perfil_.emplace();
    mensajes_.clear();
  }

  void escala_data() {
    QTest::addColumn<int>("valor");
    QTest::addColumn<int>("alto");
    QTest::addColumn<int>("esperado");
    QTest::newRow("alto de diseño") << 265 << 13 << 265;
    QTest::newRow("doble") << 13 << 26 << 26;
    QTest::newRow("ancho a 16") << 265 << 16 << 326;
    QTest::newRow("alto a 16") << 357 << 16 << 439;
    QTest::newRow("redondea arriba") << 1 << 7 << 1;
    QTest::newRow("redondea abajo") << 1 << 6 << 0;
    QTest::newRow("más pequeño") << 100 << 11 << 85;
    QTest::newRow("cero") << 0 << 20 << 0;
  }

  void escala() {
    QFETCH(int, valor);
    QFETCH(int, alto);
    QFETCH(int, esperado);
    QCOMPARE(Escalar(valor, alto), esperado);
  }

  void arrancaComoDisenado() {
    const auto ventana = NuevaVentana();
    QCOMPARE(ventana->windowTitle(), QStringLiteral("Buscar Punto"));
    const Qt::WindowFlags banderas = ventana->windowFlags();
    QVERIFY(ventana->isWindow());
    QVERIFY(banderas.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(banderas.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!banderas.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!banderas.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(QFontInfo(ventana->font()).family(), QStringLiteral("DejaVu Sans Condensed"));
    QCOMPARE(ventana->font().pointSize(), 8);

    // A caption wider than its label would lose its first letters (right-aligned).
    for (const QString& nombre :
         {QStringLiteral("lblBBS"), QStringLiteral("lblSysop"), QStringLiteral("lblCiudadNodo"),
          QStringLiteral("lblNombre"), QStringLiteral("lblNick"), QStringLiteral("lblCiudadPunto"),
          QStringLiteral("lblTelefono")}) {
      const auto* rotulo = ventana->findChild<QLabel*>(nombre);
      QVERIFY(rotulo != nullptr);
      QVERIFY2(QFontMetrics(rotulo->font()).horizontalAdvance(rotulo->text()) <= rotulo->width(),
               qPrintable(nombre));
    }

    const int alto = QFontMetrics(ventana->font()).height();
    const QSize cliente = EscalarRect(QRect(0, 0, 265, 357), alto).size();
    QCOMPARE(ventana->minimumSize(), ventana->maximumSize());
    QCOMPARE(ventana->width(), cliente.width());
    QCOMPARE(ventana->pos(), QPoint(248, 100));
    // The status line grows the window downwards only, under everything else, and starts empty.
    const auto* estado = ventana->findChild<QLabel*>(QStringLiteral("lblEstado"));
    QVERIFY(estado != nullptr);
    QVERIFY(estado->y() >=
            ventana->findChild<QGroupBox*>(QStringLiteral("grpPunto"))->geometry().bottom());
    QVERIFY(estado->geometry().bottom() < ventana->height());
    QVERIFY(estado->height() >= QFontMetrics(estado->font()).lineSpacing());
    QCOMPARE(estado->focusPolicy(), Qt::NoFocus);
    QCOMPARE(ventana->findChild<QFrame*>(QStringLiteral("BevelBorde"))->geometry(),
             ventana->rect());

    auto* buscar = ventana->findChild<BotonGlifo*>(QStringLiteral("btnBuscar"));
    auto* config = ventana->findChild<BotonGlifo*>(QStringLiteral("btnConfig"));
    QVERIFY(buscar != nullptr && config != nullptr);
    QCOMPARE(buscar->Tipo(), TipoBoton::OK);
    QCOMPARE(config->Tipo(), TipoBoton::Help);
    QVERIFY(buscar->isDefault());
    QVERIFY(!config->isDefault());
    QCOMPARE(Valores(*ventana), QStringList(7, QString()));

    QVERIFY(Mostrar(*ventana));
    auto* direccion = ventana->findChild<QLineEdit*>(QStringLiteral("txtDireccion"));
    QTRY_COMPARE(QApplication::focusWidget(), direccion);
    QCOMPARE(direccion->text(), kDireccionInicial);
    QCOMPARE(direccion->selectedText(), kDireccionInicial);

    const QList<QWidget*> ciclo = {buscar, config, direccion, buscar};
    for (QWidget* siguiente : ciclo) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTRY_COMPARE(QApplication::focusWidget(), siguiente);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTRY_COMPARE(QApplication::focusWidget(), direccion);
    QCOMPARE(direccion->selectedText(), kDireccionInicial);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTRY_COMPARE(QApplication::focusWidget(), config);
  }

  void controles_data() {
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("padre");
    QTest::addColumn<QRect>("caja");
    QTest::addColumn<QString>("texto");
    const QString v = QStringLiteral("frmBuscar");
    const QString d = QStringLiteral("grpDireccion");
    const QString n = QStringLiteral("grpNodo");
    const QString p = QStringLiteral("grpPunto");
    const auto fila = [](const char* nombre, const QString& padre, QRect caja,
                         const QString& texto) {
      QTest::newRow(nombre) << QString::fromLatin1(nombre) << padre << caja << texto;
    };
    fila("grpDireccion", v, {16, 12, 142, 65}, QStringLiteral("Dirección de Punto:"));
    fila("txtDireccion", d, {16, 24, 109, 21}, kDireccionInicial);
    fila("btnBuscar", v, {176, 16, 73, 27}, QStringLiteral("&Buscar"));
    fila("grpNodo", v, {16, 92, 233, 105}, QStringLiteral("Datos del nodo:"));
    fila("grpPunto", v, {16, 212, 233, 129}, QStringLiteral("Datos del punto:"));
    fila("btnConfig", v, {176, 50, 73, 27}, QStringLiteral("&Config."));
    fila("lblBBS", n, {12, 27, 40, 13}, QStringLiteral("BBS:"));
    fila("lblSysop", n, {12, 51, 40, 13}, QStringLiteral("Sysop:"));
    fila("lblCiudadNodo", n, {12, 75, 40, 13}, QStringLiteral("Ciudad:"));
    fila("lblBBS_", n, {64, 27, 153, 17}, {});
    fila("lblSysop_", n, {64, 51, 153, 17}, {});
    fila("lblCiudadNodo_", n, {64, 75, 153, 17}, {});
    fila("lblNombre", p, {12, 27, 40, 13}, QStringLiteral("Nombre:"));
    fila("lblNick", p, {12, 51, 40, 13}, QStringLiteral("Nick:"));
    fila("lblCiudadPunto", p, {12, 75, 40, 13}, QStringLiteral("Ciudad:"));
    fila("lblTelefono", p, {8, 99, 44, 13}, QStringLiteral("Teléfono:"));
    fila("lblNombre_", p, {64, 27, 153, 17}, {});
    fila("lblNick_", p, {64, 51, 153, 17}, {});
    fila("lblCiudadPunto_", p, {64, 75, 153, 17}, {});
    fila("lblTelefono_", p, {64, 99, 153, 17}, {});
  }

  void controles() {
    QFETCH(QString, nombre);
    QFETCH(QString, padre);
    QFETCH(QRect, caja);
    QFETCH(QString, texto);

    const auto ventana = NuevaVentana();
    auto* control = ventana->findChild<QWidget*>(nombre);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), padre);
    const QRect esperada = EscalarRect(caja, QFontMetrics(ventana->font()).height());
    const bool esRotulo = qobject_cast<QLabel*>(control) && !nombre.endsWith(u'_');
    if (esRotulo) {
      // A caption may only grow to the left, to fit the font's text.
      QCOMPARE(control->geometry().right(), esperada.right());
      QCOMPARE(control->geometry().top(), esperada.top());
      QCOMPARE(control->height(), esperada.height());
      QVERIFY(control->width() >= esperada.width());
    } else {
      QCOMPARE(control->geometry(), esperada);
    }

    if (auto* etiqueta = qobject_cast<QLabel*>(control)) {
      QCOMPARE(etiqueta->text(), texto);
      QCOMPARE(etiqueta->focusPolicy(), Qt::NoFocus);
      const bool esValor = nombre.endsWith(u'_');
      QCOMPARE(etiqueta->alignment() & Qt::AlignHorizontal_Mask,
               esValor ? Qt::AlignLeft : Qt::AlignRight);
      QCOMPARE(etiqueta->palette().color(QPalette::WindowText),
               esValor ? QColor(0, 112, 0) : QColor(0, 0, 144));
      QCOMPARE(etiqueta->autoFillBackground(), esValor);
      QVERIFY(!etiqueta->wordWrap());
    } else if (auto* grupo = qobject_cast<QGroupBox*>(control)) {
      QCOMPARE(grupo->title(), texto);
      QCOMPARE(grupo->focusPolicy(), Qt::NoFocus);
    } else if (auto* boton = qobject_cast<QPushButton*>(control)) {
      QCOMPARE(boton->text(), texto);
    } else if (auto* edicion = qobject_cast<QLineEdit*>(control)) {
      QCOMPARE(edicion->text(), texto);
    } else if (auto* marco = qobject_cast<QFrame*>(control)) {
      QCOMPARE(marco->focusPolicy(), Qt::NoFocus);
      QCOMPARE(marco->frameShape(), QFrame::Panel);
      QCOMPARE(marco->frameShadow(), QFrame::Sunken);
      QCOMPARE(marco->lineWidth(), 1);
      QVERIFY(marco->testAttribute(Qt::WA_TransparentForMouseEvents));
    } else {
      QFAIL("a control of an unexpected kind");
    }
  }

  void formCreateDejaElAlmacenListo() {
    {
      const auto ventana = NuevaVentana();
      QVERIFY(QFile::exists(QString::fromStdString(perfil_->Archivo())));
      AlmacenConfig almacen;
      QCOMPARE(LeerRutas(almacen), Rutas{});
    }
    Guardar(QStringLiteral("/n"), QStringLiteral("/p"));
    const auto ventana = NuevaVentana();
    AlmacenConfig almacen;
    QCOMPARE(LeerRutas(almacen), (Rutas{QStringLiteral("/n"), QStringLiteral("/p")}));
  }

  void busquedaLlenaLasSieteEtiquetas_data() {
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("2:5020/52.10") << QStringLiteral("2:5020/52.10") << ResultadoDe5020_52_10();
    // The pointlist writes this sysop in Windows-1252.
    QTest::newRow("2:341/14.1") << QStringLiteral("2:341/14.1")
                                << QStringList{QStringLiteral("Huerta BBS"),
                                               QStringLiteral("Lucia Ferrer"),
                                               QStringLiteral("Valencia Spain"),
                                               QStringLiteral("José Martínez"),
                                               QStringLiteral("Casa Azul"),
                                               QStringLiteral("Valencia Spain"),
                                               QStringLiteral("34-96-555-1401")};
  }

  void busquedaLlenaLasSieteEtiquetas() {
    QFETCH(QString, direccion);
    QFETCH(QStringList, esperado);
    GuardarMuestras();
    const auto ventana = NuevaVentana();
    Escribir(*ventana, direccion);
    ventana->btnBuscarClick();
    QCOMPARE(Valores(*ventana), esperado);
    QCOMPARE(mensajes_, QStringList());
    QCOMPARE(ventana->findChild<QLineEdit*>(QStringLiteral("txtDireccion"))->text(), direccion);
  }

  void archivosQueFaltan_data() {
    QTest::addColumn<bool>("hayNodelist");
    QTest::addColumn<bool>("hayPointlist");
    QTest::addColumn<QStringList>("esperados");
    const QString nodo = QString::fromUtf8(kFaltaNodelist);
    const QString punto = QString::fromUtf8(kFaltaPointlist);
    QTest::newRow("los dos") << false << false << QStringList{nodo, punto};
    QTest::newRow("NodeList") << false << true << QStringList{nodo};
    QTest::newRow("PointList") << true << false << QStringList{punto};
  }

  void archivosQueFaltan() {
    QFETCH(bool, hayNodelist);
    QFETCH(bool, hayPointlist);
    QFETCH(QStringList, esperados);
    GuardarMuestras();
    const auto ventana = NuevaVentana();
    ventana->btnBuscarClick();
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());

    const QString falta = Raiz() + QStringLiteral("/no-existe");
    Guardar(hayNodelist ? kMuestras + QStringLiteral("/NODELIST.345") : falta,
            hayPointlist ? kMuestras + QStringLiteral("/POINTS.345") : falta);
    Escribir(*ventana, QStringLiteral("2:341/14.1"));
    ventana->btnBuscarClick();
    QCOMPARE(mensajes_, esperados);
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());
  }

  void archivosQueFaltanAntesDeLaPrimera() {
    const auto ventana = NuevaVentana();
    ventana->btnBuscarClick();
    QCOMPARE(mensajes_,
             (QStringList{QString::fromUtf8(kFaltaNodelist), QString::fromUtf8(kFaltaPointlist)}));
    QCOMPARE(Valores(*ventana), QStringList(7, QString()));
  }

  // With no lists stored every search shows two messages, so they count the searches.
  void teclas_data() {
    QTest::addColumn<QString>("foco");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<int>("busquedas");
    QTest::addColumn<int>("configuraciones");
    QTest::addColumn<QString>("textoFinal");
    const QString txt = QStringLiteral("txtDireccion");
    const QString bus = QStringLiteral("btnBuscar");
    const QString cfg = QStringLiteral("btnConfig");
    const QString ini = kDireccionInicial;
    const auto fila = [](const char* caso, const QString& foco, Qt::Key tecla,
                         Qt::KeyboardModifiers mods, int busquedas, int config,
                         const QString& texto) {
      QTest::newRow(caso) << foco << static_cast<int>(tecla) << static_cast<int>(mods.toInt())
                          << busquedas << config << texto;
    };
    fila("Enter en la dirección", txt, Qt::Key_Return, Qt::NoModifier, 1, 0, ini);
    fila("Enter del teclado numérico", txt, Qt::Key_Enter, Qt::KeypadModifier, 1, 0, ini);
    fila("Mayús+Enter", txt, Qt::Key_Return, Qt::ShiftModifier, 1, 0, ini);
    fila("Ctrl+Enter", txt, Qt::Key_Return, Qt::ControlModifier, 0, 0, ini);
    fila("Enter en btnBuscar", bus, Qt::Key_Return, Qt::NoModifier, 1, 0, ini);
    fila("Enter en btnConfig", cfg, Qt::Key_Return, Qt::NoModifier, 0, 1, ini);
    fila("Espacio en btnBuscar", bus, Qt::Key_Space, Qt::NoModifier, 1, 0, ini);
    fila("Alt+B en la dirección", txt, Qt::Key_B, Qt::AltModifier, 1, 0, ini);
    fila("Alt+C en la dirección", txt, Qt::Key_C, Qt::AltModifier, 0, 1, ini);
    fila("Alt+Mayús+B en la dirección", txt, Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier, 1, 0,
         ini);
    fila("Alt+Mayús+C en la dirección", txt, Qt::Key_C, Qt::AltModifier | Qt::ShiftModifier, 0, 1,
         ini);
    fila("Alt+Mayús+B en btnConfig", cfg, Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier, 1, 0,
         ini);
    fila("Ctrl+B en la dirección", txt, Qt::Key_B, Qt::ControlModifier, 0, 0, ini);
    fila("B en la dirección", txt, Qt::Key_B, Qt::NoModifier, 0, 0, QStringLiteral("b"));
    fila("B en btnConfig", cfg, Qt::Key_B, Qt::NoModifier, 1, 0, ini);
    fila("Mayús+B en btnConfig", cfg, Qt::Key_B, Qt::ShiftModifier, 1, 0, ini);
    fila("C en btnBuscar", bus, Qt::Key_C, Qt::NoModifier, 0, 1, ini);
    fila("Esc en la dirección", txt, Qt::Key_Escape, Qt::NoModifier, 0, 0, ini);
    fila("Esc en btnBuscar", bus, Qt::Key_Escape, Qt::NoModifier, 0, 0, ini);
  }

  void teclas() {
    QFETCH(QString, foco);
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(int, busquedas);
    QFETCH(int, configuraciones);
    QFETCH(QString, textoFinal);

    const auto ventana = NuevaVentana();
    QSignalSpy config(ventana.get(), &TfrmBuscar::configuracionPedida);
    // The configuration window is modal: cancel it as soon as it is up.
    connect(ventana.get(), &TfrmBuscar::configuracionPedida, this, [] {
      EnVentanaModal(QStringLiteral("frmConfig"), [](QWidget& modal) { modal.close(); });
    });
    QVERIFY(Mostrar(*ventana));
    auto* destino = ventana->findChild<QWidget*>(foco);
    destino->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), destino);

    QTest::keyClick(destino, static_cast<Qt::Key>(tecla),
                    Qt::KeyboardModifiers::fromInt(modificadores));
    // Access keys with Alt press their button after its short pressed look.
    QTRY_VERIFY(std::ranges::none_of(ventana->findChildren<QPushButton*>(),
                                     [](const QPushButton* b) { return b->isDown(); }));
    QCOMPARE(mensajes_.size(), 2 * busquedas);
    QCOMPARE(config.count(), configuraciones);
    QCOMPARE(ventana->findChild<QLineEdit*>(QStringLiteral("txtDireccion"))->text(), textoFinal);
    QVERIFY(ventana->isVisible());
    // A configuration window gives the focus back once this window is active again.
    QTRY_COMPARE(QApplication::focusWidget(), destino);
  }

  void errorDeEntradaSalidaSaleDelManejador() {
    const QString punto = Raiz() + QStringLiteral("/POINTS.345");
    QVERIFY(QFile::copy(kMuestras + QStringLiteral("/POINTS.345"), punto));
    Guardar(kMuestras + QStringLiteral("/NODELIST.345"), punto);
    const auto ventana = NuevaVentana();
    ventana->btnBuscarClick();
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());

    const BloqueoExclusivo bloqueo(QFile::encodeName(punto).toStdString());
    Escribir(*ventana, QStringLiteral("2:341/14.1"));
    QVERIFY_THROWS_EXCEPTION(ErrorEntradaSalida, ventana->btnBuscarClick());
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());
    QCOMPARE(mensajes_, QStringList());
  }

  void errorDelAlmacenSaleDelManejador() {
    GuardarMuestras();
    const auto ventana = NuevaVentana();
    ventana->btnBuscarClick();
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());

    // A new folder: the store file there has never been parsed by this process.
    const PerfilTemporal otra;
    otra.Guardar("[General]\nNodeList=a, b\nPointList=\n");

    Escribir(*ventana, QStringLiteral("2:341/14.1"));
    QVERIFY_THROWS_EXCEPTION(ErrorAlmacen, ventana->btnBuscarClick());
    QCOMPARE(Valores(*ventana), ResultadoDe5020_52_10());
    QCOMPARE(mensajes_, QStringList());
  }

  void etiquetaDeValorConAmpersand_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("igualA");
    QTest::addColumn<QString>("distintoDe");
    QTest::newRow("doble") << QStringLiteral("Tom && Jerry") << QStringLiteral("Tom & Jerry")
                           << QStringLiteral("Tom && Jerry");
    QTest::newRow("ante un blanco")
        << QStringLiteral("Tom & Jerry") << QString() << QStringLiteral("Tom & Jerry");
    QTest::newRow("ante un blanco, sin el &")
        << QStringLiteral("Tom & Jerry") << QString() << QStringLiteral("Tom  Jerry");
  }

  // Compares the label's drawing with text drawn as is, in the same box, font and colours.
  void etiquetaDeValorConAmpersand() {
    QFETCH(QString, texto);
    QFETCH(QString, igualA);
    QFETCH(QString, distintoDe);
    const auto ventana = NuevaVentana();
    auto* etiqueta = ventana->findChild<QLabel*>(QStringLiteral("lblBBS_"));
    etiqueta->setText(texto);
    QImage dibujada(etiqueta->size(), QImage::Format_ARGB32);
    etiqueta->render(&dibujada);

    const auto tal_cual = [&](const QString& crudo) {
      QImage imagen(etiqueta->size(), QImage::Format_ARGB32);
      imagen.fill(etiqueta->palette().color(QPalette::Window));
      QPainter pintor(&imagen);
      pintor.setFont(etiqueta->font());
      pintor.setPen(etiqueta->palette().color(QPalette::WindowText));
      pintor.drawText(imagen.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, crudo);
      return imagen;
    };
    if (!igualA.isNull()) QCOMPARE(dibujada, tal_cual(igualA));
    QVERIFY(dibujada != tal_cual(distintoDe));
  }

  void textoLargoCortadoSinPuntos() {
    const auto ventana = NuevaVentana();
    auto* etiqueta = ventana->findChild<QLabel*>(QStringLiteral("lblNick_"));
    const QRect caja = etiqueta->geometry();
    etiqueta->setText(QString(80, u'W'));
    QCOMPARE(etiqueta->geometry(), caja);
    QImage dibujada(etiqueta->size(), QImage::Format_ARGB32);
    etiqueta->render(&dibujada);
    const QColor fondo = etiqueta->palette().color(QPalette::Window);
    // An ellipsis would leave the last columns as background; cut letters reach the edge.
    int tinta = 0;
    for (int x = dibujada.width() - 3; x < dibujada.width(); ++x) {
      for (int y = 0; y < dibujada.height(); ++y) {
        if (dibujada.pixelColor(x, y) != fondo) ++tinta;
      }
    }
    QVERIFY(tinta > 0);
  }

  // What the status line says after each kind of search; files by their names.
  void estado_data() {
    QTest::addColumn<QString>("direccion");
    QTest::addColumn<bool>("nodo");
    QTest::addColumn<bool>("punto");
    QTest::addColumn<QString>("esperado");
    const auto fila = [](const char* nombre, const char* direccion, bool nodo, bool punto,
                         const char* esperado) {
      QTest::newRow(nombre) << QString::fromUtf8(direccion) << nodo << punto
                            << QString::fromUtf8(esperado);
    };
    fila("nodo y punto", "2:5020/113.8", true, true,
         "Nodo y punto encontrados en NODELIST.362 + NODEDIFF.003 y pnt5020.ndl.");
    fila("nodo sin punto pedido", "2:5020/113", true, false,
         "Nodo encontrado en NODELIST.362 + NODEDIFF.003.");
    fila("punto .0 es no pedirlo", "2:5020/113.0", true, false,
         "Nodo encontrado en NODELIST.362 + NODEDIFF.003.");
    fila("nodo sin su punto", "2:5020/113.99", true, false,
         "El nodo está en la nodelist, pero el punto 99 no está en pnt5020.ndl.");
    fila("sin nodo ni punto pedido", "2:5020/9999", false, false,
         "El nodo 2:5020/9999 no está en NODELIST.362 + NODEDIFF.003.");
    fila("sin nodo ni punto", "2:5020/9999.1", false, false,
         "Ni el nodo 2:5020/9999 está en NODELIST.362 + NODEDIFF.003 ni el punto 1 en "
         "pnt5020.ndl.");
    fila("punto sin nodo", "2:5020/9999.1", false, true,
         "El nodo 2:5020/9999 no está en NODELIST.362 + NODEDIFF.003; el punto 1 sí está en "
         "pnt5020.ndl.");
  }

  void estado() {
    QFETCH(QString, direccion);
    QFETCH(bool, nodo);
    QFETCH(bool, punto);
    QFETCH(QString, esperado);
    ResultadoCompleto resultado;
    resultado.ejecutada = true;
    resultado.nodoEncontrado = nodo;
    resultado.puntoEncontrado = punto;
    resultado.archivos = {"/fido/NODELIST.362+/fido/NODEDIFF.003", "/fido/p/pnt5020.ndl"};
    QCOMPARE(TextoEstado(direccion.toStdString(), resultado), esperado);
  }

  // On real lists the window says why nothing was found, keeping the "?" values; a search that
  // ends with a message says it did not complete.
  void estadoEnLaVentana() {
    Guardar(QStringLiteral(TEST_DATA_DIR "/real/net5020.ndl"),
            QStringLiteral(TEST_DATA_DIR "/real/pnt5020.ndl"));
    const auto ventana = NuevaVentana();
    const auto* estado = ventana->findChild<QLabel*>(QStringLiteral("lblEstado"));
    Escribir(*ventana, QStringLiteral("2:5020/9999"));
    ventana->btnBuscarClick();
    QCOMPARE(estado->text(), QStringLiteral("El nodo 2:5020/9999 no está en net5020.ndl."));
    QCOMPARE(Valores(*ventana), QStringList(7, QStringLiteral("?")));
    Guardar(Raiz() + QStringLiteral("/no-existe"),
            QStringLiteral(TEST_DATA_DIR "/real/pnt5020.ndl"));
    ventana->btnBuscarClick();
    QCOMPARE(mensajes_.size(), 1);
    QCOMPARE(estado->text(), QStringLiteral("La búsqueda no se completó."));
  }

  // Light palettes keep the described inks; on dark ones both reach 4.5:1, lighter, same hue.
  void tintas_data() {
    QTest::addColumn<QColor>("fondo");
    QTest::newRow("gris claro") << QColor(239, 239, 239);
    QTest::newRow("Adwaita-Dark") << QColor(53, 53, 53);
    QTest::newRow("gris medio oscuro") << QColor(100, 100, 100);
  }

  void tintas() {
    QFETCH(QColor, fondo);
    QPalette paleta;
    paleta.setColor(QPalette::Window, fondo);
    const TintasEtiquetas tintas = TintasPara(paleta);
    const QColor azul(0, 0, 144);
    const QColor verde(0, 112, 0);
    if (fondo.lightness() > 128) {
      QCOMPARE(tintas.rotulo, azul);
      QCOMPARE(tintas.valor, verde);
      return;
    }
    for (const auto& [tinta, original] :
         {std::pair{tintas.rotulo, azul}, std::pair{tintas.valor, verde}}) {
      QVERIFY2(Contraste(tinta, fondo) >= 4.5, qPrintable(tinta.name()));
      QCOMPARE(tinta.hue(), original.hue());
      QVERIFY(tinta.lightness() > original.lightness());
    }
  }

  void contraste() {
    QCOMPARE(Contraste(Qt::black, Qt::white), 21.0);
    QCOMPARE(Contraste(Qt::white, Qt::black), 21.0);
    QCOMPARE(Contraste(QColor(53, 53, 53), QColor(53, 53, 53)), 1.0);
  }

  // A value cut at its edge shows its whole text as its tooltip, one that fits none; "Copiar"
  // copies it whole as drawn.
  void valorCortadoLeidoYCopiado_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("ayuda");
    QTest::newRow("cortado") << QStringLiteral("Region 10 Echomail Coordinator && Hub")
                             << QStringLiteral("Region 10 Echomail Coordinator & Hub");
    QTest::newRow("cabe") << QStringLiteral("Moscow") << QString();
  }

  void valorCortadoLeidoYCopiado() {
    QFETCH(QString, texto);
    QFETCH(QString, ayuda);
    const auto ventana = NuevaVentana();
    ventana->show();
    QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
    auto* valor = ventana->findChild<QLabel*>(QStringLiteral("lblCiudadNodo_"));
    valor->setText(texto);
    QToolTip::hideText();
    QHelpEvent pregunta(QEvent::ToolTip, QPoint(2, 2), valor->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(valor, &pregunta);
    if (ayuda.isEmpty()) {
      QTest::qWait(50);
      QVERIFY(!QToolTip::isVisible());
    } else {
      QTRY_COMPARE(QToolTip::text(), ayuda);
    }
    QCOMPARE(valor->focusPolicy(), Qt::NoFocus);
    QCOMPARE(valor->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(valor->actions().size(), 1);
    QCOMPARE(valor->actions()[0]->text(), QStringLiteral("Copiar"));
    valor->actions()[0]->trigger();
    QCOMPARE(QApplication::clipboard()->text(), TextoDibujado(texto));
  }
};

QTEST_MAIN(BuscarTest)
#include "buscar_test.moc"
