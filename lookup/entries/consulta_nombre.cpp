// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/consulta_nombre.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <algorithm>
#include <bit>
#include <cstring>

#include "lookup/entries/campos.h"
#include "lookup/entries/plegado.h"
#include "lookup/entries/texto.h"

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

bool EsAlto(char c) noexcept {
  return static_cast<unsigned char>(c) >= 0x80;
}

bool IgualPlegado(const char* bytes, std::string_view plegado) noexcept {
  for (std::size_t k = 0; k < plegado.size(); ++k)
    if (PlegarByte(bytes[k]) != plegado[k]) return false;
  return true;
}

#if defined(__SSE2__)
// PlegarByte on sixteen bytes. Signed compares: bytes from 0x80 up are negative, never letters.
__m128i Plegar16(__m128i v) noexcept {
  const __m128i mayuscula = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)),
                                          _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
  const __m128i plegado = _mm_add_epi8(v, _mm_and_si128(mayuscula, _mm_set1_epi8('a' - 'A')));
  const __m128i subrayado = _mm_cmpeq_epi8(v, _mm_set1_epi8('_'));
  return _mm_or_si128(_mm_andnot_si128(subrayado, plegado),
                      _mm_and_si128(subrayado, _mm_set1_epi8(' ')));
}

__m128i Cargar(const char* p) noexcept {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

bool TieneAltos(std::string_view bytes) noexcept {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= bytes.size(); i += 16)
    if (_mm_movemask_epi8(Cargar(bytes.data() + i)) != 0) return true;
#endif
  for (; i < bytes.size(); ++i)
    if (EsAlto(bytes[i])) return true;
  return false;
}

struct Paso {
  std::size_t posicion = std::string_view::npos;  // of the first match found
  bool hayAltos = false;                          // meaningful only when nothing was found
};

// Looks for `plegado` (folded ASCII) in `bytes` folded byte by byte, without folding a copy, and
// tells whether any byte is 0x80 or above. Every line of a list passes here: sixteen start
// positions are tried at a time by their first and last byte, as the processor allows.
Paso BuscarPlegado(std::string_view bytes, std::string_view plegado) noexcept {
  const std::size_t largo = plegado.size();
  if (largo == 0) return {0, false};
#if defined(__SSE2__)
  // Lines long enough for one window are done in windows alone, the last one moved back to end
  // with the line (positions tried twice are no harm): every byte is under the first or the last
  // byte of some window start.
  if (bytes.size() >= largo + 15) {
    const __m128i primero = _mm_set1_epi8(plegado.front());
    const __m128i ultimo = _mm_set1_epi8(plegado.back());
    const std::size_t ultimaVentana = bytes.size() - largo - 15;
    int altos = 0;
    for (std::size_t i = 0;; i = std::min(i + 16, ultimaVentana)) {
      const __m128i inicios = Cargar(bytes.data() + i);
      const __m128i finales = Cargar(bytes.data() + i + largo - 1);
      altos |= _mm_movemask_epi8(inicios) | _mm_movemask_epi8(finales);
      auto candidatos = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
          _mm_cmpeq_epi8(Plegar16(inicios), primero), _mm_cmpeq_epi8(Plegar16(finales), ultimo))));
      while (candidatos != 0) {
        const std::size_t k = i + static_cast<std::size_t>(std::countr_zero(candidatos));
        if (IgualPlegado(bytes.data() + k, plegado)) return {k, false};
        candidatos &= candidatos - 1;
      }
      if (i == ultimaVentana) return {std::string_view::npos, altos != 0};
    }
  }
#endif
  Paso paso;
  paso.hayAltos = std::any_of(bytes.begin(), bytes.end(), EsAlto);
  for (std::size_t i = 0; i + largo <= bytes.size(); ++i)
    if (IgualPlegado(bytes.data() + i, plegado)) return {i, false};
  return paso;
}

}  // namespace

ConsultaNombre::ConsultaNombre(std::string_view texto)
    : plegada_(PlegarTexto(DecodificarTexto(texto))) {
  ascii_ = std::none_of(plegada_.begin(), plegada_.end(), EsAlto);
  // A field never holds a comma.
  conComa_ = plegada_.find(',') != std::string::npos;
}

bool ConsultaNombre::Vacia() const noexcept {
  return std::all_of(plegada_.begin(), plegada_.end(), EsBlanco);
}

bool ConsultaNombre::Coincide(std::string_view linea) {
  if (conComa_) return false;

  // An ASCII text found in the line's raw bytes, folded byte by byte, is found in the decoded
  // text too: decoding keeps every ASCII byte, and no other byte folds to ASCII. So most lines
  // are settled by one pass over their bytes, and only lines holding other bytes get decoded.
  if (ascii_) {
    const Paso paso = BuscarPlegado(linea, plegada_);
    if (paso.posicion != std::string_view::npos) {
      const auto [inicio, fin] = TramoNombres(linea);
      if (paso.posicion >= inicio && paso.posicion + plegada_.size() <= fin) return true;
      // Found in a field that does not count (a flag, the phone): the name fields decide.
      if (BuscarPlegado(linea.substr(inicio, fin - inicio), plegada_).posicion !=
          std::string_view::npos) {
        return true;
      }
      if (!TieneAltos(linea)) return false;
    } else if (!paso.hayAltos) {
      return false;
    }
  } else if (!TieneAltos(linea)) {
    return false;
  }

  std::size_t pos = TramoNombres(linea).first;
  for (std::size_t campo = 0; campo < kCamposNombre; ++campo) {
    if (PlegarTexto(DecodificarTexto(CortarCampo(linea, pos))).find(plegada_) != std::string::npos)
      return true;
  }
  return false;
}
