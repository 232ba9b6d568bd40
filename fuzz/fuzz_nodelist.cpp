// SPDX-License-Identifier: GPL-3.0-or-later
// A typed address and any nodelist bytes: the node search ends, raises nothing on a readable
// file, leaves no descriptor behind, and answers what the plain model of its rules answers.

#include <cstddef>
#include <cstdint>

#include "fuzz/apoyo.h"
#include "fuzz/busqueda_fuzz.h"
#include "fuzz/modelo.h"
#include "lookup/entries/direccion.h"
#include "lookup/entries/nodelist.h"
#include "lookup/lists/archivo.h"
#include "lookup/lists/lector_lista.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const auto [direccion, lista] = PartirEntrada(Bytes(datos, tam));
  // Bytes that begin like an archive are read through it: fuzz_archivo's inputs, not these.
  if (EmpaqueDe(lista.substr(0, LectorLista::kTamBufer)) != Empaque::kNinguno) return 0;
  Temporal().Escribir(lista);
  const std::string parteNodo = SepararDireccion(direccion).parteNodo;
  DatosNodo hallado;
  ConLectorTemporal([&](LectorLista& lector) { hallado = BuscarNodo(lector, parteNodo); });
  EXIGIR(hallado == modelo::BuscarNodo(ComoLasGuarda(lista), parteNodo));
  return 0;
}
