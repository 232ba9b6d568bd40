// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda.h"

#include "lookup/entries/direccion.h"
#include "lookup/lists/lector_lista.h"

namespace {

ResultadoBusqueda BuscarUnaVez(const std::string& rutaNodelist, const std::string& rutaPointlist,
                               std::string_view direccion, const Informar& informar,
                               const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return {};

  LectoresAbiertos lectores(*listas, LectorLista::kTamBufer);

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoBusqueda resultado;
  resultado.ejecutada = true;
  std::string linea;
  if (const auto inicio = BuscarLineaNodo(lectores.nodos, partes.parteNodo, linea)) {
    resultado.nodo = LeerDatosNodo(linea, *inicio);
    resultado.nodoEncontrado = true;
  }
  resultado.archivos.nodelist = lectores.nodos.Nombre();
  CerrarLector(lectores.nodos);
  if (BuscarLineaPunto(lectores.puntos, partes.parteNodo, partes.partePunto, linea)) {
    resultado.punto = LeerDatosPunto(linea);
    resultado.puntoEncontrado = true;
  }
  resultado.archivos.pointlist = lectores.puntos.Nombre();
  CerrarLector(lectores.puntos);
  return resultado;
}

}  // namespace

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar, const Avisar& avisar) {
  return LeerSinCambios(
      [&] { return BuscarUnaVez(rutaNodelist, rutaPointlist, direccion, informar, avisar); });
}
