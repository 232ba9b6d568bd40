// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/unit1.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "lookup/texto.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "ui/boton_glifo.h"
#include "ui/escala.h"
#include "ui/etiqueta.h"
#include "ui/manejador.h"
#include "ui/unit2.h"
#include "ui/ventana.h"

namespace {

const QColor kAzulRotulo(0, 0, 144);
const QColor kVerdeValor(0, 112, 0);

// The one place list bytes become display text.
QString TextoDeLista(const std::string& bytes) {
  return QString::fromUtf8(DecodificarTexto(bytes));
}

QLabel* NuevaEtiqueta(QWidget* padre, const QString& nombre, const QRect& caja, Qt::Alignment lado,
                      const QColor& tinta) {
  auto* etiqueta = new EtiquetaPrefijo(padre);
  etiqueta->setObjectName(nombre);
  etiqueta->setGeometry(caja);
  etiqueta->setAlignment(lado | Qt::AlignTop);
  QPalette paleta = etiqueta->palette();
  paleta.setColor(QPalette::WindowText, tinta);
  etiqueta->setPalette(paleta);
  return etiqueta;
}

QLabel* NuevoRotulo(QWidget* padre, const QString& nombre, const QString& texto,
                    const QRect& caja) {
  QLabel* rotulo = NuevaEtiqueta(padre, nombre, caja, Qt::AlignRight, kAzulRotulo);
  rotulo->setText(texto);
  // Captions were fitted to a narrower font: one that does not fit grows to the left, keeping its
  // right edge against the value it names, rather than losing its first letters.
  const int falta = rotulo->fontMetrics().horizontalAdvance(texto) - caja.width();
  if (falta > 0) rotulo->setGeometry(caja.adjusted(-falta, 0, 0, 0));
  rotulo->setAutoFillBackground(false);
  return rotulo;
}

// A screen reader reads the value as the label's name and the caption beside it as what it is.
QLabel* NuevoValor(QWidget* padre, const QString& nombre, const QRect& caja, const QLabel& rotulo) {
  QLabel* valor = NuevaEtiqueta(padre, nombre, caja, Qt::AlignLeft, kVerdeValor);
  valor->setAutoFillBackground(true);
  valor->setAccessibleDescription(TextoDibujado(rotulo.text()));
  return valor;
}

// What the control would receive as a typed character; Ctrl+Enter types a line feed and
// Alt+Enter types nothing.
std::optional<QChar> CaracterTecleado(const QKeyEvent& tecla) {
  if (tecla.key() == Qt::Key_Return || tecla.key() == Qt::Key_Enter) {
    if (tecla.modifiers() & Qt::AltModifier) return std::nullopt;
    return QChar((tecla.modifiers() & Qt::ControlModifier) ? 10 : 13);
  }
  if (tecla.text().isEmpty()) return std::nullopt;
  return tecla.text().front();
}

}  // namespace

TfrmBuscar::TfrmBuscar(Informar informar, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      informar_(std::move(informar)) {
  setObjectName(QStringLiteral("frmBuscar"));
  setWindowTitle(QStringLiteral("Buscar Punto"));
  PrepararVentana(*this, {265, 357}, {248, 100});
  const Geometria caja(*this);

  BevelBorde = NuevoBisel(*this, QStringLiteral("BevelBorde"));

  grpDireccion = new QGroupBox(QStringLiteral("Dirección de Punto:"), this);
  grpDireccion->setObjectName(QStringLiteral("grpDireccion"));
  grpDireccion->setGeometry(caja(16, 12, 142, 65));

  txtDireccion = new QLineEdit(QStringLiteral("2:5020/52.10"), grpDireccion);
  txtDireccion->setObjectName(QStringLiteral("txtDireccion"));
  txtDireccion->setAccessibleName(grpDireccion->title());
  txtDireccion->setGeometry(caja(16, 24, 109, 21));
  txtDireccion->installEventFilter(this);

  btnBuscar = new BotonGlifo(TipoBoton::OK, QStringLiteral("&Buscar"), this);
  btnBuscar->setObjectName(QStringLiteral("btnBuscar"));
  btnBuscar->setGeometry(caja(176, 16, 73, 27));
  btnBuscar->installEventFilter(this);
  AlPulsar(*btnBuscar, *this, &TfrmBuscar::btnBuscarClick);

  grpNodo = new QGroupBox(QStringLiteral("Datos del nodo:"), this);
  grpNodo->setObjectName(QStringLiteral("grpNodo"));
  grpNodo->setGeometry(caja(16, 92, 233, 105));
  lblBBS =
      NuevoRotulo(grpNodo, QStringLiteral("lblBBS"), QStringLiteral("BBS:"), caja(12, 27, 40, 13));
  lblSysop = NuevoRotulo(grpNodo, QStringLiteral("lblSysop"), QStringLiteral("Sysop:"),
                         caja(12, 51, 40, 13));
  lblCiudadNodo = NuevoRotulo(grpNodo, QStringLiteral("lblCiudadNodo"), QStringLiteral("Ciudad:"),
                              caja(12, 75, 40, 13));
  lblBBS_ = NuevoValor(grpNodo, QStringLiteral("lblBBS_"), caja(64, 27, 153, 17), *lblBBS);
  lblSysop_ = NuevoValor(grpNodo, QStringLiteral("lblSysop_"), caja(64, 51, 153, 17), *lblSysop);
  lblCiudadNodo_ =
      NuevoValor(grpNodo, QStringLiteral("lblCiudadNodo_"), caja(64, 75, 153, 17), *lblCiudadNodo);

  grpPunto = new QGroupBox(QStringLiteral("Datos del punto:"), this);
  grpPunto->setObjectName(QStringLiteral("grpPunto"));
  grpPunto->setGeometry(caja(16, 212, 233, 129));
  lblNombre = NuevoRotulo(grpPunto, QStringLiteral("lblNombre"), QStringLiteral("Nombre:"),
                          caja(12, 27, 40, 13));
  lblNick = NuevoRotulo(grpPunto, QStringLiteral("lblNick"), QStringLiteral("Nick:"),
                        caja(12, 51, 40, 13));
  lblCiudadPunto = NuevoRotulo(grpPunto, QStringLiteral("lblCiudadPunto"),
                               QStringLiteral("Ciudad:"), caja(12, 75, 40, 13));
  lblTelefono = NuevoRotulo(grpPunto, QStringLiteral("lblTelefono"), QStringLiteral("Teléfono:"),
                            caja(8, 99, 44, 13));
  lblNombre_ =
      NuevoValor(grpPunto, QStringLiteral("lblNombre_"), caja(64, 27, 153, 17), *lblNombre);
  lblNick_ = NuevoValor(grpPunto, QStringLiteral("lblNick_"), caja(64, 51, 153, 17), *lblNick);
  lblCiudadPunto_ = NuevoValor(grpPunto, QStringLiteral("lblCiudadPunto_"), caja(64, 75, 153, 17),
                               *lblCiudadPunto);
  lblTelefono_ =
      NuevoValor(grpPunto, QStringLiteral("lblTelefono_"), caja(64, 99, 153, 17), *lblTelefono);

  btnConfig = new BotonGlifo(TipoBoton::Help, QStringLiteral("&Config."), this);
  btnConfig->setObjectName(QStringLiteral("btnConfig"));
  btnConfig->setGeometry(caja(176, 50, 73, 27));
  btnConfig->installEventFilter(this);
  AlPulsar(*btnConfig, *this, &TfrmBuscar::btnConfigClick);

  setTabOrder(txtDireccion, btnBuscar);
  setTabOrder(btnBuscar, btnConfig);

  // First focus arrives with the window's activation, a reason QLineEdit does not select on.
  txtDireccion->selectAll();
  txtDireccion->setFocus();
}

TfrmBuscar::~TfrmBuscar() = default;

void TfrmBuscar::FormCreate() {
  almacen_ = std::make_unique<AlmacenConfig>();
  ComprobarConfig(*almacen_);
}

void TfrmBuscar::btnBuscarClick() {
  if (!almacen_) throw std::logic_error("TfrmBuscar: a search before FormCreate");
  const Rutas rutas = LeerRutas(*almacen_);
  const QByteArray direccion = txtDireccion->text().toUtf8();
  const ResultadoBusqueda resultado = EjecutarBusqueda(
      RutaEnBytes(rutas.nodelist), RutaEnBytes(rutas.pointlist),
      std::string_view(direccion.constData(), static_cast<std::size_t>(direccion.size())),
      informar_);
  if (!resultado.ejecutada) return;
  lblBBS_->setText(TextoDeLista(resultado.nodo.bbs));
  lblSysop_->setText(TextoDeLista(resultado.nodo.sysop));
  lblCiudadNodo_->setText(TextoDeLista(resultado.nodo.ciudad));
  lblNombre_->setText(TextoDeLista(resultado.punto.nombre));
  lblNick_->setText(TextoDeLista(resultado.punto.nick));
  lblCiudadPunto_->setText(TextoDeLista(resultado.punto.ciudad));
  lblTelefono_->setText(TextoDeLista(resultado.punto.telefono));
}

void TfrmBuscar::btnConfigClick() {
  emit configuracionPedida();
  // A new window each time, owned by this one until it is released below.
  const QPointer<TfrmConfig> ventana = new TfrmConfig(this);
  // A failure of FormCreate is reported and the window still opens with what was read.
  TfrmConfig* const creada = ventana.data();
  Manejar([creada] { creada->FormCreate(); });
  if (ventana) ventana->exec();
  if (ventana) ventana->deleteLater();
  activateWindow();
}

void TfrmBuscar::txtDireccionKeyPress(QChar caracter) {
  if (caracter.unicode() == 13) btnBuscarClick();
}

bool TfrmBuscar::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(objeto, evento);
  const auto& tecla = static_cast<const QKeyEvent&>(*evento);

  // Enter is the window's before the control sees it, and never arrives as a typed character.
  if (PulsarConEnter(objeto, tecla, *btnBuscar)) return true;

  if (PulsarConTeclaDeAcceso(objeto, tecla, {btnBuscar, btnConfig})) return true;

  if (objeto == txtDireccion) {
    if (const std::optional<QChar> caracter = CaracterTecleado(tecla)) {
      Manejar([this, c = *caracter] { txtDireccionKeyPress(c); });
    }
  }
  return false;
}
