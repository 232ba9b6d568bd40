// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/cadena_diffs.h"
#include "lookup/nodelist.h"
#include "lookup/pointlist.h"

inline constexpr const char* kFaltaNodelist = "No se encuentra el archivo de NodeList";
inline constexpr const char* kFaltaPointlist = "No se encuentra el archivo de PointList";

// The files a search read, as bytes: each list's path, or "archive:member" for a list read
// from inside an archive; a list brought forward by diffs names the list and each diff applied,
// in order, joined by "+" ("NODELIST.362+NODEDIFF.003").
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

// Takes a diff that was not applied. The search goes on with the list before it; the caller may
// say so ("No se aplica <diff>: <motivo>") or stay silent.
using Avisar = std::function<void(const AvisoDiff& aviso)>;

// Both lists a search reads, each maybe brought forward by its diffs (AplicarDiffs); a reader
// takes one with AsignarLista.
struct ListasElegidas {
  ListaElegida nodelist;
  ListaElegida pointlist;
};

// What a search reads, each list path turned into the file it names now (ListaVigente) and, where
// the path stands for weekly lists, brought forward by the diffs beside it (DiffsVigentes,
// AplicarDiffs). Missing list files are reported through `informar` (NodeList first) and give
// nothing; refused diffs go to `avisar`.
[[nodiscard]] std::optional<ListasElegidas> ElegirListasLeibles(const std::string& rutaNodelist,
                                                                const std::string& rutaPointlist,
                                                                const Informar& informar,
                                                                const Avisar& avisar = {});

// The names of what ElegirListasLeibles chooses, as ArchivosLeidos gives them.
[[nodiscard]] std::optional<ArchivosLeidos> ElegirListas(const std::string& rutaNodelist,
                                                         const std::string& rutaPointlist,
                                                         const Informar& informar,
                                                         const Avisar& avisar = {});

// One whole search. Each list path is first turned into what to read (ElegirListasLeibles).
// Missing list files are reported through `informar` (NodeList first) and leave `ejecutada`
// false; refused diffs go to `avisar`; I/O failures are raised as ErrorEntradaSalida.
[[nodiscard]] ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                                 const std::string& rutaPointlist,
                                                 std::string_view direccion,
                                                 const Informar& informar,
                                                 const Avisar& avisar = {});
