// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QStandardItemModel;
struct Coincidencias;

// The rows a name search found, in a window of its own under the address box. It is of the
// tooltip kind: it never takes the keyboard, so every key still reaches the box and the window's
// rules, and screen readers list it (they leave out Qt's popup windows).
class PopupNombres final : public QListView {
  Q_OBJECT

 public:
  // Owned by `ventana`, placed under `caja`.
  PopupNombres(const QLineEdit& caja, QWidget& ventana);

  // Replaces the rows with the answer for `texto`: the entries found, or one row that cannot be
  // picked saying that none matched or, for a list that cannot be read, `fallo`.
  void Llenar(const QString& texto, const Coincidencias& coincidencias, const QString& fallo);
  [[nodiscard]] bool HayFilasElegibles() const noexcept { return elegibles_; }
  // The text the rows answer.
  [[nodiscard]] const QString& TextoFilas() const noexcept { return textoFilas_; }

  // Shows it below the box, ten rows high at most, as wide as a long row or the screen; nothing
  // chosen.
  void Mostrar();
  [[nodiscard]] bool Abierto() const { return isVisible(); }
  void Cerrar();

  // Down and Up move through the rows, Esc closes it; true when the key was taken.
  bool Tecla(const QKeyEvent& tecla);
  // The row Enter picks: the chosen one, else the first.
  [[nodiscard]] QModelIndex FilaDeEnter() const;
  [[nodiscard]] bool HayElegida() const { return currentIndex().isValid(); }

  // The address a row stands for; empty for the row that only counts the rest.
  [[nodiscard]] static QString DireccionDe(const QModelIndex& fila);

 signals:
  void filaPulsada(const QModelIndex& fila);

 private:
  const QLineEdit& caja_;
  QStandardItemModel* filas_ = nullptr;
  QObject* vigilante_ = nullptr;  // closes it on a click elsewhere
  QString textoFilas_;
  bool elegibles_ = false;
};
