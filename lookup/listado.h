// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/busqueda.h"
#include "lookup/entradas.h"
#include "lookup/lista_vigente.h"

class ConsultaNombre;

// The date of the first line of each list a search read; nothing for a line without one.
struct FechasListas {
  std::optional<FechaLista> nodelist;
  std::optional<FechaLista> pointlist;
};

struct ResultadoCompleto {
  bool ejecutada = false;
  EntradaNodo nodo;
  EntradaPunto punto;
  ArchivosLeidos archivos;
  FechasListas fechas;
};

// EjecutarBusqueda with every field of both entries it finds, and the dates of both lists.
[[nodiscard]] ResultadoCompleto EjecutarBusquedaCompleta(const std::string& rutaNodelist,
                                                         const std::string& rutaPointlist,
                                                         std::string_view direccion,
                                                         const Informar& informar,
                                                         const Avisar& avisar = {});

using AlEncontrarNodo = std::function<void(const std::string& direccion, std::string_view linea,
                                           std::size_t inicioCampos)>;
using AlEncontrarPunto = std::function<void(const std::string& direccion, std::string_view linea)>;

// Every entry of both lists whose system name, location or sysop holds the text of `consulta`,
// in list order, the nodelist's first. False when a list file was missing (reported as by
// ElegirListas); refused diffs go to `avisar`; I/O failures are raised as ErrorEntradaSalida.
bool BuscarPorNombre(const std::string& rutaNodelist, const std::string& rutaPointlist,
                     ConsultaNombre& consulta, const Informar& informar,
                     const AlEncontrarNodo& alNodo, const AlEncontrarPunto& alPunto,
                     const Avisar& avisar = {});
