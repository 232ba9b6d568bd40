// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "lookup/lists/cadena_diffs.h"
#include "lookup/lists/lector_lista.h"

inline constexpr const char* kFaltaNodelist = "No se encuentra el archivo de NodeList";
inline constexpr const char* kFaltaPointlist = "No se encuentra el archivo de PointList";

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

// Both readers of a search, bound and opened before anything is read: a list that cannot be
// opened ends the run before any result is written. Whatever ends the search, no list file is
// left open.
struct LectoresAbiertos {
  LectoresAbiertos(const ListasElegidas& listas, std::size_t tamBloque);

  LectorLista nodos;
  LectorLista puntos;
};

// Closes a reader, noting first whether its list changed while it was read (NotarSiCambio); a
// failure is raised as ErrorEntradaSalida.
void CerrarLector(LectorLista& lector);

// Runs `lectura`, one reading of the lists from choosing them to closing them, again as long as a
// list changed under it (a list rewritten in place mixes two weeks' lines), three times at most;
// a list that changed under every one raises kListaCambiante. `lectura` must be safe to repeat:
// what it gives the user waits for its end.
template <typename Lectura>
auto LeerSinCambios(Lectura&& lectura) {
  constexpr int kLecturas = 3;
  for (int vez = 1;; ++vez) {
    OlvidarCambio();
    auto resultado = lectura();
    if (!HuboCambio()) return resultado;
    if (vez == kLecturas) {
      OlvidarCambio();
      throw ErrorEntradaSalida(kListaCambiante, MensajeError(kListaCambiante));
    }
  }
}
