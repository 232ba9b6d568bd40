// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lists and diffs written by the tests. The CRC here is computed bit by bit from the definition
// (polynomial 0x1021, initial 0, no reflection, no final XOR), apart from the engine's tables.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

inline std::uint16_t CrcBitABit(std::string_view bytes) {
  std::uint16_t crc = 0;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint16_t>(static_cast<unsigned char>(c) << 8);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 0x8000) != 0 ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                : static_cast<std::uint16_t>(crc << 1);
  }
  return crc;
}

inline std::string UnirCrLf(const std::vector<std::string>& lineas) {
  std::string texto;
  for (const std::string& linea : lineas)
    (texto += linea) += "\r\n";
  return texto;
}

// The list of week `semana` of the tests' chains: node 1:1/1's sysop says the week, and the first
// line ends in the CRC of the others.
inline std::vector<std::string> Semana(int semana) {
  const std::string numero = std::to_string(semana);
  std::vector<std::string> lineas{";S fija", "Zone,1,Zona_uno,Sitio,Alguien,-Unpublished-,300",
                                  ",1,Nodo_uno,Sitio,Sysop_" + numero + ",1-1-1-1,9600,CM",
                                  ",2,Nodo_dos,Sitio,Fijo,1-1-1-2,9600", ";E fin"};
  char crc[16];
  std::snprintf(crc, sizeof crc, " : %05u", static_cast<unsigned>(CrcBitABit(UnirCrLf(lineas))));
  lineas.insert(lineas.begin(), ";A Lista de prueba, semana " + numero + crc);
  return lineas;
}

// The diff from `vieja` to `nueva` when they differ in the first line and the fourth only.
inline std::string DiffEntre(const std::vector<std::string>& vieja,
                             const std::vector<std::string>& nueva) {
  return UnirCrLf({vieja[0], "D1", "A1", nueva[0], "C2", "D1", "A1", nueva[3], "C2"});
}
