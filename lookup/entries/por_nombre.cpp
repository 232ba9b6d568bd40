// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/por_nombre.h"

#include "lookup/entries/consulta_nombre.h"
#include "lookup/entries/recorrido.h"
#include "lookup/lists/lector_lista.h"

namespace {

// A name search reads every byte of both lists, so it reads them in large blocks.
constexpr std::size_t kBloqueRecorrido = 64 * 1024;

bool BuscarUnaVez(const std::string& rutaNodelist, const std::string& rutaPointlist,
                  ConsultaNombre& consulta, const Informar& informar, const AlEncontrarNodo& alNodo,
                  const AlEncontrarPunto& alPunto, const Avisar& avisar) {
  const auto listas = ElegirListasLeibles(rutaNodelist, rutaPointlist, informar, avisar);
  if (!listas) return false;
  LectoresAbiertos lectores(*listas, kBloqueRecorrido);

  RecorrerNodelist(lectores.nodos, [&](const PosicionNodo& posicion, std::string_view linea) {
    if (consulta.Coincide(linea)) alNodo(DireccionNodo(posicion), linea, posicion.inicioCampos);
  });
  CerrarLector(lectores.nodos);
  RecorrerPointlist(lectores.puntos, [&](const PosicionPunto& posicion, std::string_view linea) {
    if (consulta.Coincide(linea)) alPunto(DireccionPunto(posicion), linea);
  });
  CerrarLector(lectores.puntos);
  return true;
}

}  // namespace

bool BuscarPorNombre(const std::string& rutaNodelist, const std::string& rutaPointlist,
                     ConsultaNombre& consulta, const Informar& informar,
                     const AlEncontrarNodo& alNodo, const AlEncontrarPunto& alPunto,
                     const Avisar& avisar) {
  // Matches are handed on once a reading is known whole: a list rewritten under one would mix
  // its weeks, and a second reading would repeat them.
  std::vector<std::function<void()>> hallados;
  const bool leidas = LeerSinCambios([&] {
    hallados.clear();
    return BuscarUnaVez(
        rutaNodelist, rutaPointlist, consulta, informar,
        [&](const std::string& direccion, std::string_view linea, std::size_t inicio) {
          hallados.emplace_back([&alNodo, direccion, linea = std::string(linea), inicio] {
            alNodo(direccion, linea, inicio);
          });
        },
        [&](const std::string& direccion, std::string_view linea) {
          hallados.emplace_back(
              [&alPunto, direccion, linea = std::string(linea)] { alPunto(direccion, linea); });
        },
        avisar);
  });
  for (const auto& hallado : hallados)
    hallado();
  return leidas;
}

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
