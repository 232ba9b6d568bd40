// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/settings/config_temporal.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

void ConfigTemporal::UsarRaiz(const QString& raiz) {
  ASSERT_EQ(::setenv("XDG_CONFIG_HOME", QFile::encodeName(raiz).constData(), 1), 0);
}

void ConfigTemporal::SetUp() {
  raiz_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(raiz_->isValid());
  UsarRaiz(raiz_->path());
}

QString ConfigTemporal::Carpeta() const {
  return raiz_->path() + QStringLiteral("/Tervanik");
}

QString ConfigTemporal::Archivo() const {
  return Carpeta() + QStringLiteral("/NodeList.conf");
}

void ConfigTemporal::EscribirArchivo(const QByteArray& contenido) const {
  ASSERT_TRUE(QDir().mkpath(Carpeta()));
  QFile archivo(Archivo());
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(archivo.write(contenido), contenido.size());
}

QByteArray ConfigTemporal::LeerArchivo() const {
  QFile archivo(Archivo());
  if (!archivo.open(QIODevice::ReadOnly)) return {};
  return archivo.readAll();
}

void ConfigTemporal::MudarACarpetaNueva() {
  const QByteArray contenido = LeerArchivo();
  auto nueva = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(nueva->isValid());
  raiz_ = std::move(nueva);
  UsarRaiz(raiz_->path());
  EscribirArchivo(contenido);
}
