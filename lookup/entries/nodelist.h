// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class LectorLista;

struct DatosNodo {
  std::string bbs = "?";
  std::string sysop = "?";
  std::string ciudad = "?";

  bool operator==(const DatosNodo&) const = default;
};

struct PartesNodo;

// The line of the first entry at the typed address (EnDireccion) that RecorridoNodelist gives,
// left in `linea`, and where its fields (system name onwards) start in it; nothing when no entry
// is there. Reads no further than that entry.
[[nodiscard]] std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector,
                                                         const PartesNodo& buscada,
                                                         std::string& linea);
// The same for a typed [zone:]net/node (PartirNodo).
[[nodiscard]] std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector,
                                                         std::string_view parteNodo,
                                                         std::string& linea);

// The three fields of a node entry line whose fields (system name onwards) start at `pos`.
[[nodiscard]] DatosNodo LeerDatosNodo(std::string_view linea, std::size_t pos);

// Finds zone:net/node in an open nodelist reader.
[[nodiscard]] DatosNodo BuscarNodo(LectorLista& lector, std::string_view parteNodo);
