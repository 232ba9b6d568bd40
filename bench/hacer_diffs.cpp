// SPDX-License-Identifier: GPL-3.0-or-later
// Makes a chain of weekly diffs for the diff benchmark (bench/nodediff.sh): from a list, N weeks
// in which every 50th node gets one more flag, each week's diff (its first line the week
// before's, its new first line with the CRC of the new list), and the last week's whole list.
// Usage: buscarpunto-bench-hacer-diffs LIST FOLDER N
// Writes FOLDER/NODEDIFF.<day> for each week (days 010, 017, ...) and FOLDER/NODELIST.<last day>.

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "lookup/lists/crc16.h"
#include "lookup/lists/lector_lista.h"

namespace {

std::vector<std::string> Leer(const std::string& ruta) {
  LectorLista lector(64 * 1024);
  lector.Asignar(ruta);
  lector.Abrir();
  ComprobarES();
  std::vector<std::string> lineas;
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return lineas;
    lineas.push_back(lector.LeerLinea());
  }
}

void Escribir(const std::string& ruta, const std::vector<std::string>& lineas) {
  std::ofstream salida(ruta, std::ios::binary);
  for (const std::string& linea : lineas)
    salida << linea << "\r\n";
  if (!salida) throw std::runtime_error("cannot write " + ruta);
}

std::string Dia(int dia) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%03d", dia);
  return texto;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: buscarpunto-bench-hacer-diffs LIST FOLDER N\n");
    return 64;
  }
  try {
    std::vector<std::string> lista = Leer(argv[1]);
    const std::string carpeta = argv[2];
    const int semanas = std::stoi(argv[3]);
    // Week days stay in one year.
    if (semanas < 1 || semanas > 50) throw std::runtime_error("N must be 1 to 50");
    for (int semana = 1; semana <= semanas; ++semana) {
      const int dia = 3 + 7 * semana;
      std::vector<std::string> nueva = lista;
      std::vector<std::string> diff{lista[0], "D1", "A1", ""};
      std::size_t copiadas = 0;  // old lines since the last change, still to copy
      int nodos = 0;
      for (std::size_t i = 1; i < lista.size(); ++i) {
        if (lista[i].starts_with(",") && ++nodos % 50 == semana % 50) {
          nueva[i] += ",W" + std::to_string(semana);
          if (copiadas > 0) diff.push_back("C" + std::to_string(copiadas));
          diff.insert(diff.end(), {"D1", "A1", nueva[i]});
          copiadas = 0;
          continue;
        }
        // Commands count at most 32767 lines.
        if (++copiadas == 32767) {
          diff.push_back("C32767");
          copiadas = 0;
        }
      }
      if (copiadas > 0) diff.push_back("C" + std::to_string(copiadas));
      std::string resto;
      for (std::size_t i = 1; i < nueva.size(); ++i)
        (resto += nueva[i]) += "\r\n";
      char crc[16];
      std::snprintf(crc, sizeof crc, "%05u", static_cast<unsigned>(Crc16Xmodem(resto)));
      nueva[0] = ";A Nodelist made for the diff benchmark, week " + std::to_string(semana) +
                 " -- Day number " + Dia(dia) + " : " + crc;
      diff[3] = nueva[0];
      Escribir(carpeta + "/NODEDIFF." + Dia(dia), diff);
      lista = std::move(nueva);
      if (semana == semanas) Escribir(carpeta + "/NODELIST." + Dia(dia), lista);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "buscarpunto-bench-hacer-diffs: %s\n", error.what());
    return 1;
  }
  return 0;
}
