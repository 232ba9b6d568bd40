// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/aplicacion.h"

namespace {

bool Definida(const char* variable) {
  const char* valor = std::getenv(variable);
  return valor != nullptr && *valor != '\0';
}

// Qt would abort with a message of its own when no window system can be reached.
bool HayPantalla() {
  return Definida("QT_QPA_PLATFORM") || Definida("DISPLAY") || Definida("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!HayPantalla()) {
    std::fprintf(
        stderr,
        "%s: no display to open (neither DISPLAY nor WAYLAND_DISPLAY is set); run it under "
        "Xvfb (xvfb-run %s) or use buscarpunto-cli\n",
        argv[0], argv[0]);
    return EXIT_FAILURE;
  }

  Aplicacion aplicacion(argc, argv);
  try {
    aplicacion.CrearVentana();
  } catch (const std::exception& fallo) {
    // The main window could not be made: no event guard exists yet, and there is nothing to run.
    ReportarUltimoRecurso(fallo);
    return EXIT_FAILURE;
  }
  aplicacion.Ejecutar();
  return EXIT_SUCCESS;
}
