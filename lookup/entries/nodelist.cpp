// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/nodelist.h"

#include "lookup/entries/campos.h"
#include "lookup/entries/direccion.h"
#include "lookup/entries/recorrido.h"

DatosNodo LeerDatosNodo(std::string_view linea, std::size_t pos) {
  DatosNodo datos;
  datos.bbs = CortarCampo(linea, pos);
  datos.ciudad = CortarCampo(linea, pos);
  datos.sysop = CortarCampo(linea, pos);
  return datos;
}

std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector, const PartesNodo& buscada,
                                           std::string& linea) {
  RecorridoNodelist recorrido(lector);
  while (recorrido.Siguiente()) {
    const PosicionNodo& p = recorrido.Posicion();
    if (EnDireccion(buscada, p.zona, p.red, p.nodo)) {
      linea = recorrido.Linea();
      return p.inicioCampos;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector, std::string_view parteNodo,
                                           std::string& linea) {
  return BuscarLineaNodo(lector, PartirNodo(parteNodo), linea);
}

DatosNodo BuscarNodo(LectorLista& lector, std::string_view parteNodo) {
  std::string linea;
  const auto inicio = BuscarLineaNodo(lector, parteNodo, linea);
  return inicio ? LeerDatosNodo(linea, *inicio) : DatosNodo{};
}
