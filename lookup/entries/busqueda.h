// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"
#include "lookup/lists/listas_leibles.h"

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
  // Whether each list holds the entry: an entry's field may itself read "?".
  bool nodoEncontrado = false;
  bool puntoEncontrado = false;
};

// The lines the address lookup found in both lists, and the files it read.
struct LineasHalladas {
  std::optional<std::size_t> inicioCamposNodo;  // set when the nodelist holds the node
  std::string lineaNodo;
  bool hayPunto = false;
  std::string lineaPunto;
  ArchivosLeidos archivos;
};

// One address lookup over both lists, made again while a list changes under it
// (LeerSinCambios): each list path turned into what to read (ElegirListasLeibles), both opened,
// `direccion` looked up, each reader closed when its lookup ends, and `tomar` given what was
// found (on a repeat, what the last reading found). A "@domain" is ignored. A point typed without
// a zone is looked up first, and the node shown is its boss, in the zone of the point's boss.
// False when a list file was missing (reported through `informar`).
using TomarLineas =
    std::function<void(const ListasElegidas& listas, const LineasHalladas& halladas)>;
[[nodiscard]] bool BuscarDireccion(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar, const Avisar& avisar,
                                   const TomarLineas& tomar);

// One whole search. Each list path is first turned into what to read (ElegirListasLeibles).
// Missing list files are reported through `informar` (NodeList first) and leave `ejecutada`
// false; refused diffs go to `avisar`; I/O failures are raised as ErrorEntradaSalida.
[[nodiscard]] ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                                 const std::string& rutaPointlist,
                                                 std::string_view direccion,
                                                 const Informar& informar,
                                                 const Avisar& avisar = {});
