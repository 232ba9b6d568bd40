// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/busqueda.h"

#include "lookup/direccion.h"
#include "lookup/lector_lista.h"
#include "lookup/lista_vigente.h"

namespace {

ListaElegida ConDiffs(const std::string& rutaEscrita, const std::string& ruta,
                      const Avisar& avisar) {
  const std::vector<std::string> diffs = DiffsVigentes(rutaEscrita);
  // Without diffs the list is read as it always was: nothing else is opened.
  if (diffs.empty()) return {ruta, nullptr, {}, {}};
  ListaElegida lista = AplicarDiffs(ruta, diffs);
  if (avisar)
    for (const AvisoDiff& aviso : lista.avisos)
      avisar(aviso);
  return lista;
}

std::string NombreDe(const ListaElegida& lista) {
  return lista.texto ? lista.nombre : lista.ruta;
}

}  // namespace

std::optional<ListasElegidas> ElegirListasLeibles(const std::string& rutaNodelist,
                                                  const std::string& rutaPointlist,
                                                  const Informar& informar, const Avisar& avisar) {
  // Resolved at every search: a new week's list or diff counts from the next search on.
  const std::string nodelist = ListaVigente(rutaNodelist);
  const std::string pointlist = ListaVigente(rutaPointlist);
  bool correcto = true;
  if (!ExisteArchivo(nodelist)) {
    informar(kFaltaNodelist);
    correcto = false;
  }
  if (!ExisteArchivo(pointlist)) {
    informar(kFaltaPointlist);
    correcto = false;
  }
  if (!correcto) return std::nullopt;
  return ListasElegidas{ConDiffs(rutaNodelist, nodelist, avisar),
                        ConDiffs(rutaPointlist, pointlist, avisar)};
}

std::optional<ArchivosLeidos> ElegirListas(const std::string& rutaNodelist,
                                           const std::string& rutaPointlist,
                                           const Informar& informar, const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return std::nullopt;
  return ArchivosLeidos{NombreDe(listas->nodelist), NombreDe(listas->pointlist)};
}

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar, const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return {};

  // Readers live for one search only: whatever ends it, no list file is left open.
  LectorLista lectorNodos;
  LectorLista lectorPuntos;
  AsignarLista(lectorNodos, listas->nodelist);
  AsignarLista(lectorPuntos, listas->pointlist);
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
