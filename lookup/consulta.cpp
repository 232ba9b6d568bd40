#include "lookup/consulta.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <algorithm>
#include <bit>
#include <cstring>

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

// A substring test for short texts: memmem's setup costs more than a list line's whole search.
// Sixteen start positions are tried at a time by their first and last byte.
bool Contiene(std::string_view texto, std::string_view buscado) noexcept {
  const std::size_t largo = buscado.size();
  if (largo == 0) return true;
  if (largo > texto.size()) return false;
  const std::size_t ultimo = texto.size() - largo;  // the last start position
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i primero = _mm_set1_epi8(buscado.front());
  const __m128i final = _mm_set1_epi8(buscado.back());
  for (; i + 16 <= ultimo + 1; i += 16) {
    const __m128i inicios = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + i));
    const __m128i finales =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + i + largo - 1));
    auto candidatos = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_and_si128(_mm_cmpeq_epi8(inicios, primero), _mm_cmpeq_epi8(finales, final))));
    while (candidatos != 0) {
      const std::size_t k = i + static_cast<std::size_t>(std::countr_zero(candidatos));
      if (std::memcmp(texto.data() + k, buscado.data(), largo) == 0) return true;
      candidatos &= candidatos - 1;
    }
  }
#endif
  for (; i <= ultimo; ++i) {
    if (texto[i] == buscado.front() && std::memcmp(texto.data() + i, buscado.data(), largo) == 0)
      return true;
  }
  return false;
}

// Folds `bytes` into `destino` as PlegarByte does, and tells whether any byte is 0x80 or above.
// Every line of a list passes here, so sixteen bytes are done at a time where the processor can.
bool PlegarBytes(std::string_view bytes, char* destino) noexcept {
  std::size_t i = 0;
  bool hayAltos = false;
#if defined(__SSE2__)
  const __m128i antesDeA = _mm_set1_epi8('A' - 1);
  const __m128i despuesDeZ = _mm_set1_epi8('Z' + 1);
  const __m128i diferencia = _mm_set1_epi8('a' - 'A');
  const __m128i subrayado = _mm_set1_epi8('_');
  const __m128i blanco = _mm_set1_epi8(' ');
  int altos = 0;
  for (; i + 16 <= bytes.size(); i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
    // Signed compares: bytes from 0x80 up are negative, so never taken for letters.
    const __m128i mayuscula =
        _mm_and_si128(_mm_cmpgt_epi8(v, antesDeA), _mm_cmplt_epi8(v, despuesDeZ));
    const __m128i esSubrayado = _mm_cmpeq_epi8(v, subrayado);
    __m128i plegado = _mm_add_epi8(v, _mm_and_si128(mayuscula, diferencia));
    plegado =
        _mm_or_si128(_mm_andnot_si128(esSubrayado, plegado), _mm_and_si128(esSubrayado, blanco));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destino + i), plegado);
    altos |= _mm_movemask_epi8(v);
  }
  hayAltos = altos != 0;
#endif
  for (; i < bytes.size(); ++i) {
    hayAltos |= static_cast<unsigned char>(bytes[i]) >= 0x80;
    destino[i] = PlegarByte(bytes[i]);
  }
  return hayAltos;
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

  // Plain ASCII, by far the most of every list, folds byte by byte with the same result as
  // decoding and folding, so the whole line is tested at once and most lines end here.
  plegadaLinea_.resize(linea.size());
  const bool hayAltos = PlegarBytes(linea, plegadaLinea_.data());
  if (!hayAltos) {
    if (!ascii_ || !Contiene(plegadaLinea_, plegada_)) return false;
    // Only the three name fields count; a match there cannot cross a comma the text lacks.
    const auto [inicio, fin] = TramoNombres(linea);
    return Contiene(std::string_view(plegadaLinea_).substr(inicio, fin - inicio), plegada_);
  }

  std::size_t pos = TramoNombres(linea).first;
  for (std::size_t campo = 0; campo < kCamposNombre; ++campo) {
    if (PlegarTexto(DecodificarTexto(CortarCampo(linea, pos))).find(plegada_) != std::string::npos)
      return true;
  }
  return false;
}
