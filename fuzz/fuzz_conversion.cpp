// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a point number: the engine's conversion must give the model's value and verdict.

#include <cstddef>
#include <cstdint>

#include "fuzz/apoyo.h"
#include "fuzz/modelo.h"
#include "lookup/entries/pointlist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const auto texto = Bytes(datos, tam);
  const Conversion real = ConvertirNumero(texto);
  const Conversion esperada = modelo::ConvertirNumero(texto);
  EXIGIR(real.valor == esperada.valor);
  EXIGIR(real.correcta == esperada.correcta);
  return 0;
}
