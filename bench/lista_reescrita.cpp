// SPDX-License-Identifier: GPL-3.0-or-later
// Searches while another thread rewrites the list in place, over and over, as a tosser or
// `unzip -o` does: counts the answers that neither the old nor the new list gives.
// Usage: buscarpunto-bench-lista-reescrita [SEARCHES] [truncar]
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "lookup/entries/busqueda.h"
#include "tests/comun/carpeta_temporal.h"

namespace {

// The old list has 2:5020/182 under Host 5020; the new one, of the same size, moves that host to
// 5021. A reader that took the old Host line and the new entry answers "NEW": a mixed answer.
std::string Lista(const char* red, const char* bbs) {
  std::string texto = "Zone,2,Europe,Brussels,Coord,32-1,9600\r\nHost," + std::string(red) +
                      ",Moscow_Net,Moscow,X,7-095,9600\r\n";
  for (int i = 0; i < 20000; ++i)
    texto += ",100,Station,Moscow,Sysop,7-095,9600\r\n";
  return texto + ",182," + bbs + ",City,Sysop,7-095,9600\r\n";
}

// Cut to nothing first, as unzip -o does, or written over in place, keeping the size.
void Escribir(const std::string& ruta, const std::string& bytes, bool truncar) {
  const int fd = ::open(ruta.c_str(), O_WRONLY | O_CLOEXEC | (truncar ? O_TRUNC : 0));
  if (fd < 0) return;
  // In 64 KiB writes, as unpackers write.
  for (std::size_t hecho = 0; hecho < bytes.size(); hecho += 65536)
    if (::write(fd, bytes.data() + hecho, std::min<std::size_t>(65536, bytes.size() - hecho)) < 0)
      break;
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const int busquedas = argc > 1 ? std::atoi(argv[1]) : 3000;
  const bool truncar = argc > 2 && std::string(argv[2]) == "truncar";
  const CarpetaTemporal carpeta;
  const std::string vieja = Lista("5020", "OLD"), nueva = Lista("5021", "NEW");
  const std::string nodos = carpeta.Escribir("NODELIST.345", vieja);
  const std::string puntos = carpeta.Escribir("POINTS.345", "Boss,2:5020/182\r\n,1,P,C,N,1\r\n");
  std::atomic<bool> seguir{true};
  std::atomic<long> reescrituras{0};
  std::thread escritor([&] {
    for (bool nuevaVez = true; seguir; nuevaVez = !nuevaVez, ++reescrituras)
      Escribir(nodos, nuevaVez ? nueva : vieja, truncar);
  });
  int viejas = 0, ausentes = 0, mezcladas = 0, cambiantes = 0, faltas = 0;
  for (int i = 0; i < busquedas; ++i) {
    try {
      const ResultadoBusqueda r = EjecutarBusqueda(nodos, puntos, "2:5020/182", [](auto&) {});
      // A list cut to nothing a moment is a missing list.
      if (!r.ejecutada)
        ++faltas;
      else if (r.nodo.bbs == "OLD")
        ++viejas;
      else if (r.nodo.bbs == "?")
        ++ausentes;
      else
        ++mezcladas;
    } catch (const ErrorEntradaSalida& error) {
      if (error.codigo() != kListaCambiante) throw;
      ++cambiantes;
    }
  }
  seguir = false;
  escritor.join();
  std::printf(
      "%d searches, %ld rewrites: %d old, %d new (not found), %d mixed, %d changed 3 times\n",
      busquedas, reescrituras.load(), viejas, ausentes, mezcladas, cambiantes);
  return mezcladas == 0 ? 0 : 1;
}
