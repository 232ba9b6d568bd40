// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <stdexcept>
#include <string>

// Raised by the settings store; carries only the message the user is shown.
class ErrorAlmacen final : public std::runtime_error {
 public:
  explicit ErrorAlmacen(const QString& mensaje);

  // UTF-8, the same text as what().
  [[nodiscard]] std::string mensaje() const { return what(); }
};

// The per-user settings store, QSettings("Tervanik", "NodeList") in the native format: on Linux the
// file $XDG_CONFIG_HOME/Tervanik/NodeList.conf. "The key" is that file. No value is kept between
// calls: every read and every write goes to the file as it is on disk at that moment.
class AlmacenConfig final {
 public:
  // Touches nothing on disk.
  AlmacenConfig() = default;

  // Opens the store file; with `crear`, makes the missing folders and an empty file first. True
  // when the file is now open, that is, it exists and can be read and written. On false nothing
  // changes: the store opened before, if any, stays current. Raises nothing of its own.
  [[nodiscard]] bool AbrirClave(bool crear);

  // Opens the store file for reading only, for a caller that never writes: true when it exists
  // and can be read, whether or not it can be written. Otherwise as AbrirClave(false).
  [[nodiscard]] bool AbrirParaLeer();

  // The text of value `nombre`, cut at its first zero character. Empty when no store was ever
  // opened, when the value is missing, and when it holds no data whatever its type. Raises
  // ErrorAlmacen when the store file cannot be read or parsed, and when the value is not a text.
  [[nodiscard]] QString LeerCadena(const QString& nombre) const;

  // Stores `texto` as value `nombre`, replacing it whatever it held; a file QSettings could only
  // partly parse is saved with what it could, which mends it. Copies of the program save in turn,
  // each version dated after the one it replaced. Raises ErrorAlmacen when no store was ever
  // opened or the file cannot be saved.
  void EscribirCadena(const QString& nombre, const QString& texto);

 private:
  // The file of the last successful AbrirClave.
  std::optional<QString> archivo_;
};
