// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "lookup/lists/lista_vigente.h"

// What a search would read for one list path right now, told without searching.
struct LecturaPrevista {
  bool hayLista = false;  // false: no list file is there to read
  // The files by their names without folders: "NODELIST.006", a list inside an archive as the
  // reader names it ("NODELIST.Z03:NODELIST.003"), a list brought forward by diffs with each
  // diff applied ("NODELIST.362 + NODEDIFF.003").
  std::string archivos;
  std::optional<FechaLista> fecha;  // of its first line, as a search would read it
};

// For `ruta` as a search turns it into what to read (ListaVigente, DiffsVigentes, AplicarDiffs).
// Failures reading the list are raised as ErrorEntradaSalida, as a search of it would raise them.
// Nothing is shared between calls but the kept chain, which is safe to use from several threads.
[[nodiscard]] LecturaPrevista PreverLectura(const std::string& ruta);
