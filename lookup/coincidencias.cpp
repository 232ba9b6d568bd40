// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/coincidencias.h"

#include "lookup/consulta.h"
#include "lookup/entradas.h"
#include "lookup/listado.h"

Coincidencias BuscarCoincidencias(const std::string& rutaNodelist, const std::string& rutaPointlist,
                                  std::string_view texto, std::size_t maximo,
                                  const Informar& informar) {
  Coincidencias coincidencias;
  ConsultaNombre consulta(texto);
  // Only the rows that are kept get their fields cut; the rest are counted.
  const auto hayLugar = [&] {
    if (coincidencias.filas.size() < maximo) return true;
    ++coincidencias.resto;
    return false;
  };
  coincidencias.ejecutada = BuscarPorNombre(
      rutaNodelist, rutaPointlist, consulta, informar,
      [&](const std::string& direccion, std::string_view linea, std::size_t inicioCampos) {
        if (!hayLugar()) return;
        EntradaNodo e = LeerEntradaNodo(linea, inicioCampos);
        coincidencias.filas.push_back(
            {direccion, std::move(e.sysop), std::move(e.bbs), std::move(e.ciudad)});
      },
      [&](const std::string& direccion, std::string_view linea) {
        if (!hayLugar()) return;
        EntradaPunto e = LeerEntradaPunto(linea);
        coincidencias.filas.push_back(
            {direccion, std::move(e.nombre), std::move(e.nick), std::move(e.ciudad)});
      });
  return coincidencias;
}
