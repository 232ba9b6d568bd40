// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string_view>

#include "lookup/entries/busqueda.h"

struct ResultadoBusqueda;

enum class Formato { kTexto, kJson };

// Writes the results of the searches that ran, one block (or JSON line) per address. Every list
// text is decoded for display here and nowhere else.
class Salida final {
 public:
  Salida(std::ostream& destino, Formato formato) : destino_(destino), formato_(formato) {}
  Salida(const Salida&) = delete;
  Salida& operator=(const Salida&) = delete;

  void Escribir(std::string_view direccion, const ResultadoBusqueda& resultado);

 private:
  std::ostream& destino_;
  Formato formato_;
  bool hayBloques_ = false;
};

// Writes the line of each refused diff to `destino` once, however many searches of the run meet
// it: several addresses read the same lists.
[[nodiscard]] Avisar AvisarUnaVez(std::ostream& destino);
