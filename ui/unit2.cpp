// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/unit2.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "ui/boton_glifo.h"
#include "ui/dialogo_archivo.h"
#include "ui/lectura_caja.h"
#include "ui/manejador.h"
#include "ui/ventana.h"

namespace {

// Kept up to date with `caja` as it changes, from an answer off the interface thread.
QLabel* NuevaLectura(QWidget& ventana, const QString& nombre, const QRect& sitio, QLineEdit& caja,
                     const QString& titulo) {
  auto* linea = new QLabel(&ventana);
  linea->setObjectName(nombre);
  linea->setTextFormat(Qt::PlainText);
  linea->setGeometry(sitio.x(), sitio.y(), sitio.width(),
                     std::min(sitio.height(), linea->fontMetrics().height()));
  linea->setAccessibleDescription(titulo);
  auto* lectura = new LecturaDeCaja(linea);
  QObject::connect(&caja, &QLineEdit::textChanged, lectura, &LecturaDeCaja::Pedir);
  QObject::connect(lectura, &LecturaDeCaja::respuesta, linea, [linea](const QString& texto) {
    const QString cabe = linea->fontMetrics().elidedText(texto, Qt::ElideMiddle, linea->width());
    linea->setText(cabe);
    linea->setToolTip(cabe == texto ? QString() : texto);
  });
  return linea;
}

}  // namespace

TfrmConfig::TfrmConfig(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmConfig"));
  setWindowTitle(QStringLiteral("Configuración"));
  PrepararVentana(*this, {377, 176}, {187, 133});
  const Geometria caja(*this);

  Bevel1 = NuevoBisel(*this, QStringLiteral("Bevel1"));

  GroupBox1 = new QGroupBox(QStringLiteral("Archivo NodeList:"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(caja(12, 8, 353, 49));
  txtNodelist = new QLineEdit(GroupBox1);
  txtNodelist->setObjectName(QStringLiteral("txtNodelist"));
  txtNodelist->setGeometry(caja(8, 18, 281, 21));
  btnBuscarNodelist = new QPushButton(QStringLiteral("Buscar"), GroupBox1);
  btnBuscarNodelist->setObjectName(QStringLiteral("btnBuscarNodelist"));
  btnBuscarNodelist->setGeometry(caja(296, 16, 49, 25));
  // Both browse buttons read "Buscar": the group tells them apart.
  txtNodelist->setAccessibleName(GroupBox1->title());
  btnBuscarNodelist->setAccessibleDescription(GroupBox1->title());

  GroupBox2 = new QGroupBox(QStringLiteral("Archivo PointList:"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(caja(12, 72, 353, 49));
  txtPointlist = new QLineEdit(GroupBox2);
  txtPointlist->setObjectName(QStringLiteral("txtPointlist"));
  txtPointlist->setGeometry(caja(8, 18, 281, 21));
  btnBuscarPointlist = new QPushButton(QStringLiteral("Buscar"), GroupBox2);
  btnBuscarPointlist->setObjectName(QStringLiteral("btnBuscarPointlist"));
  btnBuscarPointlist->setGeometry(caja(296, 16, 49, 25));
  txtPointlist->setAccessibleName(GroupBox2->title());
  btnBuscarPointlist->setAccessibleDescription(GroupBox2->title());

  // In the gap under each box: the file a search reads there now.
  lblLeeNodelist = NuevaLectura(*this, QStringLiteral("lblLeeNodelist"), caja(20, 57, 337, 15),
                                *txtNodelist, GroupBox1->title());
  lblLeePointlist = NuevaLectura(*this, QStringLiteral("lblLeePointlist"), caja(20, 121, 337, 15),
                                 *txtPointlist, GroupBox2->title());

  btnAceptar = new BotonGlifo(TipoBoton::Yes, QStringLiteral("&Aceptar"), this);
  btnAceptar->setObjectName(QStringLiteral("btnAceptar"));
  btnAceptar->setGeometry(caja(92, 136, 89, 27));
  BitBtn1 = new BotonGlifo(TipoBoton::No, QStringLiteral("&Cancelar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(caja(196, 136, 89, 27));

  // Enter is decided by the event filter; QDialog's moving default would only get in its way.
  for (QPushButton* boton :
       {btnBuscarNodelist, btnBuscarPointlist, static_cast<QPushButton*>(btnAceptar),
        static_cast<QPushButton*>(BitBtn1)}) {
    boton->setAutoDefault(false);
    boton->installEventFilter(this);
  }
  txtNodelist->installEventFilter(this);
  txtPointlist->installEventFilter(this);

  AlPulsar(*btnBuscarNodelist, *this, &TfrmConfig::btnBuscarNodelistClick);
  AlPulsar(*btnBuscarPointlist, *this, &TfrmConfig::btnBuscarPointlistClick);
  AlPulsar(*btnAceptar, *this, &TfrmConfig::btnAceptarClick);
  AlPulsar(*BitBtn1, *this, &TfrmConfig::BitBtn1Click);

  setTabOrder(txtNodelist, btnBuscarNodelist);
  setTabOrder(btnBuscarNodelist, txtPointlist);
  setTabOrder(txtPointlist, btnBuscarPointlist);
  setTabOrder(btnBuscarPointlist, btnAceptar);
  setTabOrder(btnAceptar, BitBtn1);

  // One dialog for both boxes, set up once; the native one cannot be driven in tests.
  OpenDialog = new QFileDialog(this);
  OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
  OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog->setFileMode(QFileDialog::AnyFile);
  OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
}

TfrmConfig::~TfrmConfig() = default;

void TfrmConfig::FormCreate() {
  almacen_ = std::make_unique<AlmacenConfig>();
  static_cast<void>(almacen_->AbrirClave(false));
  // Each box is filled right after its own read, so a failed second read keeps the first.
  txtNodelist->setText(almacen_->LeerCadena(kValorNodeList));
  txtPointlist->setText(almacen_->LeerCadena(kValorPointList));
}

void TfrmConfig::btnBuscarNodelistClick() {
  Examinar(*txtNodelist);
}

void TfrmConfig::btnBuscarPointlistClick() {
  Examinar(*txtPointlist);
}

void TfrmConfig::btnAceptarClick() {
  if (!almacen_) throw std::logic_error("TfrmConfig: accepted before FormCreate");
  // A failure leaves here before the window closes, so the typed paths are not lost.
  GuardarRutas(*almacen_, txtNodelist->text(), txtPointlist->text());
  done(btnAceptar->ResultadoModal());
}

void TfrmConfig::BitBtn1Click() {
  done(BitBtn1->ResultadoModal());
}

void TfrmConfig::reject() {
  BitBtn1Click();
}

void TfrmConfig::Examinar(QLineEdit& caja) {
  const std::optional<QString> elegido = ElegirArchivo(*OpenDialog, caja.text());
  // Closing the dialog leaves no window active; the user goes on in this one.
  activateWindow();
  if (elegido) caja.setText(RutaParaCaja(*elegido));
}

void TfrmConfig::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  // First focus arrives with the window's activation, a reason QLineEdit does not select on.
  txtNodelist->setFocus();
  txtNodelist->selectAll();
}

bool TfrmConfig::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, evento);
  const auto& tecla = static_cast<const QKeyEvent&>(*evento);

  return PulsarConEnter(objeto, tecla, *btnAceptar) ||
         PulsarConTeclaDeAcceso(objeto, tecla, {btnAceptar, BitBtn1});
}
