// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/recorrido.h"
#include "lookup/lists/lista_vigente.h"

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
  bool nodoEncontrado = false;
  bool puntoEncontrado = false;
};

// EjecutarBusqueda with every field of both entries it finds, and the dates of both lists.
[[nodiscard]] ResultadoCompleto EjecutarBusquedaCompleta(const std::string& rutaNodelist,
                                                         const std::string& rutaPointlist,
                                                         std::string_view direccion,
                                                         const Informar& informar,
                                                         const Avisar& avisar = {});
