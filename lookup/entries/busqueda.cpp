// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda.h"

#include "lookup/entries/direccion.h"
#include "lookup/lists/lector_lista.h"

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar, const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return {};

  LectoresAbiertos lectores(*listas, LectorLista::kTamBufer);

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoBusqueda resultado;
  resultado.ejecutada = true;
  resultado.nodo = BuscarNodo(lectores.nodos, partes.parteNodo);
  resultado.archivos.nodelist = lectores.nodos.Nombre();
  CerrarLector(lectores.nodos);
  resultado.punto = BuscarPunto(lectores.puntos, partes.parteNodo, partes.partePunto);
  resultado.archivos.pointlist = lectores.puntos.Nombre();
  CerrarLector(lectores.puntos);
  return resultado;
}
