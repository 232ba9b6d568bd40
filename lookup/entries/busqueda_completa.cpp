// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda_completa.h"

#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"
#include "lookup/lists/lector_lista.h"

namespace {

// The header line is under 80 bytes in every real list; this is room to spare.
constexpr std::size_t kTopeCabecera = 256;

// Read apart from the search, which must see the first line as a line like any other.
std::optional<FechaLista> FechaDeLista(const ListaElegida& lista) {
  LectorLista lector;
  AsignarLista(lector, lista);
  lector.Abrir();
  ComprobarES();
  const std::string cabecera = lector.Principio(kTopeCabecera);
  ComprobarES();
  CerrarLector(lector);
  return FechaDeCabecera(cabecera);
}

}  // namespace

ResultadoCompleto EjecutarBusquedaCompleta(const std::string& rutaNodelist,
                                           const std::string& rutaPointlist,
                                           std::string_view direccion, const Informar& informar,
                                           const Avisar& avisar) {
  ResultadoCompleto resultado;
  resultado.ejecutada = BuscarDireccion(
      rutaNodelist, rutaPointlist, direccion, informar, avisar,
      [&](const ListasElegidas& listas, const LineasHalladas& halladas) {
        resultado = {};
        resultado.archivos = halladas.archivos;
        if (halladas.inicioCamposNodo) {
          resultado.nodo = LeerEntradaNodo(halladas.lineaNodo, *halladas.inicioCamposNodo);
          resultado.nodoEncontrado = true;
        }
        if (halladas.hayPunto) {
          resultado.punto = LeerEntradaPunto(halladas.lineaPunto);
          resultado.puntoEncontrado = true;
        }
        resultado.fechas = {FechaDeLista(listas.nodelist), FechaDeLista(listas.pointlist)};
      });
  return resultado;
}
