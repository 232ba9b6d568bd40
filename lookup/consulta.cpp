#include "lookup/consulta.h"

#include <algorithm>

#include "lookup/campos.h"
#include "lookup/plegado.h"
#include "lookup/texto.h"

namespace {

constexpr std::size_t kCamposNombre = 3;

bool EsBlanco(char c) noexcept {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Where the system name field starts and where the sysop field ends.
std::pair<std::size_t, std::size_t> TramoNombres(std::string_view linea) noexcept {
  std::size_t inicio = 0;
  for (int saltos = 0; saltos < 2 && inicio != std::string_view::npos; ++saltos) {
    inicio = linea.find(',', inicio);
    if (inicio != std::string_view::npos) ++inicio;
  }
  if (inicio == std::string_view::npos) return {linea.size(), linea.size()};
  std::size_t fin = inicio;
  for (std::size_t campo = 0; campo < kCamposNombre && fin != std::string_view::npos; ++campo) {
    fin = linea.find(',', campo == 0 ? fin : fin + 1);
  }
  return {inicio, fin == std::string_view::npos ? linea.size() : fin};
}

}  // namespace

ConsultaNombre::ConsultaNombre(std::string_view texto)
    : plegada_(PlegarTexto(DecodificarTexto(texto))) {
  ascii_ = std::all_of(plegada_.begin(), plegada_.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool ConsultaNombre::Vacia() const noexcept {
  return std::all_of(plegada_.begin(), plegada_.end(), EsBlanco);
}

bool ConsultaNombre::Coincide(std::string_view linea) {
  // A field never holds a comma.
  if (plegada_.find(',') != std::string::npos) return false;
  const auto [inicio, fin] = TramoNombres(linea);
  const std::string_view tramo = linea.substr(inicio, fin - inicio);

  // Plain ASCII, by far the most of every list, folds byte by byte with the same result as
  // decoding and folding; and then a match cannot cross a comma the text does not hold.
  bool hayAltos = false;
  plegadaLinea_.resize(tramo.size());
  for (std::size_t i = 0; i < tramo.size(); ++i) {
    hayAltos |= static_cast<unsigned char>(tramo[i]) >= 0x80;
    plegadaLinea_[i] = PlegarByte(tramo[i]);
  }
  if (!hayAltos) return ascii_ && plegadaLinea_.find(plegada_) != std::string::npos;

  std::size_t pos = inicio;
  for (std::size_t campo = 0; campo < kCamposNombre; ++campo) {
    if (PlegarTexto(DecodificarTexto(CortarCampo(linea, pos))).find(plegada_) != std::string::npos)
      return true;
  }
  return false;
}
