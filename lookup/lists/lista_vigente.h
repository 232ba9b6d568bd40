// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A calendar day, as the first line of a list gives it.
struct FechaLista {
  int anio = 0;
  int mes = 0;
  int dia = 0;

  bool operator==(const FechaLista&) const = default;
};

// The date of a list's first line (";A FidoNet Nodelist for Friday, January 3, 1997 -- ..."):
// an English month name, the day, a comma and a four-digit year. Nothing when the line holds no
// date that exists.
[[nodiscard]] std::optional<FechaLista> FechaDeCabecera(std::string_view linea);

// True when `nombre` is `base` (in any letter case) plus a dot and a weekly suffix: three
// digits ("NODELIST.003") or a letter and two digits (the archives, "NODELIST.Z03").
[[nodiscard]] bool EsListaSemanal(std::string_view base, std::string_view nombre);

// The file a list path names now. An existing regular file is itself. Otherwise the last part
// of the path is a pattern (holding *, ? or [) or a base name, a leading "~/" stands for the home
// folder, and of the regular files it finds the newest list wins: by the date of its first line,
// else by the day of its time stamp, and on the same day by the later file name; an ARC or ARJ
// archive, which is never read, only wins when nothing else is there. Empty when nothing is
// found. Nothing is remembered between calls.
[[nodiscard]] std::string ListaVigente(const std::string& ruta);

// The diffs beside the weekly lists a list path stands for, sorted by path. For a base name
// ending in LIST (any letter case) they are the weekly files of the same name with DIFF in its
// place (NODELIST -> NODEDIFF.nnn, NODEDIFF.Znn...); for a pattern, the files its base part so
// changed takes (NODELIST.* -> NODEDIFF.*). None for a path that names a file, or any other
// name. Nothing is read but the folder.
[[nodiscard]] std::vector<std::string> DiffsVigentes(const std::string& ruta);
