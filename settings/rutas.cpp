// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/rutas.h"

#include <QFile>

#include "settings/almacen_config.h"

// Whether the open worked is not looked at on purpose: a store that cannot be opened now still
// serves through the one opened before.

void CrearConfig(AlmacenConfig& almacen) {
  static_cast<void>(almacen.AbrirClave(true));
  almacen.EscribirCadena(kValorNodeList, QString());
  almacen.EscribirCadena(kValorPointList, QString());
}

Rutas LeerRutas(AlmacenConfig& almacen) {
  static_cast<void>(almacen.AbrirClave(false));
  Rutas rutas;
  rutas.nodelist = almacen.LeerCadena(kValorNodeList);
  rutas.pointlist = almacen.LeerCadena(kValorPointList);
  return rutas;
}

void GuardarRutas(AlmacenConfig& almacen, const QString& rutaNodelist,
                  const QString& rutaPointlist) {
  static_cast<void>(almacen.AbrirClave(true));
  almacen.EscribirCadena(kValorNodeList, rutaNodelist);
  almacen.EscribirCadena(kValorPointList, rutaPointlist);
}

void ComprobarConfig(AlmacenConfig& almacen) {
  if (!almacen.AbrirClave(false)) CrearConfig(almacen);
}

std::string RutaEnBytes(const QString& ruta) {
  return QFile::encodeName(ruta).toStdString();
}
