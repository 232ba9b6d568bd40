// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/pointlist.h"

#include "lookup/entries/campos.h"
#include "lookup/entries/direccion.h"
#include "lookup/entries/recorrido.h"
#include "lookup/lists/lector_lista.h"

DatosPunto LeerDatosPunto(std::string_view linea) {
  std::size_t pos = linea.find(',');
  if (pos != std::string_view::npos) pos = linea.find(',', pos + 1);
  pos = pos == std::string_view::npos ? linea.size() : pos + 1;
  DatosPunto datos;
  datos.nick = CortarCampo(linea, pos);
  datos.ciudad = CortarCampo(linea, pos);
  datos.nombre = CortarCampo(linea, pos);
  datos.telefono = CortarCampo(linea, pos);
  return datos;
}

bool BuscarLineaPunto(LectorLista& lector, const PartesNodo& jefe, std::int32_t punto,
                      std::string& linea, std::string& zonaJefe) {
  if (punto <= 0) {
    // One read all the same: it tells whether the list is an archive's member, which the
    // files read name.
    static_cast<void>(lector.FinDeArchivo());
    ComprobarES();
    return false;
  }
  RecorridoPointlist recorrido(lector);
  while (recorrido.Siguiente()) {
    const PosicionPunto& p = recorrido.Posicion();
    if (p.punto == punto && EnDireccion(jefe, p.zona, p.red, p.nodo)) {
      linea = recorrido.Linea();
      zonaJefe = p.zona;
      return true;
    }
  }
  return false;
}

bool BuscarLineaPunto(LectorLista& lector, std::string_view parteNodo, std::string_view partePunto,
                      std::string& linea) {
  std::string zonaJefe;
  return BuscarLineaPunto(lector, PartirNodo(parteNodo), NumeroDePunto(partePunto), linea,
                          zonaJefe);
}

DatosPunto BuscarPunto(LectorLista& lector, std::string_view parteNodo,
                       std::string_view partePunto) {
  std::string linea;
  return BuscarLineaPunto(lector, parteNodo, partePunto, linea) ? LeerDatosPunto(linea)
                                                                : DatosPunto{};
}
