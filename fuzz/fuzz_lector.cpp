// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, written to a real file and read through LectorLista to the end, must give the
// lines of the plain model: line ends, the 0x1A end marker and the 128-byte reads included.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/apoyo.h"
#include "fuzz/modelo.h"
#include "lookup/lists/archivo.h"
#include "lookup/lists/lector_lista.h"

namespace {

bool FinComprobado(LectorLista& lector) {
  const bool fin = lector.FinDeArchivo();
  ComprobarES();
  return fin;
}

// Once at the end, the reader stays there: every end test says so and every read is empty.
void ExigirQuietoAlFinal(LectorLista& lector) {
  for (int i = 0; i < 2; ++i) {
    EXIGIR(FinComprobado(lector));
    EXIGIR(lector.LeerLinea().empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const auto bytes = Bytes(datos, tam);
  const std::vector<std::string> esperadas = modelo::Lineas(bytes);
  // Bytes that begin like an archive are read through it: fuzz_archivo's inputs, not these.
  if (EmpaqueDe(bytes.substr(0, LectorLista::kTamBufer)) != Empaque::kNinguno) return 0;
  Temporal().Escribir(bytes);
  EXIGIR(ExisteArchivo(Temporal().Ruta()));
  ConLectorTemporal([&](LectorLista& lector) {
    // The way the lookups read: an end test before every line.
    std::vector<std::string> leidas;
    while (!FinComprobado(lector)) {
      EXIGIR(leidas.size() < esperadas.size());
      leidas.push_back(lector.LeerLinea());
    }
    EXIGIR(leidas == esperadas);
    ExigirQuietoAlFinal(lector);

    // Opened again it starts over; reads without end tests take the lines just the same, and a
    // read with a length cap keeps the start of its line and still moves past all of it.
    lector.Abrir();
    ComprobarES();
    const std::size_t limite = tam % 300;
    std::string linea;
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
      if (i % 2 == 0) {
        lector.LeerLinea(linea);
        EXIGIR(linea == esperadas[i]);
      } else {
        lector.LeerLinea(linea, limite);
        EXIGIR(linea == esperadas[i].substr(0, limite));
      }
    }
    ExigirQuietoAlFinal(lector);
  });
  EXIGIR(resultadoES == 0);
  return 0;
}
