// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/ventana_modal.h"
#include "ui/boton_glifo.h"
#include "ui/dialogo_archivo.h"
#include "ui/escala.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

namespace {

const QString kMuestras = QStringLiteral(SAMPLES_DIR);
const QString kNodelist = kMuestras + QStringLiteral("/NODELIST.345");
const QString kPointlist = kMuestras + QStringLiteral("/POINTS.345");
// A weekly list chosen in the dialog goes in by its base name.
const QString kBaseNodelist = kMuestras + QStringLiteral("/NODELIST");
const QString kBasePointlist = kMuestras + QStringLiteral("/POINTS");

void Guardar(const QString& nodelist, const QString& pointlist) {
  AlmacenConfig almacen;
  GuardarRutas(almacen, nodelist, pointlist);
}

Rutas Guardadas() {
  AlmacenConfig almacen;
  return LeerRutas(almacen);
}

QLineEdit* Caja(const QWidget& ventana, const char* nombre) {
  return ventana.findChild<QLineEdit*>(QString::fromUtf8(nombre));
}

QPushButton* Boton(const QWidget& ventana, const char* nombre) {
  return ventana.findChild<QPushButton*>(QString::fromUtf8(nombre));
}

// The folder the Open file dialog starts in and the name it starts with.
QStringList InicioDe(const QFileDialog& dialogo) {
  const QStringList elegidos = dialogo.selectedFiles();
  return {dialogo.directory().absolutePath(),
          elegidos.isEmpty() ? QString() : QFileInfo(elegidos.front()).fileName()};
}

// Gives `foco` the focus, as Tab would, and presses the key there.
bool PulsarEn(QWidget& ventana, const QString& foco, int tecla, int modificadores) {
  auto* destino = ventana.findChild<QWidget*>(foco);
  if (destino == nullptr) return false;
  destino->setFocus(Qt::TabFocusReason);
  if (!QTest::qWaitFor([destino] { return QApplication::focusWidget() == destino; })) return false;
  QTest::keyClick(destino, static_cast<Qt::Key>(tecla),
                  Qt::KeyboardModifiers::fromInt(modificadores));
  return true;
}

}  // namespace

class ConfigTest final : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> raiz_;
  QStringList mensajes_;

  [[nodiscard]] static std::unique_ptr<TfrmConfig> NuevaVentana() {
    auto ventana = std::make_unique<TfrmConfig>();
    ventana->FormCreate();
    return ventana;
  }

  [[nodiscard]] QString ArchivoAlmacen() const {
    return raiz_->path() + QStringLiteral("/Tervanik/NodeList.conf");
  }

 private slots:
  void init() {
    raiz_ = std::make_unique<QTemporaryDir>();
    QVERIFY(raiz_->isValid());
    QVERIFY(qputenv("XDG_CONFIG_HOME", QFile::encodeName(raiz_->path())));
    mensajes_.clear();
  }

  void construidaComoDisenada() {
    const auto ventana = NuevaVentana();
    QCOMPARE(ventana->windowTitle(), QStringLiteral("Configuración"));
    const Qt::WindowFlags banderas = ventana->windowFlags();
    QVERIFY(banderas.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(banderas.testFlag(Qt::WindowTitleHint));
    QVERIFY(!banderas.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!banderas.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!banderas.testFlag(Qt::WindowMinMaxButtonsHint));

    const int alto = QFontMetrics(ventana->font()).height();
    const auto caja = [alto](int x, int y, int w, int h) {
      return EscalarRect(QRect(x, y, w, h), alto);
    };
    QCOMPARE(ventana->minimumSize(), caja(0, 0, 377, 176).size());
    QCOMPARE(ventana->maximumSize(), caja(0, 0, 377, 176).size());

    struct Control {
      const char* nombre;
      const char* padre;
      QRect disenado;
      const char* texto;
    };
    const Control controles[] = {
        {"GroupBox1", "frmConfig", {12, 8, 353, 49}, "Archivo NodeList:"},
        {"txtNodelist", "GroupBox1", {8, 18, 281, 21}, nullptr},
        {"btnBuscarNodelist", "GroupBox1", {296, 16, 49, 25}, "Buscar"},
        {"GroupBox2", "frmConfig", {12, 72, 353, 49}, "Archivo PointList:"},
        {"txtPointlist", "GroupBox2", {8, 18, 281, 21}, nullptr},
        {"btnBuscarPointlist", "GroupBox2", {296, 16, 49, 25}, "Buscar"},
        {"btnAceptar", "frmConfig", {92, 136, 89, 27}, "&Aceptar"},
        {"BitBtn1", "frmConfig", {196, 136, 89, 27}, "&Cancelar"},
    };
    for (const Control& c : controles) {
      const auto* control = ventana->findChild<QWidget*>(QString::fromUtf8(c.nombre));
      QVERIFY2(control != nullptr, c.nombre);
      QCOMPARE(control->parentWidget()->objectName(), QString::fromUtf8(c.padre));
      QCOMPARE(control->geometry(),
               caja(c.disenado.x(), c.disenado.y(), c.disenado.width(), c.disenado.height()));
      if (c.texto == nullptr) continue;
      if (const auto* grupo = qobject_cast<const QGroupBox*>(control)) {
        QCOMPARE(grupo->title(), QString::fromUtf8(c.texto));
      } else {
        QCOMPARE(static_cast<const QPushButton*>(control)->text(), QString::fromUtf8(c.texto));
      }
    }
    const auto* bevel = ventana->findChild<QFrame*>(QStringLiteral("Bevel1"));
    QVERIFY(bevel != nullptr);
    QCOMPARE(bevel->geometry(), ventana->rect());

    const auto* aceptar = ventana->findChild<BotonGlifo*>(QStringLiteral("btnAceptar"));
    const auto* cancelar = ventana->findChild<BotonGlifo*>(QStringLiteral("BitBtn1"));
    QVERIFY(aceptar != nullptr && cancelar != nullptr);
    QCOMPARE(aceptar->Tipo(), TipoBoton::Yes);
    QCOMPARE(cancelar->Tipo(), TipoBoton::No);
    QVERIFY(aceptar->isDefault());
    QVERIFY(!Boton(*ventana, "btnBuscarNodelist")->isDefault());
    QVERIFY(!Boton(*ventana, "btnBuscarPointlist")->isDefault());
    QVERIFY(ventana->findChild<QFileDialog*>(QStringLiteral("OpenDialog")) != nullptr);
  }

  void abreConLasRutasGuardadas_data() {
    QTest::addColumn<bool>("guardar");
    QTest::addColumn<QString>("nodelist");
    QTest::addColumn<QString>("pointlist");
    QTest::newRow("primera vez") << false << QString() << QString();
    QTest::newRow("muestras") << true << kNodelist << kPointlist;
    QTest::newRow("relativa y con acentos")
        << true << QStringLiteral("listas/NODELIST.345")
        << QStringLiteral("/srv/fido/puntos de España/POINTS.345");
    QTest::newRow("solo la segunda") << true << QString() << QStringLiteral("POINTS.345");
  }

  void abreConLasRutasGuardadas() {
    QFETCH(bool, guardar);
    QFETCH(QString, nodelist);
    QFETCH(QString, pointlist);
    if (guardar) Guardar(nodelist, pointlist);

    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    auto* nodo = Caja(*ventana, "txtNodelist");
    QCOMPARE(nodo->text(), nodelist);
    QCOMPARE(Caja(*ventana, "txtPointlist")->text(), pointlist);
    QTRY_COMPARE(QApplication::focusWidget(), nodo);
    QCOMPARE(nodo->selectedText(), nodelist);
    // Opening the window writes nothing, not even on a first run.
    QCOMPARE(QFile::exists(ArchivoAlmacen()), guardar);
  }

  void aceptarGuardaAmbasTalCual_data() {
    QTest::addColumn<QString>("nodelist");
    QTest::addColumn<QString>("pointlist");
    QTest::newRow("muestras") << kNodelist << kPointlist;
    QTest::newRow("nodelist vacía") << QString() << kPointlist;
    QTest::newRow("ambas vacías") << QString() << QString();
    QTest::newRow("espacios y relativa")
        << QStringLiteral("  ../listas/NODELIST.345 ") << QStringLiteral("no existe.txt");
  }

  void aceptarGuardaAmbasTalCual() {
    QFETCH(QString, nodelist);
    QFETCH(QString, pointlist);
    Guardar(QStringLiteral("/viejo/NODELIST"), QStringLiteral("/viejo/POINTS"));

    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    Caja(*ventana, "txtNodelist")->setText(nodelist);
    Caja(*ventana, "txtPointlist")->setText(pointlist);
    QTest::mouseClick(Boton(*ventana, "btnAceptar"), Qt::LeftButton);

    QCOMPARE(ventana->result(), 6);
    QVERIFY(!ventana->isVisible());
    QCOMPARE(Guardadas(), (Rutas{nodelist, pointlist}));
  }

  void aceptarSinCambiosGuardaOtraVez() {
    Guardar(kNodelist, kPointlist);
    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    QFile::remove(ArchivoAlmacen());
    ventana->btnAceptarClick();
    QCOMPARE(Guardadas(), (Rutas{kNodelist, kPointlist}));
  }

  void teclasQueAceptan_data() {
    QTest::addColumn<QString>("foco");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::newRow("Enter en la nodelist")
        << QStringLiteral("txtNodelist") << static_cast<int>(Qt::Key_Return) << 0;
    QTest::newRow("Enter del teclado numérico en la pointlist")
        << QStringLiteral("txtPointlist") << static_cast<int>(Qt::Key_Enter)
        << static_cast<int>(Qt::KeypadModifier);
    QTest::newRow("Enter en btnAceptar")
        << QStringLiteral("btnAceptar") << static_cast<int>(Qt::Key_Return) << 0;
    QTest::newRow("Alt+A en la pointlist")
        << QStringLiteral("txtPointlist") << static_cast<int>(Qt::Key_A)
        << static_cast<int>(Qt::AltModifier);
    QTest::newRow("A en BitBtn1") << QStringLiteral("BitBtn1") << static_cast<int>(Qt::Key_A) << 0;
    QTest::newRow("Alt+Mayús+A en la nodelist")
        << QStringLiteral("txtNodelist") << static_cast<int>(Qt::Key_A)
        << static_cast<int>((Qt::AltModifier | Qt::ShiftModifier).toInt());
  }

  void teclasQueAceptan() {
    QFETCH(QString, foco);
    QFETCH(int, tecla);
    QFETCH(int, modificadores);

    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    Caja(*ventana, "txtNodelist")->setText(kNodelist);
    Caja(*ventana, "txtPointlist")->setText(kPointlist);
    QVERIFY(PulsarEn(*ventana, foco, tecla, modificadores));

    QTRY_VERIFY(!ventana->isVisible());
    QCOMPARE(ventana->result(), 6);
    QCOMPARE(Guardadas(), (Rutas{kNodelist, kPointlist}));
  }

  void cancelarNoGuardaNada_data() {
    QTest::addColumn<QString>("foco");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    const auto fila = [](const char* caso, const char* foco, Qt::Key tecla,
                         Qt::KeyboardModifiers mods) {
      QTest::newRow(caso) << QString::fromUtf8(foco) << static_cast<int>(tecla)
                          << static_cast<int>(mods.toInt());
    };
    fila("clic en BitBtn1", "BitBtn1", Qt::Key_unknown, Qt::NoModifier);
    fila("Esc en la nodelist", "txtNodelist", Qt::Key_Escape, Qt::NoModifier);
    fila("Esc en la pointlist", "txtPointlist", Qt::Key_Escape, Qt::NoModifier);
    fila("Esc en btnBuscarPointlist", "btnBuscarPointlist", Qt::Key_Escape, Qt::NoModifier);
    fila("Esc en btnAceptar", "btnAceptar", Qt::Key_Escape, Qt::NoModifier);
    fila("Enter en BitBtn1", "BitBtn1", Qt::Key_Return, Qt::NoModifier);
    fila("Alt+C en la nodelist", "txtNodelist", Qt::Key_C, Qt::AltModifier);
    fila("C en btnAceptar", "btnAceptar", Qt::Key_C, Qt::NoModifier);
    fila("Alt+Mayús+C en la pointlist", "txtPointlist", Qt::Key_C,
         Qt::AltModifier | Qt::ShiftModifier);
    fila("cierre", "", Qt::Key_unknown, Qt::NoModifier);
  }

  void cancelarNoGuardaNada() {
    QFETCH(QString, foco);
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    Guardar(QStringLiteral("/viejo/NODELIST"), QStringLiteral("/viejo/POINTS"));

    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    // A path picked with "Buscar" is not stored either.
    ResponderProximoDialogo(kPointlist);
    Boton(*ventana, "btnBuscarPointlist")->click();
    QCOMPARE(Caja(*ventana, "txtPointlist")->text(), kBasePointlist);
    Caja(*ventana, "txtNodelist")->setText(kNodelist);
    QVERIFY(QTest::qWaitForWindowActive(ventana.get()));

    if (foco.isEmpty()) {
      ventana->close();
    } else if (tecla == Qt::Key_unknown) {
      QTest::mouseClick(Boton(*ventana, "BitBtn1"), Qt::LeftButton);
    } else {
      QVERIFY(PulsarEn(*ventana, foco, tecla, modificadores));
    }

    QTRY_VERIFY(!ventana->isVisible());
    QCOMPARE(ventana->result(), 7);
    QCOMPARE(Guardadas(),
             (Rutas{QStringLiteral("/viejo/NODELIST"), QStringLiteral("/viejo/POINTS")}));
  }

  void tabulaEnOrden() {
    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    const QStringList orden = {QStringLiteral("txtNodelist"),  QStringLiteral("btnBuscarNodelist"),
                               QStringLiteral("txtPointlist"), QStringLiteral("btnBuscarPointlist"),
                               QStringLiteral("btnAceptar"),   QStringLiteral("BitBtn1"),
                               QStringLiteral("txtNodelist")};
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), orden.front());
    for (qsizetype i = 1; i < orden.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), orden[i]);
    }
    for (qsizetype i = orden.size() - 2; i >= 0; --i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget()->objectName(), orden[i]);
    }
    QVERIFY(ventana->isVisible());
  }

  void examinar_data() {
    QTest::addColumn<QString>("boton");
    QTest::addColumn<QString>("inicial");
    QTest::addColumn<QStringList>("comienzo");
    QTest::addColumn<std::optional<QString>>("elegido");
    QTest::addColumn<QString>("esperado");
    const QString nodos = QStringLiteral("btnBuscarNodelist");
    const QString puntos = QStringLiteral("btnBuscarPointlist");
    const QString tmp = QStringLiteral("@TMP@");
    QTest::newRow("elige la nodelist") << nodos << QString() << QStringList{QString(), QString()}
                                       << std::optional(kNodelist) << kBaseNodelist;
    QTest::newRow("parte de lo escrito")
        << puntos << kNodelist << QStringList{kMuestras, QStringLiteral("NODELIST.345")}
        << std::optional(kPointlist) << kBasePointlist;
    QTest::newRow("un nombre que no existe")
        << nodos << kNodelist << QStringList{kMuestras, QStringLiteral("NODELIST.345")}
        << std::optional<QString>(tmp + QStringLiteral("/no existe.lst"))
        << QString(tmp + QStringLiteral("/no existe.lst"));
    QTest::newRow("una carpeta que ya no existe")
        << puntos << QString(tmp + QStringLiteral("/ya/no/está/POINTS.345"))
        << QStringList{tmp, QStringLiteral("POINTS.345")} << std::optional(kPointlist)
        << kBasePointlist;
    QTest::newRow("relativa") << nodos << QStringLiteral("listas-que-no-hay/NODELIST.345")
                              << QStringList{QDir::currentPath(), QStringLiteral("NODELIST.345")}
                              << std::optional<QString>()
                              << QStringLiteral("listas-que-no-hay/NODELIST.345");
    QTest::newRow("cancelado no cambia nada")
        << puntos << kPointlist << QStringList{kMuestras, QStringLiteral("POINTS.345")}
        << std::optional<QString>() << kPointlist;
  }

  void examinar() {
    QFETCH(QString, boton);
    QFETCH(QString, inicial);
    QFETCH(QStringList, comienzo);
    QFETCH(std::optional<QString>, elegido);
    QFETCH(QString, esperado);
    const auto temporal = [this](QString texto) {
      return texto.replace(QStringLiteral("@TMP@"), raiz_->path());
    };
    if (elegido) elegido = temporal(*elegido);

    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    auto* pulsado = ventana->findChild<QPushButton*>(boton);
    auto* edicion = static_cast<QLineEdit*>(
        pulsado->parentWidget()->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly));
    edicion->setText(temporal(inicial));
    ResponderProximoDialogo(elegido);
    // Enter on a "Buscar" button opens its dialog instead of accepting the window.
    pulsado->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), pulsado);
    QTest::keyClick(pulsado, Qt::Key_Return);

    if (!inicial.isEmpty()) {
      const auto* dialogo = ventana->findChild<QFileDialog*>(QStringLiteral("OpenDialog"));
      QCOMPARE(InicioDe(*dialogo), (QStringList{temporal(comienzo[0]), comienzo[1]}));
    }
    QCOMPARE(edicion->text(), temporal(esperado));
    QVERIFY(ventana->isVisible());
    QCOMPARE(ventana->result(), 0);
    QVERIFY(!QFile::exists(ArchivoAlmacen()));
  }

  // The dialog on screen, from a folder that is gone: it shows the nearest folder that is there
  // with the name filled in, and Open gives that file there.
  void dialogoDesdeUnaCarpetaQueNoEsta() {
    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    auto* caja = Caja(*ventana, "txtPointlist");
    caja->setText(raiz_->path() + QStringLiteral("/ya/no/está/POINTS.345"));
    QStringList visto;
    EnVentanaModal(QStringLiteral("OpenDialog"), [&visto](QWidget& modal) {
      auto& dialogo = static_cast<QFileDialog&>(modal);
      visto = InicioDe(dialogo);
      static_cast<QDialog&>(dialogo).accept();
    });
    QTest::mouseClick(Boton(*ventana, "btnBuscarPointlist"), Qt::LeftButton);
    QCOMPARE(visto, (QStringList{raiz_->path(), QStringLiteral("POINTS.345")}));
    QCOMPARE(caja->text(), raiz_->path() + QStringLiteral("/POINTS"));
    QTRY_VERIFY(ventana->isActiveWindow());
  }

  void falloAlGuardarDejaLaVentanaAbierta() {
    Guardar(QStringLiteral("/viejo/NODELIST"), QStringLiteral("/viejo/POINTS"));
    const auto ventana = NuevaVentana();
    QVERIFY(Mostrar(*ventana));
    const QString nuevaNodo = QStringLiteral("/nuevo/NODELIST");
    const QString nuevaPunto = QStringLiteral("/nuevo/POINTS");
    Caja(*ventana, "txtNodelist")->setText(nuevaNodo);
    Caja(*ventana, "txtPointlist")->setText(nuevaPunto);

    QVERIFY(QFile::remove(ArchivoAlmacen()));
    QVERIFY(QDir().mkdir(ArchivoAlmacen()));
    QVERIFY_THROWS_EXCEPTION(ErrorAlmacen, ventana->btnAceptarClick());

    QVERIFY(ventana->isVisible());
    QCOMPARE(ventana->result(), 0);
    QCOMPARE(Caja(*ventana, "txtNodelist")->text(), nuevaNodo);
    QCOMPARE(Caja(*ventana, "txtPointlist")->text(), nuevaPunto);

    // Once the store is back the same window stores what was typed.
    QVERIFY(QDir().rmdir(ArchivoAlmacen()));
    ventana->btnAceptarClick();
    QCOMPARE(ventana->result(), 6);
    QCOMPARE(Guardadas(), (Rutas{nuevaNodo, nuevaPunto}));
  }

  void falloAlLeerSeQuedaConLoLeido() {
    const auto ventana = std::make_unique<TfrmConfig>();
    QVERIFY(QDir().mkpath(raiz_->path() + QStringLiteral("/Tervanik")));
    QFile archivo(ArchivoAlmacen());
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    // A text first, then a list, which is not a text.
    archivo.write("[General]\nNodeList=/listas/NODELIST\nPointList=/a, /b\n");
    archivo.close();
    QVERIFY_THROWS_EXCEPTION(ErrorAlmacen, ventana->FormCreate());
    QCOMPARE(Caja(*ventana, "txtNodelist")->text(), QStringLiteral("/listas/NODELIST"));
    QCOMPARE(Caja(*ventana, "txtPointlist")->text(), QString());
  }

  // Drives the search window's "&Config." the way a user does, three times in a row.
  void cadaAperturaMuestraLoGuardadoEntonces() {
    TfrmBuscar buscar(
        [this](const std::string& mensaje) { mensajes_ << QString::fromStdString(mensaje); });
    buscar.FormCreate();
    QVERIFY(Mostrar(buscar));

    for (int vez = 1; vez <= 3; ++vez) {
      const QString nodo = QStringLiteral("/listas/%1/NODELIST").arg(vez);
      const QString punto = QStringLiteral("/listas/%1/POINTS").arg(vez);
      Guardar(nodo, punto);
      Rutas vistas;
      bool cancelada = vez % 2 == 1;
      EnVentanaModal(QStringLiteral("frmConfig"), [&vistas, cancelada](QWidget& modal) {
        vistas = {Caja(modal, "txtNodelist")->text(), Caja(modal, "txtPointlist")->text()};
        Boton(modal, cancelada ? "BitBtn1" : "btnAceptar")->click();
      });
      QTest::mouseClick(Boton(buscar, "btnConfig"), Qt::LeftButton);
      QCOMPARE(vistas, (Rutas{nodo, punto}));
      // A closed window is destroyed and the search window is active again.
      QTRY_VERIFY(buscar.findChildren<TfrmConfig*>().isEmpty());
      QTRY_VERIFY(buscar.isActiveWindow());
    }
    QCOMPARE(mensajes_, QStringList());
  }

  void recorridoCompleto() {
    TfrmBuscar buscar(
        [this](const std::string& mensaje) { mensajes_ << QString::fromStdString(mensaje); });
    buscar.FormCreate();
    QVERIFY(Mostrar(buscar));
    auto* bbs = buscar.findChild<QLabel*>(QStringLiteral("lblBBS_"));
    auto* nick = buscar.findChild<QLabel*>(QStringLiteral("lblNick_"));
    auto* direccion = buscar.findChild<QLineEdit*>(QStringLiteral("txtDireccion"));

    EnVentanaModal(QStringLiteral("frmConfig"), [](QWidget& modal) {
      QCOMPARE(Caja(modal, "txtNodelist")->text(), QString());
      QTest::keyClicks(Caja(modal, "txtNodelist"), kNodelist);
      Caja(modal, "txtPointlist")->setFocus();
      QTest::keyClicks(Caja(modal, "txtPointlist"), kPointlist);
      QTest::keyClick(Caja(modal, "txtPointlist"), Qt::Key_Return);
    });
    QTest::mouseClick(Boton(buscar, "btnConfig"), Qt::LeftButton);
    QCOMPARE(Guardadas(), (Rutas{kNodelist, kPointlist}));
    // Accepting does not search: the results and the address wait for the next search.
    QCOMPARE(bbs->text(), QString());
    QCOMPARE(direccion->text(), QStringLiteral("2:5020/52.10"));
    QTRY_VERIFY(buscar.isActiveWindow());

    QTest::mouseClick(Boton(buscar, "btnBuscar"), Qt::LeftButton);
    QCOMPARE(bbs->text(), QStringLiteral("Arbat Hub"));
    QCOMPARE(nick->text(), QStringLiteral("Cozy Tosser"));
    QCOMPARE(mensajes_, QStringList());
  }

  // Under each box, as it is typed: the file a search reads there now and its list date.
  void leeAhora_data() {
    QTest::addColumn<QString>("escrita");
    QTest::addColumn<QString>("linea");
    QTest::newRow("nombre base") << QStringLiteral("semanal/NODELIST")
                                 << QStringLiteral("NODELIST.003 — lista del 3 de enero de 2025");
    QTest::newRow("falta") << QStringLiteral("semanal/POINTS")
                           << QStringLiteral("No hay ninguna lista que leer aquí.");
    QTest::newRow("cadena") << QStringLiteral("diffs/NODELIST")
                            << QStringLiteral(
                                   "NODELIST.362 + NODEDIFF.003 — lista del 3 de "
                                   "enero de 1997");
  }

  void leeAhora() {
    QFETCH(QString, escrita);
    QFETCH(QString, linea);
    const QDir aqui(raiz_->path());
    QVERIFY(aqui.mkpath(QStringLiteral("semanal")) && aqui.mkpath(QStringLiteral("diffs")));
    const auto lista = [&aqui](const QString& nombre, const char* fecha) {
      QFile archivo(aqui.filePath(nombre));
      QVERIFY(archivo.open(QIODevice::WriteOnly));
      archivo.write(QByteArray(";A FidoNet Nodelist for ") + fecha +
                    " -- Day number 001 : 00000\r\n");
    };
    lista(QStringLiteral("semanal/NODELIST.362"), "Friday, December 27, 2024");
    lista(QStringLiteral("semanal/NODELIST.003"), "Friday, January 3, 2025");
    QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/nodediff/nodelist.362.bz2"),
                        aqui.filePath(QStringLiteral("diffs/NODELIST.362"))));
    QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/nodediff/NODEDIFF.003"),
                        aqui.filePath(QStringLiteral("diffs/NODEDIFF.003"))));
    const auto ventana = NuevaVentana();
    for (const char* caja : {"txtNodelist", "txtPointlist"}) {
      ventana->findChild<QLineEdit*>(QString::fromLatin1(caja))->setText(aqui.filePath(escrita));
    }
    for (const char* debajo : {"lblLeeNodelist", "lblLeePointlist"}) {
      const auto* etiqueta = ventana->findChild<QLabel*>(QString::fromLatin1(debajo));
      QVERIFY(etiqueta != nullptr);
      QTRY_COMPARE(etiqueta->text(), linea);
      QCOMPARE(etiqueta->focusPolicy(), Qt::NoFocus);
      QVERIFY(etiqueta->geometry().bottom() < ventana->height());
    }
  }
};

QTEST_MAIN(ConfigTest)
#include "config_test.moc"
