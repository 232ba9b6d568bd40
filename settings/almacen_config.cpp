// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/almacen_config.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <mutex>

namespace {

constexpr const char* kFalloLeer = "Failed to get data for '%s'";
constexpr const char* kTipoInvalido = "Invalid data type for '%s'";
constexpr const char* kFalloEscribir = "Failed to set data for '%s'";

ErrorAlmacen Fallo(const char* plantilla, const QString& nombre) {
  return ErrorAlmacen(QString::fromLatin1(plantilla).replace(QStringLiteral("%s"), nombre));
}

// The file of QSettings("Tervanik", "NodeList") on Linux. Worked out here rather than asked of a
// QSettings object: that one reads the file to answer, and takes XDG_CONFIG_HOME only once per
// process.
QString ArchivoDelAlmacen() {
  const QString raiz = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (raiz.isEmpty()) return {};
  return raiz + QStringLiteral("/Tervanik/NodeList.conf");
}

bool SePuedeAbrir(const QString& archivo, QIODevice::OpenMode modo) {
  // Only a regular file is a store: QFile would happily open a device or a FIFO.
  if (!QFileInfo(archivo).isFile()) return false;
  QFile prueba(archivo);
  return prueba.open(modo | QIODevice::ExistingOnly);
}

// Something that is there but is not a file, such as a directory left where the file was.
bool HayOtraCosa(const QString& archivo) {
  const QFileInfo info(archivo);
  return info.exists() && !info.isFile();
}

bool CrearArchivo(const QString& archivo) {
  if (!QDir().mkpath(QFileInfo(archivo).absolutePath())) return false;
  // NewOnly: another copy of the program may be making it at the same moment, and an existing file
  // must keep its values. Failing here is fine; the caller checks what is there.
  QFile nuevo(archivo);
  static_cast<void>(nuevo.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  return true;
}

// A version of the file as QSettings tells versions apart: by size and modification time.
struct Version {
  bool existe = false;
  qint64 tamano = 0;
  qint64 modificado = 0;  // ms since the epoch

  bool operator==(const Version&) const = default;
};

Version VersionDe(const QString& archivo) {
  const QFileInfo info(archivo);
  if (!info.exists()) return {};
  return {true, info.size(), info.lastModified().toMSecsSinceEpoch()};
}

// QSettings parses each version of a file once per process and reports a damaged one only to the
// object that parsed it; later objects quietly get what it could salvage. The damaged versions are
// remembered here so that every read of one fails alike.
class VersionesDanadas final {
 public:
  // True when the file `clave` reads cannot be read or parsed. `antes` is the file's version from
  // before `clave` was made: a version that changed meanwhile is not remembered.
  bool Comprobar(const QSettings& clave, const QString& archivo, const Version& antes) {
    static_cast<void>(clave.allKeys());  // parses every section, so status() covers the whole file
    const Version ahora = VersionDe(archivo);
    const std::scoped_lock cerrojo(mutex_);
    if (clave.status() == QSettings::FormatError) {
      if (ahora == antes) danadas_.insert(archivo, ahora);
      return true;
    }
    if (clave.status() != QSettings::NoError) return true;
    const auto danada = danadas_.constFind(archivo);
    if (danada == danadas_.constEnd()) return false;
    if (*danada == ahora) return true;
    danadas_.erase(danada);
    return false;
  }

 private:
  std::mutex mutex_;
  QHash<QString, Version> danadas_;
};

bool Danado(const QSettings& clave, const QString& archivo, const Version& antes) {
  static VersionesDanadas versiones;
  return versiones.Comprobar(clave, archivo, antes);
}

// Other processes tell a new version from the one they parsed only by its size and its time to the
// millisecond, and two saves within one clock tick share a time: a version that replaced one of the
// same size unseen would never be read, and a copy writing the other value would put the old one
// back. So each save is dated after the version it replaced.
void FecharDespuesDe(const QString& archivo, const Version& previa) {
  if (!previa.existe || VersionDe(archivo).modificado > previa.modificado) return;
  QFile guardado(archivo);
  // Failing leaves only the rare case above open; the values themselves are saved.
  if (guardado.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
    static_cast<void>(guardado.setFileTime(QDateTime::fromMSecsSinceEpoch(previa.modificado + 1),
                                           QFileDevice::FileModificationTime));
  }
}

bool SinDatos(const QVariant& valor) {
  switch (valor.typeId()) {
    case QMetaType::UnknownType:  // missing, or written as @Invalid()
      return true;
    case QMetaType::QByteArray:
      return valor.toByteArray().isEmpty();
    case QMetaType::QStringList:
      return valor.toStringList().isEmpty();
    case QMetaType::QVariantList:
      return valor.toList().isEmpty();
    case QMetaType::QVariantMap:
      return valor.toMap().isEmpty();
    default:
      return false;
  }
}

}  // namespace

ErrorAlmacen::ErrorAlmacen(const QString& mensaje) : std::runtime_error(mensaje.toStdString()) {}

bool AlmacenConfig::AbrirClave(bool crear) {
  const QString archivo = ArchivoDelAlmacen();
  if (archivo.isEmpty()) return false;
  if (crear && !CrearArchivo(archivo)) return false;
  if (!SePuedeAbrir(archivo, QIODevice::ReadWrite)) return false;
  archivo_ = archivo;
  return true;
}

bool AlmacenConfig::AbrirParaLeer() {
  const QString archivo = ArchivoDelAlmacen();
  if (archivo.isEmpty() || !SePuedeAbrir(archivo, QIODevice::ReadOnly)) return false;
  archivo_ = archivo;
  return true;
}

// Each read and write makes QSettings objects of its own: one keeps the first error it met for
// the rest of its life, and the file may have been mended or broken since.
QString AlmacenConfig::LeerCadena(const QString& nombre) const {
  if (!archivo_) return {};
  if (HayOtraCosa(*archivo_)) throw Fallo(kFalloLeer, nombre);
  const Version antes = VersionDe(*archivo_);
  const QSettings clave(*archivo_, QSettings::NativeFormat);
  if (Danado(clave, *archivo_, antes)) throw Fallo(kFalloLeer, nombre);
  const QVariant valor = clave.value(nombre);
  if (valor.typeId() == QMetaType::QString) {
    QString texto = valor.toString();
    const qsizetype cero = texto.indexOf(QChar(u'\0'));
    if (cero >= 0) texto.truncate(cero);
    return texto;
  }
  if (SinDatos(valor)) return {};
  throw Fallo(kTipoInvalido, nombre);
}

void AlmacenConfig::EscribirCadena(const QString& nombre, const QString& texto) {
  if (!archivo_ || HayOtraCosa(*archivo_)) throw Fallo(kFalloEscribir, nombre);
  // Copies of the program save in turn, so that each can date its version after the one before.
  QLockFile turno(*archivo_ + QStringLiteral(".turno"));
  if (!turno.lock()) throw Fallo(kFalloEscribir, nombre);
  const Version previa = VersionDe(*archivo_);
  // A damaged file is parsed here, by an object of its own, so that the status of the one that
  // writes tells about the save alone. The save keeps what could be parsed and so mends the file.
  // The parsing object must outlive the save: once none holds the parse, Qt keeps it only if the
  // file holds few entries, and the save of a large damaged file would parse it again and fail.
  QSettings lectura(*archivo_, QSettings::NativeFormat);
  static_cast<void>(lectura.allKeys());
  QSettings clave(*archivo_, QSettings::NativeFormat);
  clave.setValue(nombre, texto);
  clave.sync();
  if (clave.status() != QSettings::NoError) throw Fallo(kFalloEscribir, nombre);
  FecharDespuesDe(*archivo_, previa);
}
