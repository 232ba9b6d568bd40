// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/entries/internet.h"
#include "lookup/entries/recorrido.h"

struct ResultadoCompleto;

// A node entry as it is shown: every text decoded (DecodificarTexto), its endpoints from its
// flags. `encontrado` is false for an entry the list does not hold (every field "?").
struct NodoVisible {
  std::string bbs, sysop, ciudad, estado, telefono, velocidad;
  std::vector<std::string> flags;
  std::vector<ExtremoInternet> internet;
  bool encontrado = false;
};

struct PuntoVisible {
  std::string nombre, nick, ciudad, telefono, estado, velocidad;
  std::vector<std::string> flags;
  bool encontrado = false;
};

[[nodiscard]] NodoVisible Visible(const EntradaNodo& entrada);
[[nodiscard]] PuntoVisible Visible(const EntradaPunto& entrada);

// "binkp host:24554"; an IPv6 host in brackets, so the port stays apart.
[[nodiscard]] std::string TextoExtremo(const ExtremoInternet& extremo);

// Every field of the node and of the point that a search of `direccion` found, the endpoints one
// a line, and the files it read with the date of each one's first line, as UTF-8 lines in
// Spanish. A search that did not run gives one line saying there is nothing to show.
[[nodiscard]] std::string TextoEntradaCompleta(std::string_view direccion,
                                               const ResultadoCompleto& resultado);
