// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QSet>
#include <QTest>
#include <memory>
#include <optional>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/ventana_modal.h"
#include "ui/unit1.h"
#include "ui/unit2.h"

// What a screen reader is told about each control: role, name and description, as the
// accessibility interface hands them to the platform bridge.

namespace {

const QString kMuestras = QStringLiteral(SAMPLES_DIR);

struct Leido {
  QAccessible::Role rol;
  QString nombre;
  QString descripcion;
  // The caption of the enclosing group, which a screen reader says on the way in.
  QString grupo;
};

Leido Leer(QWidget& control) {
  QAccessibleInterface* interfaz = QAccessible::queryAccessibleInterface(&control);
  if (interfaz == nullptr) return {QAccessible::NoRole, QStringLiteral("<none>"), {}, {}};
  return {interfaz->role(),
          interfaz->text(QAccessible::Name),
          interfaz->text(QAccessible::Description),
          {}};
}

// Every control in the window's accessible tree that a user can reach or read, as role, name
// and description.
void Recorrer(QAccessibleInterface& nodo, const QString& grupo, QList<Leido>& leidos) {
  for (int i = 0; i < nodo.childCount(); ++i) {
    QAccessibleInterface* hijo = nodo.child(i);
    if (hijo == nullptr) continue;
    const QAccessible::Role rol = hijo->role();
    if (rol == QAccessible::StaticText || rol == QAccessible::PushButton ||
        rol == QAccessible::EditableText) {
      leidos << Leido{rol, hijo->text(QAccessible::Name), hijo->text(QAccessible::Description),
                      grupo};
    }
    Recorrer(*hijo, rol == QAccessible::Grouping ? hijo->text(QAccessible::Name) : grupo, leidos);
  }
}

}  // namespace

class AccesibleTest final : public QObject {
  Q_OBJECT

 private:
  std::optional<PerfilTemporal> perfil_;

  [[nodiscard]] static std::unique_ptr<TfrmBuscar> NuevaBuscar() {
    auto ventana = std::make_unique<TfrmBuscar>([](const std::string& mensaje) {
      QFAIL(qPrintable(QStringLiteral("unexpected message: ") + QString::fromStdString(mensaje)));
    });
    ventana->FormCreate();
    return ventana;
  }

  template <typename T>
  static T& Control(const QWidget& ventana, const QString& nombre) {
    T* control = ventana.findChild<T*>(nombre);
    if (control == nullptr) qFatal("no control %s", qPrintable(nombre));
    return *control;
  }

  static void ComprobarDistinguibles(QWidget& ventana) {
    QAccessibleInterface* raiz = QAccessible::queryAccessibleInterface(&ventana);
    QVERIFY(raiz != nullptr);
    QList<Leido> leidos;
    Recorrer(*raiz, {}, leidos);
    QVERIFY(!leidos.isEmpty());
    QSet<QString> vistos;
    for (const Leido& l : leidos) {
      const QString clave =
          l.grupo + u'|' + QString::number(l.rol) + u'|' + l.nombre + u'|' + l.descripcion;
      QVERIFY2(!vistos.contains(clave), qPrintable(QStringLiteral("read alike: ") + clave));
      QVERIFY2(!(l.nombre.isEmpty() && l.descripcion.isEmpty()), qPrintable(clave));
      vistos.insert(clave);
    }
  }

 private slots:
  void init() { perfil_.emplace(); }

  void controles_data() {
    QTest::addColumn<bool>("busqueda");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("rol");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("descripcion");
    const auto fila = [](const char* caso, bool busqueda, const char* control,
                         QAccessible::Role rol, const QString& nombre, const QString& descripcion) {
      QTest::newRow(caso) << busqueda << QString::fromUtf8(control) << static_cast<int>(rol)
                          << nombre << descripcion;
    };
    const auto s = [](const char* texto) { return QString::fromUtf8(texto); };
    fila("txtDireccion", true, "txtDireccion", QAccessible::EditableText, s("Dirección de Punto:"),
         {});
    fila("btnBuscar", true, "btnBuscar", QAccessible::PushButton, s("Buscar"), {});
    fila("btnConfig", true, "btnConfig", QAccessible::PushButton, s("Config."), {});
    fila("lblBBS", true, "lblBBS", QAccessible::StaticText, s("BBS:"), {});
    fila("lblTelefono", true, "lblTelefono", QAccessible::StaticText, s("Teléfono:"), {});
    // Empty until a search: nothing to read but what the value is.
    fila("lblBBS_ vacía", true, "lblBBS_", QAccessible::StaticText, {}, s("BBS:"));
    fila("lblTelefono_ vacía", true, "lblTelefono_", QAccessible::StaticText, {}, s("Teléfono:"));
    fila("txtNodelist", false, "txtNodelist", QAccessible::EditableText, s("Archivo NodeList:"),
         {});
    fila("txtPointlist", false, "txtPointlist", QAccessible::EditableText, s("Archivo PointList:"),
         {});
    fila("btnBuscarNodelist", false, "btnBuscarNodelist", QAccessible::PushButton, s("Buscar"),
         s("Archivo NodeList:"));
    fila("btnBuscarPointlist", false, "btnBuscarPointlist", QAccessible::PushButton, s("Buscar"),
         s("Archivo PointList:"));
    fila("btnAceptar", false, "btnAceptar", QAccessible::PushButton, s("Aceptar"), {});
    fila("BitBtn1", false, "BitBtn1", QAccessible::PushButton, s("Cancelar"), {});
  }

  void controles() {
    QFETCH(bool, busqueda);
    QFETCH(QString, control);
    QFETCH(int, rol);
    QFETCH(QString, nombre);
    QFETCH(QString, descripcion);
    std::unique_ptr<QWidget> ventana;
    if (busqueda) {
      ventana = NuevaBuscar();
    } else {
      auto config = std::make_unique<TfrmConfig>();
      config->FormCreate();
      ventana = std::move(config);
    }
    const Leido leido = Leer(Control<QWidget>(*ventana, control));
    QCOMPARE(static_cast<int>(leido.rol), rol);
    QCOMPARE(leido.nombre, nombre);
    QCOMPARE(leido.descripcion, descripcion);
  }

  // No two controls of a window are read alike within their group, and none as nothing at all;
  // the search window before and after a search, where both cities read the same.
  void distinguibles() {
    {
      AlmacenConfig almacen;
      GuardarRutas(almacen, kMuestras + QStringLiteral("/NODELIST.345"),
                   kMuestras + QStringLiteral("/POINTS.345"));
    }
    const auto buscar = NuevaBuscar();
    ComprobarDistinguibles(*buscar);
    buscar->btnBuscarClick();
    ComprobarDistinguibles(*buscar);
    TfrmConfig config;
    config.FormCreate();
    ComprobarDistinguibles(config);
  }

  void valoresTrasLaBusqueda() {
    {
      AlmacenConfig almacen;
      GuardarRutas(almacen, kMuestras + QStringLiteral("/NODELIST.345"),
                   kMuestras + QStringLiteral("/POINTS.345"));
    }
    const auto ventana = NuevaBuscar();
    ventana->btnBuscarClick();

    const QStringList primera = {QStringLiteral("Arbat Hub"),     QStringLiteral("Mikhail Popov"),
                                 QStringLiteral("Moscow Russia"), QStringLiteral("Alexei Fedorov"),
                                 QStringLiteral("Cozy Tosser"),   QStringLiteral("Moscow Russia"),
                                 QStringLiteral("7-495-555-5210")};
    for (qsizetype i = 0; i < kEtiquetasDeValor.size(); ++i) {
      auto& etiqueta = Control<QLabel>(*ventana, kEtiquetasDeValor[i].first);
      const Leido leido = Leer(etiqueta);
      QCOMPARE(leido.rol, QAccessible::StaticText);
      QCOMPARE(leido.nombre, primera[i]);
      QCOMPARE(leido.descripcion, kEtiquetasDeValor[i].second);
    }

    Control<QLineEdit>(*ventana, QStringLiteral("txtDireccion"))
        .setText(QStringLiteral("2:341/14.1"));
    ventana->btnBuscarClick();
    QCOMPARE(Leer(Control<QLabel>(*ventana, QStringLiteral("lblNombre_"))).nombre,
             QStringLiteral("José Martínez"));
    QCOMPARE(Leer(Control<QLabel>(*ventana, QStringLiteral("lblNombre_"))).descripcion,
             QStringLiteral("Nombre:"));
  }

  void nombreComoSeDibuja_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("nombre");
    QTest::newRow("sin &") << QStringLiteral("Arbat Hub") << QStringLiteral("Arbat Hub");
    QTest::newRow("doble") << QStringLiteral("Tom && Jerry") << QStringLiteral("Tom & Jerry");
    QTest::newRow("ante un blanco")
        << QStringLiteral("Tom & Jerry") << QStringLiteral("Tom  Jerry");
    QTest::newRow("ante una letra") << QStringLiteral("&Arbat") << QStringLiteral("Arbat");
    QTest::newRow("al final") << QStringLiteral("Arbat&") << QStringLiteral("Arbat");
    QTest::newRow("triple") << QStringLiteral("a&&&b") << QStringLiteral("a&b");
  }

  void nombreComoSeDibuja() {
    QFETCH(QString, texto);
    QFETCH(QString, nombre);
    const auto ventana = NuevaBuscar();
    auto& etiqueta = Control<QLabel>(*ventana, QStringLiteral("lblNick_"));
    etiqueta.setText(texto);
    QCOMPARE(Leer(etiqueta).nombre, nombre);
    QCOMPARE(Leer(etiqueta).descripcion, QStringLiteral("Nick:"));
  }
};

QTEST_MAIN(AccesibleTest)
#include "accesible_test.moc"
