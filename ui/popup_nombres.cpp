// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/popup_nombres.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>
#include <functional>
#include <utility>

#include "lookup/entries/por_nombre.h"
#include "ui/texto_lista.h"

namespace {

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

}  // namespace

PopupNombres::PopupNombres(const QLineEdit& caja, QWidget& ventana)
    : QListView(&ventana), caja_(caja) {
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("lstCoincidencias"));
  setAccessibleName(QStringLiteral("Coincidencias"));
  setFont(ventana.font());
  filas_ = new QStandardItemModel(this);
  setModel(filas_);
  setFocusPolicy(Qt::NoFocus);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(this, &QListView::clicked, this, &PopupNombres::filaPulsada);
  vigilante_ = new ClicFuera(
      *this, [this] { Cerrar(); }, this);
}

void PopupNombres::Llenar(const QString& texto, const Coincidencias& coincidencias,
                          const QString& fallo) {
  filas_->clear();
  textoFilas_ = texto;
  elegibles_ = fallo.isEmpty() && !coincidencias.filas.empty();
  if (!elegibles_) {
    auto* aviso = new QStandardItem(
        fallo.isEmpty() ? QStringLiteral("Ninguna entrada contiene «%1»").arg(texto.trimmed())
                        : fallo);
    aviso->setFlags(Qt::NoItemFlags);
    filas_->appendRow(aviso);
    return;
  }
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
}

void PopupNombres::Mostrar() {
  constexpr int kFilasVisibles = 10;
  constexpr int kCaracteresDeAncho = 72;
  const int filas = filas_->rowCount();
  const int marco = 2 * frameWidth();
  // Room for a long row, and never narrower while it stays open, so that it does not jump
  // while typing; a row wider still widens it.
  const int barra = verticalScrollBar()->sizeHint().width();
  int ancho =
      std::max(fontMetrics().averageCharWidth() * kCaracteresDeAncho, sizeHintForColumn(0)) +
      marco + barra;
  if (Abierto()) ancho = std::max(ancho, width());
  const int alto = sizeHintForRow(0) * std::min(filas, kFilasVisibles) + marco;
  QRect caja(caja_.mapToGlobal(QPoint(0, caja_.height())),
             QSize(std::max(ancho, caja_.width()), alto));
  // With no screen at all (every one unplugged) there is no edge to keep it within.
  if (const QScreen* pantalla = caja_.screen(); pantalla != nullptr) {
    const QRect area = pantalla->availableGeometry();
    caja.setWidth(std::min(caja.width(), area.width()));
    if (caja.right() > area.right()) caja.moveRight(area.right());
    if (caja.bottom() > area.bottom()) caja.moveBottom(caja_.mapToGlobal(QPoint(0, 0)).y());
  }
  setGeometry(caja);
  setCurrentIndex({});
  clearSelection();
  scrollToTop();
  if (!Abierto()) {
    qApp->installEventFilter(vigilante_);
    show();
  }
}

void PopupNombres::Cerrar() {
  if (!Abierto()) return;
  qApp->removeEventFilter(vigilante_);
  hide();
}

bool PopupNombres::Tecla(const QKeyEvent& tecla) {
  if (tecla.modifiers() != Qt::NoModifier && tecla.modifiers() != Qt::KeypadModifier) return false;
  if (tecla.key() == Qt::Key_Escape) {
    Cerrar();
    return true;
  }
  if (tecla.key() != Qt::Key_Down && tecla.key() != Qt::Key_Up) return false;
  const int ultima = filas_->rowCount() - 1;
  const QModelIndex actual = currentIndex();
  int fila = tecla.key() == Qt::Key_Down ? (actual.isValid() ? actual.row() + 1 : 0)
                                         : (actual.isValid() ? actual.row() - 1 : ultima);
  fila = std::clamp(fila, 0, ultima);
  setCurrentIndex(filas_->index(fila, 0));
  return true;
}

QModelIndex PopupNombres::FilaDeEnter() const {
  const QModelIndex elegida = currentIndex();
  return elegida.isValid() ? elegida : filas_->index(0, 0);
}

QString PopupNombres::DireccionDe(const QModelIndex& fila) {
  return fila.data(kRolDireccion).toString();
}
