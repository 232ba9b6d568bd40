// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/listado.h"

#include "lookup/consulta.h"
#include "lookup/direccion.h"
#include "lookup/lector_lista.h"
#include "lookup/nodelist.h"
#include "lookup/pointlist.h"

namespace {

// A name search reads every byte of both lists, so it reads them in large blocks.
constexpr std::size_t kBloqueRecorrido = 64 * 1024;

// Both readers are open before anything is read, as for an address: a list that cannot be
// opened ends the run before any result is written.
struct LectoresAbiertos {
  LectoresAbiertos(const ListasElegidas& listas, std::size_t tamBloque)
      : nodos(tamBloque), puntos(tamBloque) {
    AsignarLista(nodos, listas.nodelist);
    AsignarLista(puntos, listas.pointlist);
    nodos.Abrir();
    ComprobarES();
    puntos.Abrir();
    ComprobarES();
  }

  LectorLista nodos;
  LectorLista puntos;
};

void Cerrar(LectorLista& lector) {
  lector.Cerrar();
  ComprobarES();
}

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
  Cerrar(lector);
  return FechaDeCabecera(cabecera);
}

}  // namespace

ResultadoCompleto EjecutarBusquedaCompleta(const std::string& rutaNodelist,
                                           const std::string& rutaPointlist,
                                           std::string_view direccion, const Informar& informar,
                                           const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return {};
  LectoresAbiertos lectores(*listas, LectorLista::kTamBufer);

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoCompleto resultado;
  resultado.ejecutada = true;
  std::string linea;
  if (const auto inicio = BuscarLineaNodo(lectores.nodos, partes.parteNodo, linea))
    resultado.nodo = LeerEntradaNodo(linea, *inicio);
  resultado.archivos.nodelist = lectores.nodos.Nombre();
  Cerrar(lectores.nodos);
  if (BuscarLineaPunto(lectores.puntos, partes.parteNodo, partes.partePunto, linea))
    resultado.punto = LeerEntradaPunto(linea);
  resultado.archivos.pointlist = lectores.puntos.Nombre();
  Cerrar(lectores.puntos);
  resultado.fechas = {FechaDeLista(listas->nodelist), FechaDeLista(listas->pointlist)};
  return resultado;
}

bool BuscarPorNombre(const std::string& rutaNodelist, const std::string& rutaPointlist,
                     ConsultaNombre& consulta, const Informar& informar,
                     const AlEncontrarNodo& alNodo, const AlEncontrarPunto& alPunto,
                     const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return false;
  LectoresAbiertos lectores(*listas, kBloqueRecorrido);

  RecorrerNodelist(lectores.nodos, [&](const PosicionNodo& posicion, std::string_view linea) {
    if (consulta.Coincide(linea)) alNodo(DireccionNodo(posicion), linea, posicion.inicioCampos);
  });
  Cerrar(lectores.nodos);
  RecorrerPointlist(lectores.puntos, [&](const PosicionPunto& posicion, std::string_view linea) {
    if (consulta.Coincide(linea)) alPunto(DireccionPunto(posicion), linea);
  });
  Cerrar(lectores.puntos);
  return true;
}
