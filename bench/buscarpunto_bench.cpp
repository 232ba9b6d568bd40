// SPDX-License-Identifier: GPL-3.0-or-later
// Times one whole search (EjecutarBusqueda) for the node and the point that stand last in a
// generated nodelist and pointlist, against the floor: reading both files to the end in the
// reader's own 128-byte requests. Also shows that peak memory does not grow with the files.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/listas_generadas.h"
#include "bench/medidas.h"
#include "lookup/entries/busqueda.h"

namespace {

constexpr int kCorridas = 15;
constexpr double kMeta = 1.3;
constexpr std::size_t kTamPeticion = 128;  // what LectorLista asks read() for

std::uint64_t LeerHastaElFinal(const std::string& ruta) {
  Descriptor fd(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Valor() < 0) FalloDelSistema("open " + ruta);
  std::array<unsigned char, kTamPeticion> bufer{};
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = ::read(fd.Valor(), bufer.data(), bufer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      FalloDelSistema("read " + ruta);
    }
    if (n == 0) break;
    total += static_cast<std::uint64_t>(n);
  }
  fd.Cerrar();
  return total;
}

long PicoRssKb() {
  rusage uso{};
  if (::getrusage(RUSAGE_SELF, &uso) != 0) FalloDelSistema("getrusage");
  return uso.ru_maxrss;
}

void Comprobar(bool bien, const std::string& que) {
  if (!bien) throw std::runtime_error("wrong search result: " + que);
}

struct Medida {
  const char* nombre;
  std::uint64_t bytesNodos = 0;
  std::uint64_t bytesPuntos = 0;
  double busquedaMs = 0;
  double sueloMs = 0;
  long rssAntesKb = 0;
  long rssDespuesKb = 0;
  std::string direccion;
  std::string nodoHallado;
  std::string puntoHallado;
};

Medida Medir(const char* nombre, std::uint64_t tamano) {
  const ListasGeneradas listas(tamano);
  const std::string& rutaNodos = listas.rutaNodos;
  const std::string& rutaPuntos = listas.rutaPuntos;
  const Objetivo& nodo = listas.nodo;
  const Objetivo& punto = listas.punto;
  Medida medida;
  medida.nombre = nombre;
  medida.bytesNodos = listas.bytesNodos;
  medida.bytesPuntos = listas.bytesPuntos;
  medida.direccion = punto.direccion;

  const Informar informar = [](const std::string& mensaje) {
    throw std::runtime_error("unexpected message: " + mensaje);
  };
  const auto buscar = [&] {
    const ResultadoBusqueda r = EjecutarBusqueda(rutaNodos, rutaPuntos, punto.direccion, informar);
    Comprobar(r.ejecutada, "search did not run");
    Comprobar(r.nodo.bbs == ConBlancos(nodo.nombre) && r.nodo.ciudad == ConBlancos(nodo.ciudad) &&
                  r.nodo.sysop == ConBlancos(nodo.persona),
              punto.direccion + ": node gave \"" + r.nodo.bbs + "\" / \"" + r.nodo.ciudad +
                  "\" / \"" + r.nodo.sysop + "\"");
    Comprobar(r.punto.nick == ConBlancos(punto.nombre) &&
                  r.punto.ciudad == ConBlancos(punto.ciudad) &&
                  r.punto.nombre == ConBlancos(punto.persona) &&
                  r.punto.telefono == ConBlancos(punto.telefono),
              punto.direccion + ": point gave \"" + r.punto.nick + "\" / \"" + r.punto.ciudad +
                  "\" / \"" + r.punto.nombre + "\" / \"" + r.punto.telefono + "\"");
    return r;
  };
  const auto suelo = [&] {
    const std::uint64_t leidos = LeerHastaElFinal(rutaNodos) + LeerHastaElFinal(rutaPuntos);
    Comprobar(leidos == medida.bytesNodos + medida.bytesPuntos, "floor read a short file");
  };

  // Warm the page cache, so both sides read from memory.
  suelo();
  const ResultadoBusqueda hallado = buscar();
  medida.nodoHallado = hallado.nodo.bbs + " / " + hallado.nodo.ciudad + " / " + hallado.nodo.sysop;
  medida.puntoHallado = hallado.punto.nick + " / " + hallado.punto.ciudad + " / " +
                        hallado.punto.nombre + " / " + hallado.punto.telefono;

  std::vector<double> tiemposBusqueda;
  std::vector<double> tiemposSuelo;
  medida.rssAntesKb = PicoRssKb();
  for (int i = 0; i < kCorridas; ++i) {
    const auto t0 = Reloj::now();
    suelo();
    const auto t1 = Reloj::now();
    (void)buscar();
    const auto t2 = Reloj::now();
    tiemposSuelo.push_back(Ms(t1 - t0));
    tiemposBusqueda.push_back(Ms(t2 - t1));
  }
  medida.rssDespuesKb = PicoRssKb();
  medida.busquedaMs = Mediana(tiemposBusqueda);
  medida.sueloMs = Mediana(tiemposSuelo);
  return medida;
}

double Mb(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

int Ejecutar() {
  // Small lists first: ru_maxrss only ever grows, so a rise with the big lists would show.
  const std::array<Medida, 2> medidas{Medir("1.5 MB", 3 * 512 * 1024),
                                      Medir("6 MB", 6 * 1024 * 1024)};

  std::printf("buscarpunto-bench: median of %d runs, warm page cache\n", kCorridas);
  std::printf("search = one EjecutarBusqueda of the node and the point that stand last\n");
  std::printf("floor  = open, read(fd, buf, %zu) to the end, close; both files\n\n", kTamPeticion);
  std::printf("%-7s %9s %10s %11s %10s %7s %14s %14s\n", "lists", "nodelist", "pointlist",
              "search ms", "floor ms", "ratio", "RSS peak pre", "RSS peak post");
  bool meta = true;
  for (const Medida& m : medidas) {
    const double razon = m.busquedaMs / m.sueloMs;
    meta = meta && razon <= kMeta;
    std::printf("%-7s %6.2f MB %7.2f MB %11.2f %10.2f %6.2fx %11.1f MB %11.1f MB\n", m.nombre,
                Mb(m.bytesNodos), Mb(m.bytesPuntos), m.busquedaMs, m.sueloMs, razon,
                static_cast<double>(m.rssAntesKb) / 1024.0,
                static_cast<double>(m.rssDespuesKb) / 1024.0);
  }
  std::printf("\n");
  for (const Medida& m : medidas) {
    std::printf("%-7s %s\n", m.nombre, m.direccion.c_str());
    std::printf("        node  %s\n", m.nodoHallado.c_str());
    std::printf("        point %s\n", m.puntoHallado.c_str());
  }
  std::printf("\ngoal search/floor <= %.2fx: %s\n", kMeta, meta ? "met" : "NOT met");
  return 0;
}

}  // namespace

int main() {
  try {
    return Ejecutar();
  } catch (const std::exception& fallo) {
    std::fprintf(stderr, "buscarpunto-bench: %s\n", fallo.what());
    return 1;
  }
}
