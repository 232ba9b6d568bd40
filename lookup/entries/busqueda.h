// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "lookup/lists/listas_leibles.h"
#include "lookup/entries/nodelist.h"
#include "lookup/entries/pointlist.h"

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

// One whole search. Each list path is first turned into what to read (ElegirListasLeibles).
// Missing list files are reported through `informar` (NodeList first) and leave `ejecutada`
// false; refused diffs go to `avisar`; I/O failures are raised as ErrorEntradaSalida.
[[nodiscard]] ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                                 const std::string& rutaPointlist,
                                                 std::string_view direccion,
                                                 const Informar& informar,
                                                 const Avisar& avisar = {});
