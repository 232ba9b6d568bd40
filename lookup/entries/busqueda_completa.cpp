// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda_completa.h"

#include "lookup/entries/direccion.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"

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

ResultadoCompleto BuscarUnaVez(const std::string& rutaNodelist, const std::string& rutaPointlist,
                               std::string_view direccion, const Informar& informar,
                               const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return {};
  LectoresAbiertos lectores(*listas, LectorLista::kTamBufer);

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoCompleto resultado;
  resultado.ejecutada = true;
  std::string linea;
  if (const auto inicio = BuscarLineaNodo(lectores.nodos, partes.parteNodo, linea)) {
    resultado.nodo = LeerEntradaNodo(linea, *inicio);
    resultado.nodoEncontrado = true;
  }
  resultado.archivos.nodelist = lectores.nodos.Nombre();
  CerrarLector(lectores.nodos);
  if (BuscarLineaPunto(lectores.puntos, partes.parteNodo, partes.partePunto, linea)) {
    resultado.punto = LeerEntradaPunto(linea);
    resultado.puntoEncontrado = true;
  }
  resultado.archivos.pointlist = lectores.puntos.Nombre();
  CerrarLector(lectores.puntos);
  resultado.fechas = {FechaDeLista(listas->nodelist), FechaDeLista(listas->pointlist)};
  return resultado;
}

}  // namespace

ResultadoCompleto EjecutarBusquedaCompleta(const std::string& rutaNodelist,
                                           const std::string& rutaPointlist,
                                           std::string_view direccion, const Informar& informar,
                                           const Avisar& avisar) {
  return LeerSinCambios(
      [&] { return BuscarUnaVez(rutaNodelist, rutaPointlist, direccion, informar, avisar); });
}
