// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QToolTip>
#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "lookup/entries/entrada_visible.h"
#include "lookup/entries/texto.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "ui/boton_glifo.h"
#include "ui/buscador_nombres.h"
#include "ui/entrada_completa.h"
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
  return QString::fromUtf8(TextoVisible(bytes));
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

const QString kAyudaDireccion =
    QStringLiteral("Una dirección (2:5020/52.10), o parte de un nombre, un sistema o un lugar");

// The rows' address, for picking; the last row, which only counts the rest, has none.
constexpr int kRolDireccion = Qt::UserRole + 1;

// Its address as the name search gives it, then sysop, system and location as the labels show
// them.
QString TextoFila(const Coincidencia& c) {
  const QString separador = QStringLiteral(" — ");
  return TextoDeLista(c.direccion) + separador + TextoDeLista(c.sysop) + separador +
         TextoDeLista(c.sistema) + separador + TextoDeLista(c.lugar);
}

QString TextoResto(std::size_t resto) {
  return resto == 1 ? QStringLiteral("… y 1 entrada más")
                    : QStringLiteral("… y %1 entradas más").arg(resto);
}

// Watches the whole application for a mouse press outside `dentro`.
class ClicFuera final : public QObject {
 public:
  ClicFuera(const QWidget& dentro, std::function<void()> alPulsar, QObject* padre)
      : QObject(padre), dentro_(dentro), alPulsar_(std::move(alPulsar)) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::MouseButtonPress) {
      const auto* pulsado = qobject_cast<QWidget*>(objeto);
      if (pulsado != nullptr && pulsado != &dentro_ && !dentro_.isAncestorOf(pulsado)) alPulsar_();
    }
    return false;
  }

 private:
  const QWidget& dentro_;
  std::function<void()> alPulsar_;
};

// Alt+Enter, the usual "properties" key: with Alt and neither Ctrl nor Shift.
bool EsAltEnter(const QKeyEvent& tecla) {
  return (tecla.key() == Qt::Key_Return || tecla.key() == Qt::Key_Enter) &&
         (tecla.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
             Qt::AltModifier;
}

// Qt on X11 maps only the Menu key to a context menu.
bool EsMayusF10(const QKeyEvent& tecla) {
  return tecla.key() == Qt::Key_F10 &&
         (tecla.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
             Qt::ShiftModifier;
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
  txtDireccion->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(txtDireccion, &QWidget::customContextMenuRequested, this, &TfrmBuscar::MenuDireccion);
  connect(txtDireccion, &QLineEdit::textEdited, this, &TfrmBuscar::txtDireccionTextEdited);

  // A window of its own under the box, of the tooltip kind: it never takes the keyboard, so
  // every key still reaches the box and the window's rules, and screen readers list it (they
  // leave out Qt's popup windows).
  filas_ = new QStandardItemModel(this);
  lstCoincidencias = new QListView(this);
  lstCoincidencias->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  lstCoincidencias->setObjectName(QStringLiteral("lstCoincidencias"));
  lstCoincidencias->setAccessibleName(QStringLiteral("Coincidencias"));
  lstCoincidencias->setFont(font());
  lstCoincidencias->setModel(filas_);
  lstCoincidencias->setFocusPolicy(Qt::NoFocus);
  lstCoincidencias->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstCoincidencias->setSelectionMode(QAbstractItemView::SingleSelection);
  lstCoincidencias->setUniformItemSizes(true);
  lstCoincidencias->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lstCoincidencias, &QListView::clicked, this, &TfrmBuscar::ElegirFila);
  installEventFilter(this);
  vigilante_ = new ClicFuera(
      *lstCoincidencias, [this] { CerrarPopup(); }, this);
  buscador_ = new BuscadorNombres(this);
  connect(buscador_, &BuscadorNombres::respuesta, this, &TfrmBuscar::MostrarCoincidencias);

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
  CerrarPopup();
  if (!almacen_) throw std::logic_error("TfrmBuscar: a search before FormCreate");
  const Rutas rutas = LeerRutas(*almacen_);
  const QByteArray direccion = txtDireccion->text().toUtf8();
  std::string buscada(direccion.constData(), static_cast<std::size_t>(direccion.size()));
  ResultadoCompleto resultado = EjecutarBusquedaCompleta(
      RutaEnBytes(rutas.nodelist), RutaEnBytes(rutas.pointlist), buscada, informar_);
  if (!resultado.ejecutada) return;
  lblBBS_->setText(TextoDeLista(resultado.nodo.bbs));
  lblSysop_->setText(TextoDeLista(resultado.nodo.sysop));
  lblCiudadNodo_->setText(TextoDeLista(resultado.nodo.ciudad));
  lblNombre_->setText(TextoDeLista(resultado.punto.nombre));
  lblNick_->setText(TextoDeLista(resultado.punto.nick));
  lblCiudadPunto_->setText(TextoDeLista(resultado.punto.ciudad));
  lblTelefono_->setText(TextoDeLista(resultado.punto.telefono));
  ultima_ = std::move(resultado);
  direccionUltima_ = std::move(buscada);
  emit busquedaTerminada();
}

void TfrmBuscar::MostrarEntradaCompleta() {
  CerrarPopup();
  const std::string texto = TextoEntradaCompleta(direccionUltima_, ultima_);
  const QPointer<DlgEntradaCompleta> ventana = new DlgEntradaCompleta(
      QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())), this);
  ventana->exec();
  if (ventana) ventana->deleteLater();
  activateWindow();
}

void TfrmBuscar::MenuDireccion(const QPoint& donde) {
  CerrarPopup();
  const std::unique_ptr<QMenu> menu(txtDireccion->createStandardContextMenu());
  menu->addSeparator();
  const QAction* entrada = menu->addAction(QStringLiteral("Entrada completa…"));
  if (menu->exec(txtDireccion->mapToGlobal(donde)) == entrada) {
    Manejar([this] { MostrarEntradaCompleta(); });
  }
}

void TfrmBuscar::txtDireccionTextEdited(const QString& texto) {
  enterPendiente_ = false;
  if (PideNombres(texto)) {
    buscador_->Pedir(texto);
    return;
  }
  buscador_->Olvidar();
  CerrarPopup();
}

void TfrmBuscar::MostrarCoincidencias(const QString& texto, const Coincidencias& coincidencias) {
  // The box changed by other means since (a row was picked), or the user went elsewhere: the
  // answer is for nobody.
  if (texto != txtDireccion->text() || !txtDireccion->hasFocus()) return;
  filas_->clear();
  textoFilas_ = texto;
  for (const Coincidencia& c : coincidencias.filas) {
    auto* fila = new QStandardItem(TextoFila(c));
    fila->setData(TextoDeLista(c.direccion), kRolDireccion);
    fila->setEditable(false);
    filas_->appendRow(fila);
  }
  if (coincidencias.resto > 0) {
    auto* resto = new QStandardItem(TextoResto(coincidencias.resto));
    resto->setFlags(Qt::NoItemFlags);
    filas_->appendRow(resto);
  }
  const bool enter = std::exchange(enterPendiente_, false);
  if (coincidencias.filas.empty()) {
    CerrarPopup();
    emit coincidenciasMostradas(texto);
    // Enter on a name that matches nothing searches it as typed, as Enter always did.
    if (enter) Manejar([this] { btnBuscarClick(); });
    return;
  }
  MostrarPopup();
  emit coincidenciasMostradas(texto);
  if (enter) EnterEnPopup();
}

// Below the box, as wide as its rows, ten rows high at most; nothing chosen.
void TfrmBuscar::MostrarPopup() {
  constexpr int kFilasVisibles = 10;
  const int filas = filas_->rowCount();
  const int marco = 2 * lstCoincidencias->frameWidth();
  const bool barra = filas > kFilasVisibles;
  const int ancho = lstCoincidencias->sizeHintForColumn(0) + marco +
                    (barra ? lstCoincidencias->verticalScrollBar()->sizeHint().width() : 0);
  const int alto = lstCoincidencias->sizeHintForRow(0) * std::min(filas, kFilasVisibles) + marco;
  const QRect pantalla = txtDireccion->screen()->availableGeometry();
  QRect caja(txtDireccion->mapToGlobal(QPoint(0, txtDireccion->height())),
             QSize(std::min(std::max(ancho, txtDireccion->width()), pantalla.width()), alto));
  if (caja.right() > pantalla.right()) caja.moveRight(pantalla.right());
  if (caja.bottom() > pantalla.bottom())
    caja.moveBottom(txtDireccion->mapToGlobal(QPoint(0, 0)).y());
  lstCoincidencias->setGeometry(caja);
  lstCoincidencias->setCurrentIndex({});
  lstCoincidencias->clearSelection();
  lstCoincidencias->scrollToTop();
  if (!PopupAbierto()) {
    // Clicks anywhere else close it.
    qApp->installEventFilter(vigilante_);
    lstCoincidencias->show();
  }
}

bool TfrmBuscar::PopupAbierto() const {
  return lstCoincidencias->isVisible();
}

void TfrmBuscar::CerrarPopup() {
  if (!PopupAbierto()) return;
  qApp->removeEventFilter(vigilante_);
  lstCoincidencias->hide();
}

// Enter with the popup open picks the chosen row, or the first one when none is chosen. While
// the rows are still those of an older text, it waits for the answer to the text in the box.
void TfrmBuscar::EnterEnPopup() {
  if (const QModelIndex elegida = lstCoincidencias->currentIndex(); elegida.isValid()) {
    ElegirFila(elegida);
    return;
  }
  if (textoFilas_ != txtDireccion->text() && buscador_->Esperando()) {
    enterPendiente_ = true;
    return;
  }
  ElegirFila(filas_->index(0, 0));
}

void TfrmBuscar::ElegirFila(const QModelIndex& fila) {
  const QString direccion = fila.data(kRolDireccion).toString();
  if (direccion.isEmpty()) return;
  CerrarPopup();
  buscador_->Olvidar();
  txtDireccion->setText(direccion);
  Manejar([this] { btnBuscarClick(); });
}

void TfrmBuscar::btnConfigClick() {
  CerrarPopup();
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

// The popup's keys while it is open: Down and Up move through its rows, Enter picks, Esc closes
// it. Every other key keeps the rule it has without the popup.
bool TfrmBuscar::TeclaDePopup(const QKeyEvent& tecla) {
  if (EsEnterDeDialogo(tecla)) {
    Manejar([this] { EnterEnPopup(); });
    return true;
  }
  if (tecla.modifiers() != Qt::NoModifier && tecla.modifiers() != Qt::KeypadModifier) return false;
  if (tecla.key() == Qt::Key_Escape) {
    CerrarPopup();
    return true;
  }
  if (tecla.key() != Qt::Key_Down && tecla.key() != Qt::Key_Up) return false;
  const int ultima = filas_->rowCount() - 1;
  const QModelIndex actual = lstCoincidencias->currentIndex();
  int fila = tecla.key() == Qt::Key_Down ? (actual.isValid() ? actual.row() + 1 : 0)
                                         : (actual.isValid() ? actual.row() - 1 : ultima);
  fila = std::clamp(fila, 0, ultima);
  lstCoincidencias->setCurrentIndex(filas_->index(fila, 0));
  return true;
}

bool TfrmBuscar::eventFilter(QObject* objeto, QEvent* evento) {
  // Shown by hand rather than set as the box's tooltip, which screen readers would read as its
  // description: the box's caption already says what it holds.
  if (objeto == txtDireccion && evento->type() == QEvent::ToolTip) {
    QToolTip::showText(static_cast<QHelpEvent*>(evento)->globalPos(), kAyudaDireccion,
                       txtDireccion);
    return true;
  }
  // Moving the window leaves the popup behind: it closes.
  if (objeto == this && evento->type() == QEvent::Move) CerrarPopup();
  // The box losing the focus (Tab, another window) closes it too.
  if (objeto == txtDireccion && evento->type() == QEvent::FocusOut) {
    CerrarPopup();
    buscador_->Olvidar();
  }
  const bool propio = objeto == txtDireccion || objeto == btnBuscar || objeto == btnConfig;
  if (!propio || evento->type() != QEvent::KeyPress) return QWidget::eventFilter(objeto, evento);
  const auto& tecla = static_cast<const QKeyEvent&>(*evento);
  if (objeto == txtDireccion && PopupAbierto() && TeclaDePopup(tecla)) return true;

  // Alt+Enter is the whole entry's, from any control; it never searches.
  if (EsAltEnter(tecla)) {
    Manejar([this] { MostrarEntradaCompleta(); });
    return true;
  }
  if (objeto == txtDireccion && EsMayusF10(tecla)) {
    MenuDireccion(txtDireccion->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft());
    return true;
  }

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
