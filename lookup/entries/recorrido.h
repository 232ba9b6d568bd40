// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class LectorLista;

// Every field of a node entry. Texts are bytes with "_" turned into a blank, as the lookup gives
// them; the flags are kept as written.
struct EntradaNodo {
  std::string estado = "?";  // the keyword: "", "Zone", "Region", "Host", "Hub", "Pvt"...
  std::string bbs = "?";
  std::string ciudad = "?";
  std::string sysop = "?";
  std::string telefono = "?";
  std::string velocidad = "?";
  std::vector<std::string> flags;

  bool operator==(const EntradaNodo&) const = default;
};

// Every field of a point entry, read as the point lookup reads them.
struct EntradaPunto {
  std::string estado = "?";  // "", "Point", "Pvt", "Hold" or "Down"
  std::string nombre = "?";
  std::string nick = "?";
  std::string ciudad = "?";
  std::string telefono = "?";
  std::string velocidad = "?";
  std::vector<std::string> flags;

  bool operator==(const EntradaPunto&) const = default;
};

// A node entry line whose fields (system name onwards) start at `inicioCampos`.
[[nodiscard]] EntradaNodo LeerEntradaNodo(std::string_view linea, std::size_t inicioCampos);

[[nodiscard]] EntradaPunto LeerEntradaPunto(std::string_view linea);

// Where a nodelist entry stands: the texts of its zone, net and node as the list writes them.
struct PosicionNodo {
  std::string_view zona;  // empty while the list has shown no Zone line
  std::string_view red;
  std::string_view nodo;  // "0" for a Zone, Region or Host line
  std::size_t inicioCampos = 0;
};

// "zona:red/nodo", or "red/nodo" without a zone.
[[nodiscard]] std::string DireccionNodo(const PosicionNodo& posicion);

using VisitaNodo = std::function<void(const PosicionNodo& posicion, std::string_view linea)>;

// Calls `visita` for every entry of an open nodelist reader that the node lookup can find, with
// the address it finds it at, in list order: the Zone, Region and Host lines and the entries of
// their nets. I/O failures are raised as ErrorEntradaSalida.
void RecorrerNodelist(LectorLista& lector, const VisitaNodo& visita);

struct PosicionPunto {
  std::string_view nodo;  // zona:red/nodo as its "Boss," line writes it
  std::int32_t punto = 0;
};

// "zona:red/nodo.punto".
[[nodiscard]] std::string DireccionPunto(const PosicionPunto& posicion);

using VisitaPunto = std::function<void(const PosicionPunto& posicion, std::string_view linea)>;

// Calls `visita` for every point entry of the "Boss," sections of an open pointlist reader
// (keyword empty, "Point", "Pvt", "Hold" or "Down", a point number above 0), in list order.
void RecorrerPointlist(LectorLista& lector, const VisitaPunto& visita);
