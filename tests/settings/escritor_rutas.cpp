// SPDX-License-Identifier: GPL-3.0-or-later
// Stores both paths over and over, as a configuration window of another copy of the program does
// each time it is accepted. Usage: escritor_rutas MARK ROUNDS
#include <cstdlib>
#include <exception>
#include <iostream>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/settings/valores_escritor.h"

int main(int argc, char** argv) {
  if (argc != 3 || argv[1][0] == '\0') {
    std::cerr << "usage: escritor_rutas MARK ROUNDS\n";
    return 2;
  }
  try {
    const QChar marca = QChar::fromLatin1(argv[1][0]);
    const int vueltas = std::atoi(argv[2]);
    for (int vuelta = 0; vuelta < vueltas; ++vuelta) {
      AlmacenConfig almacen;
      GuardarRutas(almacen, ValorEscrito(marca, u'N', vuelta), ValorEscrito(marca, u'P', vuelta));
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
