#pragma once

#include <string>
#include <string_view>

class LectorLista;

struct DatosNodo {
  std::string bbs = "?";
  std::string sysop = "?";
  std::string ciudad = "?";

  bool operator==(const DatosNodo&) const = default;
};

// Finds zone:net/node in an open nodelist reader.
[[nodiscard]] DatosNodo BuscarNodo(LectorLista& lector, std::string_view parteNodo);
