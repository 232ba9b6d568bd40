// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/entries/texto.h"

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

// Every field of a point entry: the fields after its keyword and number.
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

// The one reading of a nodelist's entries, in list order, that the address lookup, the name
// search and the whole entry all use. Keywords count in any letter case. A Zone, Region or Host
// line is node 0 of the net of its number and begins that net (a Zone line also the zone); Hub,
// Pvt, Hold, Down and plain lines are the nodes of the net above them. A comment line (";"
// first) is never an entry, nor a line whose number holds no digit or holds ":", "/", "." or
// "@" (no address could name it); such a header ends its net. A UTF-8 byte-order mark is not
// part of the first line. In a list that reads as CP866 so far (PaginaDeLista) every field of a
// line is handed out decoded to UTF-8; in any other, as its bytes.
class RecorridoNodelist final {
 public:
  explicit RecorridoNodelist(LectorLista& lector) noexcept : lector_(lector) {}

  // Moves to the next entry; false past the last one. I/O failures are raised as
  // ErrorEntradaSalida.
  [[nodiscard]] bool Siguiente();
  [[nodiscard]] const PosicionNodo& Posicion() const noexcept { return posicion_; }
  [[nodiscard]] std::string_view Linea() const noexcept { return linea_; }

 private:
  LectorLista& lector_;
  std::string linea_;
  std::string zona_;
  std::string red_;
  bool hayRed_ = false;
  bool primera_ = true;
  PaginaDeLista pagina_;
  PosicionNodo posicion_;
};

using VisitaNodo = std::function<void(const PosicionNodo& posicion, std::string_view linea)>;

// Calls `visita` for every entry RecorridoNodelist gives, in list order.
void RecorrerNodelist(LectorLista& lector, const VisitaNodo& visita);

// Where a point entry stands: its boss's zone, net and node texts and its number.
struct PosicionPunto {
  std::string_view zona;  // empty for a boss written without one
  std::string_view red;
  std::string_view nodo;
  std::int32_t punto = 0;
  std::size_t inicioCampos = 0;
};

// "zona:red/nodo.punto", or "red/nodo.punto" for a boss without a zone.
[[nodiscard]] std::string DireccionPunto(const PosicionPunto& posicion);

// The one reading of a pointlist's entries, in list order. A list whose first line that is not a
// comment or empty is a "Boss" line is in the Boss format: "Boss,[zone:]net/node" begins its
// node's points (the address is the digits, ":" and "/" at its start), and lines with an empty
// keyword, Point, Pvt, Hold or Down are its points. Any other list is in the combined format:
// nodelist lines as RecorridoNodelist reads them, each "Point" line a point of the latest node
// line above it, until a Boss line, which turns the rest of the list to the Boss format. A
// point's number is read by ConvertirNumero and must hold a digit and be above
// 0. Comments, keywords, the byte-order mark and the code page as for the nodelist.
class RecorridoPointlist final {
 public:
  explicit RecorridoPointlist(LectorLista& lector) noexcept : lector_(lector) {}

  [[nodiscard]] bool Siguiente();
  [[nodiscard]] const PosicionPunto& Posicion() const noexcept { return posicion_; }
  [[nodiscard]] std::string_view Linea() const noexcept { return linea_; }

 private:
  enum class Formato { kSinDecidir, kBoss, kCombinado };

  LectorLista& lector_;
  std::string linea_;
  std::string zona_;
  std::string red_;
  std::string nodo_;
  bool hayRed_ = false;
  bool hayJefe_ = false;
  bool primera_ = true;
  Formato formato_ = Formato::kSinDecidir;
  PaginaDeLista pagina_;
  PosicionPunto posicion_;
};

using VisitaPunto = std::function<void(const PosicionPunto& posicion, std::string_view linea)>;

// Calls `visita` for every entry RecorridoPointlist gives, in list order.
void RecorrerPointlist(LectorLista& lector, const VisitaPunto& visita);
