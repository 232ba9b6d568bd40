// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aplicacion.h"

#include <signal.h>

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <new>
#include <stdexcept>

#include "app/reglas.h"
#include "lookup/lists/lector_lista.h"
#include "settings/almacen_config.h"
#include "tests/comun/ventana_modal.h"
#include "ui/unit1.h"

namespace {

enum class Fallo { kTiempo, kEntradaSalida, kAlmacen, kSinMemoria, kConPunto, kVacio };

[[noreturn]] void Lanzar(Fallo fallo) {
  switch (fallo) {
    case Fallo::kTiempo:
      throw std::runtime_error("File not found");
    case Fallo::kEntradaSalida:
      throw ErrorEntradaSalida(kArchivoBloqueado, "I/O error 32");
    case Fallo::kAlmacen:
      throw ErrorAlmacen(QStringLiteral("Failed to set data for 'NodeList'"));
    case Fallo::kSinMemoria:
      throw std::bad_alloc();
    case Fallo::kConPunto:
      throw std::runtime_error("Already said.");
    case Fallo::kVacio:
      throw std::runtime_error("");
  }
  throw std::logic_error("unknown failure");
}

// An object whose own event handler fails, as a window's would.
class Lanzador final : public QObject {
 public:
  static constexpr QEvent::Type kFallar = QEvent::User;
  static constexpr QEvent::Type kContar = static_cast<QEvent::Type>(QEvent::User + 1);

  class EventoFallo final : public QEvent {
   public:
    explicit EventoFallo(Fallo f) : QEvent(kFallar), fallo(f) {}
    Fallo fallo;
  };

  int contados = 0;

  bool event(QEvent* evento) override {
    if (evento->type() == kFallar) Lanzar(static_cast<EventoFallo*>(evento)->fallo);
    if (evento->type() == kContar) {
      ++contados;
      return true;
    }
    return QObject::event(evento);
  }
};

struct Informe {
  bool visto = false;
  QString titulo;
  int ancho = 0;
  QString texto;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  QMessageBox::StandardButtons botones;
  QString boton;
  Qt::WindowModality modalidad = Qt::NonModal;
  bool ratonCapturado = true;
  bool ventanaVisible = false;
};

// Records the failure report on screen and dismisses it with Enter.
void LeerYCerrarInforme(Informe& informe, const QWidget* vigilada = nullptr) {
  EnVentanaModal({}, [&informe, vigilada](QWidget& ventana) {
    QWidget* modal = &ventana;
    informe.visto = true;
    informe.titulo = modal->windowTitle();
    informe.ancho = modal->width();
    informe.modalidad = modal->windowModality();
    informe.ratonCapturado = QWidget::mouseGrabber() != nullptr;
    informe.ventanaVisible = vigilada != nullptr && vigilada->isVisible();
    if (auto* caja = qobject_cast<QMessageBox*>(modal); caja != nullptr) {
      informe.texto = caja->text();
      informe.icono = caja->icon();
      informe.botones = caja->standardButtons();
      informe.boton = caja->button(QMessageBox::Ok)->text();
      caja->button(QMessageBox::Ok)->click();
    } else {
      modal->close();
    }
  });
}

enum class Cierre { kEnter, kEsc, kEspacio, kClic, kCerrar };

}  // namespace

Q_DECLARE_METATYPE(Fallo)
Q_DECLARE_METATYPE(Cierre)

class PruebaAplicacion final : public QObject {
  Q_OBJECT

 private slots:
  void tituloEIcono();
  void guardaInformaYSigue_data();
  void guardaInformaYSigue();
  void mostrarErrorSeCierraYSeDispone_data();
  void mostrarErrorSeCierraYSeDispone();
  void mostrarErrorAjustaTextoLargo();
  void textoUltimoRecurso_data();
  void textoUltimoRecurso();
  void saleConCeroAnteSigterm();
  void sinPantallaSaleConUnoYUnaLinea();
  void fallaEnFormCreateSeInformaAntesDeMostrar();
  void textosDeQtEnEspanol();
};

// Whatever the locale: the file dialog, a text box's menu, and the key the search window's menu
// shows beside "Entrada completa…".
void PruebaAplicacion::textosDeQtEnEspanol() {
  QFileDialog dialogo;
  dialogo.setOption(QFileDialog::DontUseNativeDialog);
  const auto* buscarEn = dialogo.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  QVERIFY(buscarEn != nullptr);
  QCOMPARE(buscarEn->text(), QStringLiteral("Ver en:"));
  QLineEdit caja;
  const std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
  QCOMPARE(menu->actions().constLast()->text().section(u'\t', 0, 0),
           QStringLiteral("Seleccionar todo"));
  QCOMPARE(QKeySequence(Qt::ALT | Qt::Key_Enter).toString(QKeySequence::NativeText),
           QStringLiteral("Alt+Intro"));
}

void PruebaAplicacion::tituloEIcono() {
  const Aplicacion* aplicacion = Aplicacion::instancia();
  QCOMPARE(aplicacion->titulo(), QString::fromStdString(TituloDePrograma(
                                     QCoreApplication::applicationFilePath().toStdString())));
  QCOMPARE(QCoreApplication::applicationName(), aplicacion->titulo());
  QCOMPARE(QGuiApplication::applicationDisplayName(), aplicacion->titulo());
  const QIcon icono = QApplication::windowIcon();
  QVERIFY(!icono.isNull());
  QCOMPARE(icono.pixmap(32, 32).size(), QSize(32, 32));
}

void PruebaAplicacion::guardaInformaYSigue_data() {
  QTest::addColumn<Fallo>("fallo");
  QTest::addColumn<bool>("desdeTemporizador");
  QTest::addColumn<QString>("esperado");
  QTest::newRow("archivo") << Fallo::kTiempo << true << QStringLiteral("File not found.");
  QTest::newRow("es") << Fallo::kEntradaSalida << false << QStringLiteral("I/O error 32.");
  QTest::newRow("almacen") << Fallo::kAlmacen << true
                           << QStringLiteral("Failed to set data for 'NodeList'");
  QTest::newRow("memoria") << Fallo::kSinMemoria << false << QStringLiteral("Out of memory.");
  QTest::newRow("punto") << Fallo::kConPunto << true << QStringLiteral("Already said.");
  QTest::newRow("vacio") << Fallo::kVacio << false << QString();
}

void PruebaAplicacion::guardaInformaYSigue() {
  QFETCH(Fallo, fallo);
  QFETCH(bool, desdeTemporizador);
  QFETCH(QString, esperado);

  QWidget otra;
  otra.setWindowTitle(QStringLiteral("otra"));
  otra.show();
  otra.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&otra));
  otra.grabMouse();

  Informe informe;
  LeerYCerrarInforme(informe);
  Lanzador lanzador;
  if (desdeTemporizador) {
    QTimer::singleShot(0, &lanzador, [fallo] { Lanzar(fallo); });
  } else {
    QCoreApplication::postEvent(&lanzador, new Lanzador::EventoFallo(fallo));
  }
  QTRY_VERIFY(informe.visto);

  QCOMPARE(informe.texto, esperado);
  QCOMPARE(informe.titulo, Aplicacion::instancia()->titulo());
  QCOMPARE(informe.titulo, QStringLiteral("aplicacion_test"));
  // Room for the caption in a title bar: its text in bold, and the icon and three buttons
  // beside it, each at least as wide as the text is high.
  QFont negrita = QApplication::font("QMdiSubWindowTitleBar");
  negrita.setBold(true);
  const QFontMetrics titular(negrita);
  QVERIFY2(informe.ancho >= titular.horizontalAdvance(informe.titulo) + 4 * titular.height(),
           qPrintable(QString::number(informe.ancho)));
  QCOMPARE(informe.icono, QMessageBox::Critical);
  QCOMPARE(informe.botones, QMessageBox::StandardButtons(QMessageBox::Ok));
  // Qt's own texts are Spanish, as a Spanish system's message box reads.
  QCOMPARE(informe.boton, QStringLiteral("Aceptar"));
  QCOMPARE(informe.modalidad, Qt::ApplicationModal);
  QVERIFY(!informe.ratonCapturado);

  QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
  QTRY_COMPARE(QApplication::activeWindow(), &otra);
  // The program goes on: a later event is handled as usual.
  QCoreApplication::postEvent(&lanzador, new QEvent(Lanzador::kContar));
  QTRY_COMPARE(lanzador.contados, 1);
}

void PruebaAplicacion::mostrarErrorSeCierraYSeDispone_data() {
  QTest::addColumn<Cierre>("cierre");
  QTest::addColumn<QString>("mensaje");
  QTest::newRow("enter") << Cierre::kEnter
                         << QStringLiteral("Nodelist file \"/x/NODELIST.345\" not found");
  QTest::newRow("esc") << Cierre::kEsc << QStringLiteral("Two\nlines");
  QTest::newRow("espacio") << Cierre::kEspacio << QStringLiteral("Tab\there");
  QTest::newRow("clic") << Cierre::kClic << QStringLiteral("&Underlined");
  QTest::newRow("cerrar") << Cierre::kCerrar << QStringLiteral("x");
}

void PruebaAplicacion::mostrarErrorSeCierraYSeDispone() {
  QFETCH(Cierre, cierre);
  QFETCH(QString, mensaje);

  struct Visto {
    bool visto = false;
    QString titulo, texto;
    QFont fuente;
    QSize tamano;
    QRect exterior;
    QRect icono, textoRect, boton;
    bool iconoListo = false, porDefecto = false, conFoco = false;
  } visto;

  EnVentanaModal({}, [&visto, cierre](QWidget& ventana) {
    QWidget* modal = &ventana;
    visto.visto = true;
    visto.titulo = modal->windowTitle();
    visto.fuente = modal->font();
    visto.tamano = modal->size();
    visto.exterior = modal->frameGeometry();
    auto* imagen = modal->findChild<QLabel*>(QStringLiteral("Image"));
    auto* texto = modal->findChild<QLabel*>(QStringLiteral("Message"));
    auto* boton = modal->findChild<QPushButton*>(QStringLiteral("OK"));
    if (imagen == nullptr || texto == nullptr || boton == nullptr) {
      modal->close();
      return;
    }
    visto.icono = imagen->geometry();
    visto.iconoListo = !imagen->pixmap().isNull();
    visto.texto = texto->text();
    visto.textoRect = texto->geometry();
    visto.boton = boton->geometry();
    visto.porDefecto = boton->isDefault() && boton->text() == QStringLiteral("OK");
    visto.conFoco = modal->focusWidget() == boton;
    switch (cierre) {
      case Cierre::kEnter:
        QTest::keyClick(boton, Qt::Key_Return);
        break;
      case Cierre::kEsc:
        QTest::keyClick(boton, Qt::Key_Escape);
        break;
      case Cierre::kEspacio:
        QTest::keyClick(boton, Qt::Key_Space);
        break;
      case Cierre::kClic:
        QTest::mouseClick(boton, Qt::LeftButton);
        break;
      case Cierre::kCerrar:
        modal->close();
        break;
    }
  });

  // A framed window of the program on screen, as the search window is when a search reports.
  QWidget otra;
  otra.show();
  QVERIFY(QTest::qWaitForWindowActive(&otra));
  QVERIFY(otra.frameGeometry() != otra.geometry());
  Aplicacion::instancia()->MostrarError(mensaje.toStdString());

  QVERIFY(visto.visto);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  QCOMPARE(visto.titulo, QStringLiteral("Error"));
  QCOMPARE(visto.texto, mensaje);
  QVERIFY(visto.iconoListo);
  QVERIFY(visto.porDefecto);
  QVERIFY(visto.conFoco);
  QCOMPARE(visto.fuente, QApplication::font("QMessageBox"));

  const QFontMetrics medidor(visto.fuente);
  const QSize tramo =
      medidor.size(0, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const QScreen* pantalla = QGuiApplication::primaryScreen();
  const QRect caja =
      medidor.boundingRect(QRect(0, 0, AnchoDeAjuste(pantalla->size().width()), 0),
                           Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic, mensaje);
  const DisposicionError d = CalcularDisposicion({tramo.width() / 52, tramo.height(),
                                                  medidor.horizontalAdvance(QStringLiteral("OK")),
                                                  caja.width(), caja.height()});
  QCOMPARE(visto.tamano, QSize(d.anchoCliente, d.altoCliente));
  QCOMPARE(visto.icono, QRect(d.icono.x, d.icono.y, 32, 32));
  QCOMPARE(visto.textoRect, QRect(d.texto.x, d.texto.y, d.texto.ancho, d.texto.alto));
  QCOMPARE(visto.boton, QRect(d.boton.x, d.boton.y, d.boton.ancho, d.boton.alto));
  // Centred by its outer size, frame included.
  QVERIFY(visto.exterior.size() != visto.tamano);
  const QRect g = pantalla->geometry();
  QCOMPARE(visto.exterior.topLeft(), QPoint(g.x() + (g.width() - visto.exterior.width()) / 2,
                                            g.y() + (g.height() - visto.exterior.height()) / 2));
}

void PruebaAplicacion::mostrarErrorAjustaTextoLargo() {
  QString largo;
  for (int i = 0; i < 60; ++i)
    largo += QStringLiteral("palabra ");
  QRect rectTexto;
  EnVentanaModal({}, [&rectTexto](QWidget& modal) {
    if (auto* texto = modal.findChild<QLabel*>(QStringLiteral("Message")); texto != nullptr) {
      rectTexto = texto->geometry();
    }
    modal.close();
  });
  Aplicacion::instancia()->MostrarError(largo.toStdString());

  const QFontMetrics medidor(QApplication::font("QMessageBox"));
  const int ajuste = AnchoDeAjuste(QGuiApplication::primaryScreen()->size().width());
  QVERIFY(medidor.horizontalAdvance(largo) > ajuste);
  QVERIFY(rectTexto.width() <= ajuste);
  QVERIFY(rectTexto.width() > ajuste / 2);
  QVERIFY(rectTexto.height() >= 2 * medidor.height());
}

void PruebaAplicacion::textoUltimoRecurso_data() {
  QTest::addColumn<QString>("mensaje");
  QTest::addColumn<QString>("cola");
  QTest::newRow("sin punto") << QStringLiteral("Boom") << QStringLiteral("\nBoom.");
  QTest::newRow("con punto") << QStringLiteral("Done.") << QStringLiteral("\nDone.");
  QTest::newRow("vacio") << QString() << QStringLiteral("\n");
  // Unlike the failure report, only an existing "." keeps another one away.
  QTest::newRow("comilla") << QStringLiteral("for 'x'") << QStringLiteral("\nfor 'x'.");
}

void PruebaAplicacion::textoUltimoRecurso() {
  QFETCH(QString, mensaje);
  QFETCH(QString, cola);
  int marca = 0;
  const QString texto = QString::fromStdString(
      TextoUltimoRecurso("std::runtime_error", "buscarpunto", &marca, mensaje.toStdString()));
  const QString direccion = QString::asprintf("%p", static_cast<const void*>(&marca));
  QCOMPARE(texto, QStringLiteral("Exception std::runtime_error in module buscarpunto at ") +
                      direccion + QStringLiteral(".") + cola);
}

void PruebaAplicacion::saleConCeroAnteSigterm() {
  QTemporaryDir config;
  QVERIFY(config.isValid());
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  entorno.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
  QProcess programa;
  programa.setProcessEnvironment(entorno);
  programa.start(QStringLiteral(BUSCARPUNTO_EXE), {});
  QVERIFY(programa.waitForStarted());
  // The settings file appears in FormCreate, after the signal handlers are in place.
  QTRY_VERIFY_WITH_TIMEOUT(
      QFileInfo::exists(config.path() + QStringLiteral("/Tervanik/NodeList.conf")), 5000);
  QCOMPARE(::kill(static_cast<pid_t>(programa.processId()), SIGTERM), 0);
  QVERIFY(programa.waitForFinished(5000));
  QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
  QCOMPARE(programa.exitCode(), 0);
}

void PruebaAplicacion::sinPantallaSaleConUnoYUnaLinea() {
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  for (const auto* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    entorno.remove(QString::fromLatin1(variable));
  }
  QProcess programa;
  programa.setProcessEnvironment(entorno);
  programa.start(QStringLiteral(BUSCARPUNTO_EXE), {});
  QVERIFY(programa.waitForFinished(5000));
  QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
  QCOMPARE(programa.exitCode(), 1);
  const QString error = QString::fromUtf8(programa.readAllStandardError());
  QCOMPARE(error.count(QLatin1Char('\n')), 1);
  QVERIFY(error.endsWith(QLatin1Char('\n')));
  QVERIFY2(error.contains(QStringLiteral("xvfb-run")), qPrintable(error));
  QVERIFY2(error.contains(QStringLiteral("buscarpunto-cli")), qPrintable(error));
  QVERIFY(programa.readAllStandardOutput().isEmpty());
}

// Last: it runs the main loop, which the close of the main window ends.
void PruebaAplicacion::fallaEnFormCreateSeInformaAntesDeMostrar() {
  Aplicacion* aplicacion = Aplicacion::instancia();
  Informe informe;
  // The settings directory lies under a plain file (see main), so FormCreate cannot store a thing.
  LeerYCerrarInforme(informe);
  aplicacion->CrearVentana();
  QVERIFY(informe.visto);
  QVERIFY2(informe.texto.contains(QStringLiteral("NodeList")), qPrintable(informe.texto));
  QCOMPARE(informe.titulo, aplicacion->titulo());

  TfrmBuscar* ventana = aplicacion->ventanaPrincipal();
  QVERIFY(ventana != nullptr);
  QVERIFY(!ventana->isVisible());

  bool vistaAntesDeCerrar = false;
  QTimer::singleShot(0, ventana, [ventana, &vistaAntesDeCerrar] {
    vistaAntesDeCerrar = ventana->isVisible();
    ventana->close();
  });
  aplicacion->Ejecutar();
  QVERIFY(vistaAntesDeCerrar);
  QCOMPARE(aplicacion->ventanaPrincipal(), nullptr);
}

int main(int argc, char** argv) {
  QTemporaryDir raiz;
  if (!raiz.isValid()) return 1;
  QFile archivo(raiz.filePath(QStringLiteral("archivo")));
  if (!archivo.open(QIODevice::WriteOnly)) return 1;
  archivo.close();
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(raiz.filePath(QStringLiteral("archivo/config"))));
  qputenv("QT_QPA_PLATFORM", "offscreen");

  Aplicacion aplicacion(argc, argv);
  PruebaAplicacion prueba;
  return QTest::qExec(&prueba, argc, argv);
}

#include "aplicacion_test.moc"
