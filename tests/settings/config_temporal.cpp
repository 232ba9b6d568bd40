// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/settings/config_temporal.h"

#include <QFile>
#include <cstdlib>

void ConfigTemporal::UsarRaiz(const QString& raiz) {
  ASSERT_EQ(::setenv("XDG_CONFIG_HOME", QFile::encodeName(raiz).constData(), 1), 0);
}

void ConfigTemporal::MudarACarpetaNueva() {
  const QByteArray contenido = LeerArchivo();
  perfil_.reset();
  perfil_.emplace();
  EscribirArchivo(contenido);
}
