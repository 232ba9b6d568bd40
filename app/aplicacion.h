// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

class QSocketNotifier;
class TfrmBuscar;

// The application as a whole: the title, the one event guard, the two ways an error reaches the
// user, the main window and the orderly exit.
class Aplicacion final : public QApplication {
  Q_OBJECT

 public:
  Aplicacion(int& argc, char** argv);
  ~Aplicacion() override;

  Aplicacion(const Aplicacion&) = delete;
  Aplicacion& operator=(const Aplicacion&) = delete;

  [[nodiscard]] static Aplicacion* instancia();

  [[nodiscard]] const QString& titulo() const noexcept { return titulo_; }
  [[nodiscard]] TfrmBuscar* ventanaPrincipal() const noexcept { return ventanaPrincipal_.get(); }

  // Every event goes through here: a failure that leaves its handler is reported and ends the
  // handling of that event only.
  bool notify(QObject* receptor, QEvent* evento) override;

  void ReportarFallo(const std::exception& fallo);
  void MostrarError(const std::string& mensaje);

  // Makes the search window and runs its FormCreate; the window is left hidden.
  void CrearVentana();
  // Shows the main window and handles events until it is closed, then destroys it.
  void Ejecutar();
  // Asks the event loop to end once the event being handled is done.
  void Terminar();

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void InstalarSenales();
  void SenalRecibida();

  // Made at start so that running out of memory can be reported without allocating the error.
  const std::runtime_error sinMemoria_{"Out of memory"};
  const QString titulo_;
  QTranslator traduccionQt_;
  std::optional<int> anchoOk_;
  std::unique_ptr<TfrmBuscar> ventanaPrincipal_;

  class TuberiaSenales;
  std::unique_ptr<TuberiaSenales> tuberia_;
  std::unique_ptr<QSocketNotifier> avisoSenal_;
};

// The report of a failure that escaped the making of the main window, where no guard runs yet.
void ReportarUltimoRecurso(const std::exception& fallo);

// Its text: "Exception <kind> in module <file> at <address>.\n<message>" and a "." unless the
// message is empty or already ends in one.
[[nodiscard]] std::string TextoUltimoRecurso(const std::string& tipo, const std::string& modulo,
                                             const void* direccion, const std::string& mensaje);
