// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/modelo_diff.h"

#include <cstdint>

namespace modelo {

namespace {

bool Digito(char c) {
  return c >= '0' && c <= '9';
}

bool Blanco(char c) {
  return c == ' ' || c == '\t';
}

// Bit by bit, as the polynomial is defined: x^16 + x^12 + x^5 + 1, most significant bit first.
std::uint16_t Crc(const std::string& bytes) {
  std::uint32_t registro = 0;
  for (const char c : bytes) {
    for (int bit = 7; bit >= 0; --bit) {
      const std::uint32_t entra = (static_cast<unsigned char>(c) >> bit) & 1u;
      const std::uint32_t sale = (registro >> 15) & 1u;
      registro = (registro << 1) & 0xFFFFu;
      if ((sale ^ entra) != 0) registro ^= 0x1021u;
    }
  }
  return static_cast<std::uint16_t>(registro);
}

}  // namespace

ResultadoDiff AplicarDiff(const std::vector<std::string>& lista,
                          const std::vector<std::string>& diff) {
  ResultadoDiff resultado;
  if (lista.empty() || diff.empty() || lista[0] != diff[0]) return {EstadoDiff::kOtraLista, {}};
  std::size_t vieja = 0;
  std::size_t i = 1;
  while (i < diff.size()) {
    const std::string& orden = diff[i];
    ++i;
    bool valida = orden.size() >= 2 && orden.size() <= 6 &&
                  (orden[0] == 'A' || orden[0] == 'C' || orden[0] == 'D');
    long n = 0;
    for (std::size_t k = 1; valida && k < orden.size(); ++k) {
      valida = Digito(orden[k]);
      n = n * 10 + (orden[k] - '0');
    }
    if (!valida || n < 1 || n > 32767) return {EstadoDiff::kOrdenMala, {}};
    const auto cuantas = static_cast<std::size_t>(n);
    if (orden[0] == 'A') {
      if (diff.size() - i < cuantas) return {EstadoDiff::kFaltanLineas, {}};
      resultado.lineas.insert(resultado.lineas.end(), diff.begin() + static_cast<long>(i),
                              diff.begin() + static_cast<long>(i + cuantas));
      i += cuantas;
    } else {
      if (lista.size() - vieja < cuantas) return {EstadoDiff::kPasaDelFinal, {}};
      if (orden[0] == 'C')
        resultado.lineas.insert(resultado.lineas.end(), lista.begin() + static_cast<long>(vieja),
                                lista.begin() + static_cast<long>(vieja + cuantas));
      vieja += cuantas;
    }
  }
  return resultado;
}

bool CrcCorrecto(const std::vector<std::string>& lineas) {
  if (lineas.empty()) return false;
  const std::string& primera = lineas[0];
  const std::size_t dosPuntos = primera.rfind(':');
  if (dosPuntos == std::string::npos) return false;
  std::size_t p = dosPuntos + 1;
  while (p < primera.size() && Blanco(primera[p]))
    ++p;
  std::string cifras;
  while (p < primera.size() && Digito(primera[p]))
    cifras += primera[p++];
  while (p < primera.size() && Blanco(primera[p]))
    ++p;
  if (p != primera.size() || cifras.size() != 5 || std::stol(cifras) > 0xFFFF) return false;
  std::string resto;
  for (std::size_t k = 1; k < lineas.size(); ++k)
    resto += lineas[k] + "\r\n";
  return std::stol(cifras) == Crc(resto);
}

}  // namespace modelo
