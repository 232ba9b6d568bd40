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
  std::vector<std::string> direcciones;
};

struct RutasListas {
  std::string nodelist;
  std::string pointlist;
};

// Declares every option, the help text and the positional addresses; parsing fills `opciones`,
// which must outlive `app`'s parse.
void DeclararOpciones(CLI::App& app, Opciones& opciones);

// The two list paths a search uses. Both options are required for now; a path not given will
// later come from the user's settings. Raises CLI::RequiredError when a path is missing.
[[nodiscard]] RutasListas ResolverRutas(const Opciones& opciones);
