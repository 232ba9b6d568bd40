// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <memory>
#include <string>
#include <vector>

class LectorLista;

// A diff that was not applied: which one (bytes, the reader's name for it) and why (the
// program's own words).
struct AvisoDiff {
  std::string diff;
  std::string motivo;

  bool operator==(const AvisoDiff&) const = default;
  auto operator<=>(const AvisoDiff&) const = default;
};

// The list a search reads: a file, or the list its diffs brought forward, kept in memory.
struct ListaElegida {
  std::string ruta;  // the file to read when there is no text
  // The checked list the diffs made, and what was read for it: "list+diff+diff", each part the
  // reader's name for it ("archive:member" inside an archive). Empty when no diff was applied.
  std::shared_ptr<const std::string> texto;
  std::string nombre;
  // Each diff that was refused.
  std::vector<AvisoDiff> avisos;
};

// The list `ruta` (the full list ListaVigente chose) brought forward by the `diffs` that chain
// from it: from the list, as long as a diff's first line is the current list's first line, that
// diff is applied and its result's CRC checked. The first diff that fails stops the chain (the
// list before it is the one read) and gives an aviso; diffs for other lists are left alone.
// ARC and ARJ diffs are never read. The result is kept for the next call with the same files
// (names, sizes, modification times), whose text is checked again before it is given; a chain
// built while some file could not be read is not kept. Safe to
// call from several threads at once. Failures reading the full list itself are raised as
// ErrorEntradaSalida, as a search of it would raise them.
[[nodiscard]] ListaElegida AplicarDiffs(const std::string& ruta,
                                        const std::vector<std::string>& diffs);

// Binds `lector` to what `lista` says is read.
void AsignarLista(LectorLista& lector, const ListaElegida& lista);
