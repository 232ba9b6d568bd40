// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

class AlmacenConfig;
class BotonGlifo;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The configuration window, "Configuración": the two list paths every search uses. Failures leave
// the handlers as exceptions; a failed store leaves the window open with what was typed.
class TfrmConfig final : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmConfig(QWidget* parent = nullptr);
  ~TfrmConfig() override;

  // Run once the controls exist and before the window is first shown.
  void FormCreate();

  void btnBuscarNodelistClick();
  void btnBuscarPointlistClick();
  void btnAceptarClick();
  void BitBtn1Click();

  // Every way of closing that is not "&Aceptar" ends as "&Cancelar" does.
  void reject() override;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void Examinar(QLineEdit& caja);

  // Children of the window, owned through Qt's parent chain.
  QFrame* Bevel1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLineEdit* txtNodelist = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLineEdit* txtPointlist = nullptr;
  BotonGlifo* btnAceptar = nullptr;
  BotonGlifo* BitBtn1 = nullptr;
  QPushButton* btnBuscarNodelist = nullptr;
  QPushButton* btnBuscarPointlist = nullptr;
  QFileDialog* OpenDialog = nullptr;
  // What a search reads now for each box.
  QLabel* lblLeeNodelist = nullptr;
  QLabel* lblLeePointlist = nullptr;

  std::unique_ptr<AlmacenConfig> almacen_;
};
