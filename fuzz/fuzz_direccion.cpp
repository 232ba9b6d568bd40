// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a typed address: both splits end and keep every character before "@" in its place.

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
  // A "@domain" is dropped; zone, net and node put back together with their separators give the
  // rest again.
  const std::string_view sinDominio = parteNodo.substr(0, parteNodo.find('@'));
  const bool hayZona = sinDominio.find(':') != std::string_view::npos;
  EXIGIR(hayZona || partes.zona.empty());
  EXIGIR(partes.zona.find(':') == std::string::npos);
  EXIGIR(partes.red.find('/') == std::string::npos);
  const std::string_view resto = hayZona ? sinDominio.substr(sinDominio.find(':') + 1) : sinDominio;
  const bool hayBarra = resto.find('/') != std::string_view::npos;
  EXIGIR(hayBarra || partes.nodo.empty());
  const std::string junto = (hayZona ? partes.zona + ":" : std::string()) + partes.red +
                            (hayBarra ? "/" + partes.nodo : std::string());
  EXIGIR(junto == sinDominio);
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
