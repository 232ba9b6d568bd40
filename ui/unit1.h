// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

#include "lookup/busqueda.h"

class AlmacenConfig;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class BotonGlifo;

// The search window, "Buscar Punto". `informar` shows the two missing-file messages (the shell's
// MostrarError); every other failure leaves the handlers as an exception.
class TfrmBuscar final : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmBuscar(Informar informar, QWidget* parent = nullptr);
  ~TfrmBuscar() override;

  // Run by the shell once the controls exist and before the window is first shown.
  void FormCreate();

  void btnBuscarClick();
  void btnConfigClick();

 signals:
  // Emitted by btnConfigClick just before it opens the configuration window.
  void configuracionPedida();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void txtDireccionKeyPress(QChar caracter);

  Informar informar_;
  std::unique_ptr<AlmacenConfig> almacen_;

  // Children of the window, owned through Qt's parent chain.
  QFrame* BevelBorde = nullptr;
  BotonGlifo* btnBuscar = nullptr;
  QGroupBox* grpNodo = nullptr;
  QGroupBox* grpPunto = nullptr;
  QLabel* lblBBS = nullptr;
  QLabel* lblSysop = nullptr;
  QLabel* lblCiudadNodo = nullptr;
  QLabel* lblNombre = nullptr;
  QLabel* lblNick = nullptr;
  QLabel* lblCiudadPunto = nullptr;
  QLabel* lblTelefono = nullptr;
  BotonGlifo* btnConfig = nullptr;
  QGroupBox* grpDireccion = nullptr;
  QLineEdit* txtDireccion = nullptr;
  QLabel* lblBBS_ = nullptr;
  QLabel* lblSysop_ = nullptr;
  QLabel* lblCiudadNodo_ = nullptr;
  QLabel* lblNombre_ = nullptr;
  QLabel* lblNick_ = nullptr;
  QLabel* lblCiudadPunto_ = nullptr;
  QLabel* lblTelefono_ = nullptr;
};
