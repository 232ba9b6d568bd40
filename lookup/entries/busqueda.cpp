// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/busqueda.h"

#include "lookup/entries/direccion.h"
#include "lookup/lists/lector_lista.h"

namespace {

LineasHalladas BuscarLineas(LectoresAbiertos& lectores, std::string_view direccion) {
  const PartesDireccion partes = SepararDireccion(direccion);
  PartesNodo nodo = PartirNodo(partes.parteNodo);
  const std::int32_t punto = NumeroDePunto(partes.partePunto);
  LineasHalladas halladas;
  const auto buscarPunto = [&] {
    std::string zonaJefe;
    halladas.hayPunto =
        BuscarLineaPunto(lectores.puntos, nodo, punto, halladas.lineaPunto, zonaJefe);
    halladas.archivos.pointlist = lectores.puntos.Nombre();
    CerrarLector(lectores.puntos);
    return zonaJefe;
  };

  const bool puntoPrimero = nodo.zona.empty() && punto > 0;
  if (puntoPrimero) nodo.zona = buscarPunto();
  halladas.inicioCamposNodo = BuscarLineaNodo(lectores.nodos, nodo, halladas.lineaNodo);
  halladas.archivos.nodelist = lectores.nodos.Nombre();
  CerrarLector(lectores.nodos);
  if (!puntoPrimero) static_cast<void>(buscarPunto());
  return halladas;
}

}  // namespace

bool BuscarDireccion(const std::string& rutaNodelist, const std::string& rutaPointlist,
                     std::string_view direccion, const Informar& informar, const Avisar& avisar,
                     const TomarLineas& tomar) {
  return LeerSinCambios([&] {
    const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
    if (!listas) return false;
    LectoresAbiertos lectores(*listas, LectorLista::kTamBufer);
    tomar(*listas, BuscarLineas(lectores, direccion));
    return true;
  });
}

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar, const Avisar& avisar) {
  ResultadoBusqueda resultado;
  resultado.ejecutada = BuscarDireccion(rutaNodelist, rutaPointlist, direccion, informar, avisar,
                                        [&](const ListasElegidas&, const LineasHalladas& halladas) {
                                          resultado = {};
                                          resultado.archivos = halladas.archivos;
                                          if (halladas.inicioCamposNodo) {
                                            resultado.nodo = LeerDatosNodo(
                                                halladas.lineaNodo, *halladas.inicioCamposNodo);
                                            resultado.nodoEncontrado = true;
                                          }
                                          if (halladas.hayPunto) {
                                            resultado.punto = LeerDatosPunto(halladas.lineaPunto);
                                            resultado.puntoEncontrado = true;
                                          }
                                        });
  return resultado;
}
