// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/listas_leibles.h"

#include <vector>

#include "lookup/lists/lista_vigente.h"

namespace {

ListaElegida ConDiffs(const std::string& rutaEscrita, const std::string& ruta,
                      const Avisar& avisar) {
  const std::vector<std::string> diffs = DiffsVigentes(rutaEscrita);
  // Without diffs the list is read as it always was: nothing else is opened.
  if (diffs.empty()) return {ruta, nullptr, {}, {}};
  ListaElegida lista = AplicarDiffs(ruta, diffs);
  // A chain read while its files changed is read again: what it refused may be sound.
  if (avisar && !HuboCambio())
    for (const AvisoDiff& aviso : lista.avisos)
      avisar(aviso);
  return lista;
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

LectoresAbiertos::LectoresAbiertos(const ListasElegidas& listas, std::size_t tamBloque)
    : nodos(tamBloque), puntos(tamBloque) {
  AsignarLista(nodos, listas.nodelist);
  AsignarLista(puntos, listas.pointlist);
  nodos.Abrir();
  ComprobarES();
  puntos.Abrir();
  ComprobarES();
}

void CerrarLector(LectorLista& lector) {
  NotarSiCambio(lector);
  lector.Cerrar();
  ComprobarES();
}
