// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <exception>
#include <optional>

#include "lookup/entries/por_nombre.h"

// Rows the popup shows at most; a last row tells how many more matched.
inline constexpr std::size_t kFilasPopup = 50;

// True for a box text that asks for names rather than an address: it holds a letter (an address
// is digits and ":/." only) and has at least 3 characters besides blanks.
[[nodiscard]] bool PideNombres(const QString& texto);

// The name search of the address box, run off the user-interface thread so that typing never
// waits on it. It reads the stored list paths and both lists afresh for every request. Only the
// answer to the latest request arrives; answers overtaken by a newer request are dropped. At most
// one search runs at a time: requests made meanwhile wait, and only the latest of them runs.
class BuscadorNombres final : public QObject {
  Q_OBJECT

 public:
  explicit BuscadorNombres(QObject* parent = nullptr);
  ~BuscadorNombres() override;

  void Pedir(const QString& texto);
  // No answer is wanted any more (the box holds an address now).
  void Olvidar();
  [[nodiscard]] bool Esperando() const noexcept { return esperado_.has_value(); }

 signals:
  // `fallo` is the message of a missing list, of one that cannot be read or of the settings
  // store, with no rows.
  // Any other failure goes to the application's event guard instead of an answer.
  void respuesta(const QString& texto, const Coincidencias& coincidencias, const QString& fallo);

 private:
  void Lanzar(const QString& texto);
  void Recibir(std::uint64_t generacion, const QString& texto, const Coincidencias& coincidencias,
               const QString& fallo, const std::exception_ptr& ajeno);

  std::uint64_t generacion_ = 0;
  bool ocupado_ = false;
  std::optional<QString> pendiente_;
  std::optional<QString> esperado_;
  QThreadPool hilo_;
};
