// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/nodelist.h"
#include "lookup/pointlist.h"

inline constexpr const char* kFaltaNodelist = "No se encuentra el archivo de NodeList";
inline constexpr const char* kFaltaPointlist = "No se encuentra el archivo de PointList";

// The files a search read, as bytes: each list's path, or "archive:member" for a list read
// from inside an archive.
struct ArchivosLeidos {
  std::string nodelist;
  std::string pointlist;
};

struct ResultadoBusqueda {
  bool ejecutada = false;
  DatosNodo nodo;
  DatosPunto punto;
  ArchivosLeidos archivos;
};

// Shows one message and returns once the user has seen it.
using Informar = std::function<void(const std::string& mensaje)>;

// The files a search reads, each list path turned into the file it names now (ListaVigente).
// Missing ones are reported through `informar` (NodeList first) and give nothing.
[[nodiscard]] std::optional<ArchivosLeidos> ElegirListas(const std::string& rutaNodelist,
                                                         const std::string& rutaPointlist,
                                                         const Informar& informar);

// One whole search. Each list path is first turned into the file to read (ListaVigente). Missing
// list files are reported through `informar` (NodeList first) and leave `ejecutada` false; I/O
// failures are raised as ErrorEntradaSalida.
[[nodiscard]] ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                                 const std::string& rutaPointlist,
                                                 std::string_view direccion,
                                                 const Informar& informar);
