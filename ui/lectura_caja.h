// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <exception>
#include <optional>

struct LecturaPrevista;

// The line under a list box: which file a search reads now for the box's path and its list date
// ("NODELIST.006 — lista del 6 de enero de 2025"), or that nothing can be read there.
[[nodiscard]] QString TextoLectura(const LecturaPrevista& prevista);

// Tells, off the user-interface thread, what a list path reads now, so that typing never waits
// on the folder or on a chain of diffs. Only the answer to the latest request arrives; at most
// one runs at a time, and of the requests made meanwhile only the latest runs.
class LecturaDeCaja final : public QObject {
  Q_OBJECT

 public:
  explicit LecturaDeCaja(QObject* parent = nullptr);
  ~LecturaDeCaja() override;

  void Pedir(const QString& ruta);

 signals:
  // A list that cannot be read gives its message; any other failure goes to the application's
  // event guard instead.
  void respuesta(const QString& texto);

 private:
  void Lanzar(const QString& ruta);
  void Recibir(std::uint64_t generacion, const QString& texto, const std::exception_ptr& ajeno);

  std::uint64_t generacion_ = 0;
  bool ocupado_ = false;
  std::optional<QString> pendiente_;
  QThreadPool hilo_;
};
