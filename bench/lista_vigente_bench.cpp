// SPDX-License-Identifier: GPL-3.0-or-later
// What choosing the newest list costs: a folder of two years of weekly nodelists (104 lists of
// about 100 KB and 104 diffs) beside the generated 6 MB lists, searched by their base names
// against the same search by the newest files' own paths.

#include <array>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <filesystem>
#include <iterator>

#include "bench/empaquetar.h"
#include "bench/listas_generadas.h"
#include "bench/medidas.h"
#include "lookup/entries/busqueda.h"
#include "lookup/lists/lista_vigente.h"

namespace {

constexpr int kCorridas = 31;
constexpr double kMetaMs = 5.0;
constexpr double kMetaPorcentaje = 10.0;

std::string Fecha(const std::tm& dia) {
  static constexpr std::array<const char*, 12> kMeses{
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  char texto[96];
  std::snprintf(texto, sizeof texto, "Friday, %s %d, %d -- Day number %03d : 12345",
                kMeses[static_cast<std::size_t>(dia.tm_mon)], dia.tm_mday, dia.tm_year + 1900,
                dia.tm_yday + 1);
  return texto;
}

void EscribirSemana(const std::string& ruta, const std::string& cabecera, std::size_t tamano) {
  std::ofstream salida(ruta, std::ios::binary);
  salida << cabecera << "\r\n";
  std::size_t escritos = cabecera.size() + 2;
  for (int n = 1; escritos < tamano; ++n) {
    const std::string linea = "," + std::to_string(n) + ",Some_BBS,Somewhere,Some_Sysop," +
                              "1-555-555-0000,9600,CM,XA,V34\r\n";
    salida << linea;
    escritos += linea.size();
  }
  if (!salida) throw std::runtime_error("cannot write " + ruta);
}

// The 104 Fridays before 2 January 2009 (the generated list's date), each with its list and diff;
// with `zipUltimoAnio` the last 52 lists are kept as ZIPs, as many users keep them.
void EscribirDosAnios(const CarpetaTemporal& carpeta, bool zipUltimoAnio = false) {
  std::tm viernes{};
  viernes.tm_year = 2009 - 1900;
  viernes.tm_mday = 2;
  viernes.tm_hour = 12;
  for (int semana = 0; semana < 104; ++semana) {
    viernes.tm_mday -= 7;
    std::mktime(&viernes);
    char sufijo[16];
    std::snprintf(sufijo, sizeof sufijo, "%03d", viernes.tm_yday + 1);
    EscribirSemana(carpeta.Ruta(std::string("NODELIST.") + sufijo),
                   ";A FidoNet Nodelist for " + Fecha(viernes), 100 * 1024);
    if (zipUltimoAnio && semana < 52) Empaquetar(carpeta.Ruta(std::string("NODELIST.") + sufijo));
    EscribirSemana(carpeta.Ruta(std::string("NODEDIFF.") + sufijo),
                   ";A FidoNet Nodelist for " + Fecha(viernes), 40 * 1024);
  }
}

double MedianaMs(const std::function<void()>& trabajo) {
  trabajo();
  std::vector<double> tiempos;
  for (int i = 0; i < kCorridas; ++i) {
    const auto t0 = Reloj::now();
    trabajo();
    tiempos.push_back(Ms(Reloj::now() - t0));
  }
  return Mediana(tiempos);
}

int Ejecutar() {
  const ListasGeneradas listas(6 * 1024 * 1024);
  EscribirDosAnios(listas.carpeta);
  const std::string base = listas.carpeta.Ruta("NODELIST");
  const std::string basePuntos = listas.carpeta.Ruta("POINTS");
  if (ListaVigente(base) != listas.rutaNodos || ListaVigente(basePuntos) != listas.rutaPuntos)
    throw std::runtime_error("the newest list was not chosen");

  const Informar informar = [](const std::string& mensaje) {
    throw std::runtime_error("unexpected message: " + mensaje);
  };
  const auto buscar = [&](const std::string& nodos, const std::string& puntos) {
    const auto r = EjecutarBusqueda(nodos, puntos, listas.punto.direccion, informar);
    if (r.nodo.bbs != ConBlancos(listas.nodo.nombre) ||
        r.punto.nick != ConBlancos(listas.punto.nombre))
      throw std::runtime_error("wrong search result");
  };

  const double elegir = MedianaMs([&] { (void)ListaVigente(base); });
  const CarpetaTemporal empaquetadas;
  EscribirDosAnios(empaquetadas, true);
  const std::string baseZip = empaquetadas.Ruta("NODELIST");
  if (!ListaVigente(baseZip).ends_with("NODELIST.Z61"))  // 26 December 2008
    throw std::runtime_error("the newest ZIP was not chosen");
  const double elegirZip = MedianaMs([&] { (void)ListaVigente(baseZip); });
  // Interleaved, so both sides see the same load on the machine.
  std::vector<double> tiemposRuta;
  std::vector<double> tiemposBase;
  buscar(listas.rutaNodos, listas.rutaPuntos);
  for (int i = 0; i < kCorridas; ++i) {
    const auto t0 = Reloj::now();
    buscar(listas.rutaNodos, listas.rutaPuntos);
    const auto t1 = Reloj::now();
    buscar(base, basePuntos);
    tiemposRuta.push_back(Ms(t1 - t0));
    tiemposBase.push_back(Ms(Reloj::now() - t1));
  }
  const double porRuta = Mediana(tiemposRuta);
  const double porBase = Mediana(tiemposBase);
  const double extra = porBase - porRuta;
  const double porcentaje = 100.0 * extra / porRuta;

  std::printf("buscarpunto-bench-lista-vigente: median of %d runs, warm page cache\n", kCorridas);
  std::printf("folder: 104 weekly nodelists of 100 KB and 104 diffs, plus the 6 MB lists\n\n");
  std::printf("choose the newest of 104 lists (ListaVigente) %8.2f ms\n", elegir);
  std::printf("the same with the last 52 lists as ZIPs        %8.2f ms\n", elegirZip);
  std::printf("6 MB search by the files' paths               %8.2f ms\n", porRuta);
  std::printf("6 MB search by base names                     %8.2f ms\n", porBase);
  std::printf("added by choosing                             %8.2f ms (%.1f%%)\n\n", extra,
              porcentaje);
  const bool meta = elegir <= kMetaMs && porcentaje <= kMetaPorcentaje;
  std::printf("goal choice <= %.0f ms and <= %.0f%% of the search: %s\n", kMetaMs, kMetaPorcentaje,
              meta ? "met" : "NOT met");
  return 0;
}

}  // namespace

int main() {
  try {
    return Ejecutar();
  } catch (const std::exception& fallo) {
    std::fprintf(stderr, "buscarpunto-bench-lista-vigente: %s\n", fallo.what());
    return 1;
  }
}
