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

// The line of zone:net/node in an open nodelist reader, left in `linea`, and where its fields
// (system name onwards) start in it; nothing when the node is not listed.
[[nodiscard]] std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector,
                                                         std::string_view parteNodo,
                                                         std::string& linea);

// The three fields of a node entry line whose fields (system name onwards) start at `pos`.
[[nodiscard]] DatosNodo LeerDatosNodo(std::string_view linea, std::size_t pos);

// Finds zone:net/node in an open nodelist reader.
[[nodiscard]] DatosNodo BuscarNodo(LectorLista& lector, std::string_view parteNodo);
