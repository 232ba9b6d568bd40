// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogo_archivo.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <string_view>

#include "lookup/lists/lista_vigente.h"

namespace {

// Set by a test; the outer optional says whether an answer is waiting at all.
std::optional<std::optional<QString>> proximaRespuesta;

}  // namespace

InicioDialogo InicioPara(const QString& texto) {
  if (texto.isEmpty()) return {};
  const QFileInfo archivo(texto);
  // A folder that is not there would leave the dialog in the program's current folder, and Open
  // would then quietly give a file there.
  QString carpeta = archivo.absolutePath();
  while (!QFileInfo(carpeta).isDir() && !QDir(carpeta).isRoot()) {
    carpeta = QFileInfo(carpeta).absolutePath();
  }
  return {carpeta, archivo.fileName()};
}

std::optional<QString> ElegirArchivo(QFileDialog& dialogo, const QString& texto) {
  const InicioDialogo inicio = InicioPara(texto);
  if (!inicio.carpeta.isEmpty()) dialogo.setDirectory(inicio.carpeta);
  dialogo.selectFile(inicio.nombre);

  if (proximaRespuesta) {
    const std::optional<QString> respuesta = *proximaRespuesta;
    proximaRespuesta.reset();
    if (!respuesta) return std::nullopt;
    return QFileInfo(*respuesta).absoluteFilePath();
  }
  if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList elegidos = dialogo.selectedFiles();
  if (elegidos.isEmpty()) return std::nullopt;
  return QFileInfo(elegidos.front()).absoluteFilePath();
}

QString RutaParaCaja(const QString& elegido) {
  const QByteArray nombre = QFile::encodeName(QFileInfo(elegido).fileName());
  constexpr qsizetype kSufijo = 4;  // ".003", ".Z03"
  if (nombre.size() <= kSufijo) return elegido;
  const std::string_view completo(nombre.constData(), static_cast<std::size_t>(nombre.size()));
  if (!EsListaSemanal(completo.substr(0, completo.size() - kSufijo), completo)) return elegido;
  return elegido.left(elegido.size() - kSufijo);
}

void ResponderProximoDialogo(std::optional<QString> respuesta) {
  proximaRespuesta = std::move(respuesta);
}
