// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/busqueda.h"

#include "lookup/direccion.h"
#include "lookup/lector_lista.h"
#include "lookup/lista_vigente.h"

std::optional<ArchivosLeidos> ElegirListas(const std::string& rutaNodelist,
                                           const std::string& rutaPointlist,
                                           const Informar& informar) {
  // Resolved at every search: a new week's list counts from the next search on.
  ArchivosLeidos listas{ListaVigente(rutaNodelist), ListaVigente(rutaPointlist)};
  bool correcto = true;
  if (!ExisteArchivo(listas.nodelist)) {
    informar(kFaltaNodelist);
    correcto = false;
  }
  if (!ExisteArchivo(listas.pointlist)) {
    informar(kFaltaPointlist);
    correcto = false;
  }
  if (!correcto) return std::nullopt;
  return listas;
}

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar) {
  const auto listas = ElegirListas(rutaNodelist, rutaPointlist, informar);
  if (!listas) return {};

  // Readers live for one search only: whatever ends it, no list file is left open.
  LectorLista lectorNodos;
  LectorLista lectorPuntos;
  lectorNodos.Asignar(listas->nodelist);
  lectorPuntos.Asignar(listas->pointlist);
  lectorNodos.Abrir();
  ComprobarES();
  lectorPuntos.Abrir();
  ComprobarES();

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoBusqueda resultado;
  resultado.ejecutada = true;
  resultado.nodo = BuscarNodo(lectorNodos, partes.parteNodo);
  resultado.archivos.nodelist = lectorNodos.Nombre();
  lectorNodos.Cerrar();
  ComprobarES();
  resultado.punto = BuscarPunto(lectorPuntos, partes.parteNodo, partes.partePunto);
  resultado.archivos.pointlist = lectorPuntos.Nombre();
  lectorPuntos.Cerrar();
  ComprobarES();
  return resultado;
}
