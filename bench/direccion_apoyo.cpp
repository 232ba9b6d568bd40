// SPDX-License-Identifier: GPL-3.0-or-later
// The two halves bench/direccion.sh needs besides the CLI. "generar DIR BYTES" writes a nodelist
// and a pointlist of about BYTES each to DIR (the node and the point a search looks for stand
// last) and prints the last point's address. "leer FILE..." reads each file to its end in the
// 128-byte requests the list reader makes, and nothing else: the floor of an address search.

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/listas_generadas.h"

namespace {

void Leer(const char* ruta) {
  Descriptor fd(::open(ruta, O_RDONLY | O_CLOEXEC));
  if (fd.Valor() < 0) FalloDelSistema(std::string("open ") + ruta);
  std::array<unsigned char, 128> bufer{};
  for (;;) {
    const ssize_t n = ::read(fd.Valor(), bufer.data(), bufer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) FalloDelSistema(std::string("read ") + ruta);
    if (n == 0) break;
  }
  fd.Cerrar();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view orden = argc > 1 ? argv[1] : "";
  if (orden == "leer") {
    for (int i = 2; i < argc; ++i)
      Leer(argv[i]);
    return 0;
  }
  if (orden == "generar" && argc == 4) {
    const std::string carpeta = argv[2];
    const auto tamano = std::strtoull(argv[3], nullptr, 10);
    std::uint64_t escritos = 0;
    const Objetivo nodo = GenerarNodelist(carpeta + "/nodelist", tamano, escritos);
    const Objetivo punto =
        GenerarPointlist(carpeta + "/pointlist", tamano, nodo.direccion, escritos);
    std::printf("%s\n", punto.direccion.c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: %s generar DIR BYTES | leer FILE...\n", argv[0]);
  return 64;
}
