// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

enum CodigoSalida : int {
  kSalidaCorrecta = 0,
  kSalidaFaltaLista = 1,
  kSalidaErrorES = 2,
  kSalidaUsoIncorrecto = 64,  // EX_USAGE of sysexits.h
};

struct Opciones {
  std::optional<std::string> nodelist;
  std::optional<std::string> pointlist;
  bool json = false;
  std::optional<std::string> buscar;  // the name search's text
  bool completo = false;
  std::vector<std::string> direcciones;
};

struct RutasListas {
  std::string nodelist;
  std::string pointlist;
};

// Declares every option, the help text and the positional addresses; parsing fills `opciones`,
// which must outlive `app`'s parse.
void DeclararOpciones(CLI::App& app, Opciones& opciones);

// The two list paths a search uses: each option given, else the path in the user's settings, which
// are only read (NodeList first) and only for a path no option gives. Raises ErrorAlmacen when a
// value needed cannot be read.
[[nodiscard]] RutasListas ResolverRutas(const Opciones& opciones);
