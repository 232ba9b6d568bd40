// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

class AlmacenConfig;

inline const QString kValorNodeList = QStringLiteral("NodeList");
inline const QString kValorPointList = QStringLiteral("PointList");

struct Rutas {
  QString nodelist;
  QString pointlist;

  bool operator==(const Rutas&) const = default;
};

// First run: opens the store, making it if need be, and writes both values as empty texts. Every
// step runs even when the open failed; the writes then go to the store opened before, if any.
void CrearConfig(AlmacenConfig& almacen);

// Opens the store and reads "NodeList", then "PointList", as they are on disk now. When the open
// fails the reads go to the store opened before, or give empty texts when there is none.
[[nodiscard]] Rutas LeerRutas(AlmacenConfig& almacen);

// Opens the store, making it if need be, and writes "NodeList", then "PointList", as given.
void GuardarRutas(AlmacenConfig& almacen, const QString& rutaNodelist,
                  const QString& rutaPointlist);

// The search window's start-up check: a store that opens is left exactly as it is; one that does
// not is made by CrearConfig.
void ComprobarConfig(AlmacenConfig& almacen);

// A stored path as the file-system bytes the lookup engine opens.
[[nodiscard]] std::string RutaEnBytes(const QString& ruta);
