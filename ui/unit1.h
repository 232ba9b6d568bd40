// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/busqueda_completa.h"

class AlmacenConfig;
class BuscadorNombres;
class QModelIndex;
class PopupNombres;
struct Coincidencias;
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
  // Alt+Enter and the address box's menu: the whole entry of the last search that completed.
  void MostrarEntradaCompleta();

 signals:
  // Emitted by btnConfigClick just before it opens the configuration window.
  void configuracionPedida();
  // Emitted once a search has set the seven labels.
  void busquedaTerminada();
  // Emitted when the name popup has been filled with the answer for `texto` (shown, or closed for
  // no rows).
  void coincidenciasMostradas(const QString& texto);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void txtDireccionKeyPress(QChar caracter);
  void txtDireccionTextEdited(const QString& texto);
  void MostrarCoincidencias(const QString& texto, const Coincidencias& coincidencias,
                            const QString& fallo);
  [[nodiscard]] bool PopupAbierto() const;
  void CerrarPopup();
  void EnterEnPopup();
  void ElegirFila(const QModelIndex& fila);
  void MenuDireccion(const QPoint& donde);
  bool TeclaDePopup(const QKeyEvent& tecla);

  Informar informar_;
  std::unique_ptr<AlmacenConfig> almacen_;
  // What the labels show: the last search that completed, and the text it searched.
  ResultadoCompleto ultima_;
  std::string direccionUltima_;

  // Find as you type: the search off the thread and the popup.
  BuscadorNombres* buscador_ = nullptr;
  PopupNombres* lstCoincidencias = nullptr;
  // Enter came while the popup still showed the rows of an older text.
  bool enterPendiente_ = false;

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
  // What the last search found, or that it did not complete.
  QLabel* lblEstado = nullptr;
};
