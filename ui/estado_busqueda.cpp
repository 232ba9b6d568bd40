// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/estado_busqueda.h"

#include <QFile>
#include <QStringList>

#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/direccion.h"

QString NombresSinCarpeta(const std::string& archivos) {
  QStringList nombres;
  for (const QString& parte : QFile::decodeName(archivos.c_str()).split(u'+'))
    nombres << parte.section(u'/', -1);
  return nombres.join(QStringLiteral(" + "));
}

QString TextoEstadoIncompleto() {
  return QStringLiteral("La búsqueda no se completó.");
}

QString TextoEstado(std::string_view direccion, const ResultadoCompleto& resultado) {
  const PartesDireccion partes = SepararDireccion(direccion);
  const QString nodo = QString::fromUtf8(partes.parteNodo);
  const QString punto = QString::fromUtf8(partes.partePunto);
  const QString nodelist = NombresSinCarpeta(resultado.archivos.nodelist);
  const QString pointlist = NombresSinCarpeta(resultado.archivos.pointlist);
  const bool pedido = partes.partePunto != "0";
  if (resultado.nodoEncontrado) {
    if (!pedido) return QStringLiteral("Nodo encontrado en %1.").arg(nodelist);
    if (resultado.puntoEncontrado) {
      return QStringLiteral("Nodo y punto encontrados en %1 y %2.").arg(nodelist, pointlist);
    }
    return QStringLiteral("El nodo está en la nodelist, pero el punto %1 no está en %2.")
        .arg(punto, pointlist);
  }
  if (!pedido) return QStringLiteral("El nodo %1 no está en %2.").arg(nodo, nodelist);
  if (resultado.puntoEncontrado) {
    return QStringLiteral("El nodo %1 no está en %2; el punto %3 sí está en %4.")
        .arg(nodo, nodelist, punto, pointlist);
  }
  return QStringLiteral("Ni el nodo %1 está en %2 ni el punto %3 en %4.")
      .arg(nodo, nodelist, punto, pointlist);
}
