// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a list (up to the first 0x00) and a NODEDIFF (the rest), both read through
// LectorLista: the commands give the new list of the plain model or its refusal, the CRC check
// agrees with the model's, and a refused diff leaves no text and no pending I/O result.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/apoyo.h"
#include "fuzz/modelo.h"
#include "fuzz/modelo_diff.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/nodediff.h"

namespace {

RechazoDiff Rechazo(modelo::EstadoDiff estado) {
  switch (estado) {
    case modelo::EstadoDiff::kAplicado:
      return RechazoDiff::kNinguno;
    case modelo::EstadoDiff::kOtraLista:
      return RechazoDiff::kOtraLista;
    case modelo::EstadoDiff::kOrdenMala:
      return RechazoDiff::kOrdenMala;
    case modelo::EstadoDiff::kPasaDelFinal:
      return RechazoDiff::kPasaDelFinal;
    case modelo::EstadoDiff::kFaltanLineas:
      return RechazoDiff::kFaltanLineas;
  }
  FALLAR("unknown model state");
}

DiffAplicado Aplicar(std::string_view lista, std::string_view diff, bool conCrc) {
  LectorLista vieja;
  vieja.AsignarTexto(std::make_shared<const std::string>(lista), "lista");
  LectorLista lector;
  lector.AsignarTexto(std::make_shared<const std::string>(diff), "diff");
  vieja.Abrir();
  lector.Abrir();
  ComprobarES();
  DiffAplicado resultado = conCrc ? AplicarDiff(vieja, lector) : AplicarOrdenes(vieja, lector);
  EXIGIR(resultadoES == 0);
  return resultado;
}

std::string UnirCrLf(const std::vector<std::string>& lineas) {
  std::string texto;
  for (const std::string& linea : lineas)
    texto += linea + "\r\n";
  return texto;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  // Lines past the engine's limit of a real list are a refusal of their own, not modelled here.
  if (tam > kLargoMaximoLineaDiff) return 0;
  const auto bytes = Bytes(datos, tam);
  const std::size_t corte = bytes.find('\0');
  const std::string_view lista = bytes.substr(0, corte);
  const std::string_view diff = corte == std::string_view::npos ? "" : bytes.substr(corte + 1);

  const modelo::ResultadoDiff esperado =
      modelo::AplicarDiff(modelo::Lineas(lista), modelo::Lineas(diff));
  try {
    const DiffAplicado ordenes = Aplicar(lista, diff, false);
    EXIGIR(ordenes.rechazo == Rechazo(esperado.estado));
    EXIGIR(ordenes.texto == UnirCrLf(esperado.lineas));
    EXIGIR((ordenes.rechazo == RechazoDiff::kNinguno) == ordenes.motivo.empty());

    const DiffAplicado completo = Aplicar(lista, diff, true);
    if (ordenes.rechazo != RechazoDiff::kNinguno) {
      EXIGIR(completo.rechazo == ordenes.rechazo);
    } else if (modelo::CrcCorrecto(esperado.lineas)) {
      EXIGIR(completo.rechazo == RechazoDiff::kNinguno);
      EXIGIR(completo.texto == ordenes.texto);
      EXIGIR(CrcCorrecto(completo.texto));
    } else {
      EXIGIR(completo.rechazo == RechazoDiff::kSinCrc ||
             completo.rechazo == RechazoDiff::kCrcDistinto);
      EXIGIR(completo.texto.empty());
      EXIGIR(!completo.motivo.empty());
    }
  } catch (const ErrorEntradaSalida&) {
    FALLAR("texts in memory must read without I/O errors");
  }
  return 0;
}
