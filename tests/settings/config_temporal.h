// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <optional>

#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"

// Gives each test a store of its own: XDG_CONFIG_HOME points to a fresh temporary folder.
class ConfigTemporal : public ::testing::Test {
 public:
  void SetUp() override { perfil_.emplace(); }

  // $XDG_CONFIG_HOME/Tervanik and the store file inside it.
  [[nodiscard]] QString Carpeta() const { return QString::fromStdString(perfil_->Carpeta()); }
  [[nodiscard]] QString Archivo() const { return QString::fromStdString(perfil_->Archivo()); }

  void EscribirArchivo(const QByteArray& contenido) const {
    perfil_->Guardar(contenido.toStdString());
  }
  [[nodiscard]] QByteArray LeerArchivo() const {
    return QByteArray::fromStdString(::LeerArchivo(perfil_->Archivo()));
  }

  // Moves the store file to a new XDG_CONFIG_HOME. This process has already parsed the file in its
  // old place, and QSettings keeps what it parsed per path: at the new path the next read has to
  // parse the bytes on disk.
  void MudarACarpetaNueva();

  // Points XDG_CONFIG_HOME, and so the store, at `raiz`.
  static void UsarRaiz(const QString& raiz);

 private:
  std::optional<PerfilTemporal> perfil_;
};
