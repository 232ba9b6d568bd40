// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a typed address: both splits end and keep every character in its place.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/apoyo.h"
#include "fuzz/modelo.h"
#include "lookup/entries/direccion.h"

namespace {

bool Iguales(const PartesNodo& a, const PartesNodo& b) {
  return a.zona == b.zona && a.red == b.red && a.nodo == b.nodo;
}

void ExigirPartesNodo(std::string_view parteNodo) {
  const PartesNodo partes = PartirNodo(parteNodo);
  EXIGIR(Iguales(partes, modelo::PartirNodo(parteNodo)));
  const auto dosPuntos = parteNodo.find(':');
  if (dosPuntos == std::string_view::npos) {
    EXIGIR(partes.zona.empty() && partes.red.empty() && partes.nodo.empty());
    return;
  }
  // Zone, net and node put back together with their separators give the text again.
  EXIGIR(partes.zona.find(':') == std::string::npos);
  EXIGIR(partes.red.find('/') == std::string::npos);
  const bool hayBarra = parteNodo.find('/', dosPuntos) != std::string_view::npos;
  EXIGIR(hayBarra || partes.nodo.empty());
  const std::string junto =
      partes.zona + ":" + partes.red + (hayBarra ? "/" + partes.nodo : std::string());
  EXIGIR(junto == parteNodo);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const auto direccion = Bytes(datos, tam);
  const PartesDireccion partes = SepararDireccion(direccion);
  const PartesDireccion esperadas = modelo::SepararDireccion(direccion);
  EXIGIR(partes.parteNodo == esperadas.parteNodo && partes.partePunto == esperadas.partePunto);

  EXIGIR(partes.parteNodo.find('.') == std::string::npos);
  if (direccion.find('.') == std::string_view::npos) {
    EXIGIR(partes.parteNodo == (direccion.empty() ? " " : direccion));
    EXIGIR(partes.partePunto == "0");
  } else {
    EXIGIR(partes.parteNodo + "." + partes.partePunto == direccion);
  }

  ExigirPartesNodo(partes.parteNodo);
  ExigirPartesNodo(direccion);
  return 0;
}
