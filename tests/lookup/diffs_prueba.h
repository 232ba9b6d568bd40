// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lists and diffs written by the tests. The CRC here is computed bit by bit from the definition
// (polynomial 0x1021, initial 0, no reflection, no final XOR), apart from the engine's tables.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lector_lista.h"

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

// A list's lines, its first one `cabecera` followed by the CRC of the others: " : nnnnn".
inline std::vector<std::string> ConCrc(const std::string& cabecera,
                                       std::vector<std::string> resto) {
  char crc[16];
  std::snprintf(crc, sizeof crc, " : %05u", static_cast<unsigned>(CrcBitABit(UnirCrLf(resto))));
  resto.insert(resto.begin(), cabecera + crc);
  return resto;
}

// The list of week `semana` of the tests' chains: node 1:1/1's sysop says the week.
inline std::vector<std::string> Semana(int semana) {
  const std::string numero = std::to_string(semana);
  return ConCrc(";A Lista de prueba, semana " + numero,
                {";S fija", "Zone,1,Zona_uno,Sitio,Alguien,-Unpublished-,300",
                 ",1,Nodo_uno,Sitio,Sysop_" + numero + ",1-1-1-1,9600,CM",
                 ",2,Nodo_dos,Sitio,Fijo,1-1-1-2,9600", ";E fin"});
}

// The diff from `vieja` to `nueva` when they differ in the first line and the fourth only.
inline std::string DiffEntre(const std::vector<std::string>& vieja,
                             const std::vector<std::string>& nueva) {
  return UnirCrLf({vieja[0], "D1", "A1", nueva[0], "C2", "D1", "A1", nueva[3], "C2"});
}

// Every line a reader gives, read as the lookups read.
inline std::vector<std::string> LineasLeidas(LectorLista& lector) {
  lector.Abrir();
  ComprobarES();
  std::vector<std::string> lineas;
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) break;
    lineas.push_back(lector.LeerLinea());
  }
  lector.Cerrar();
  ComprobarES();
  return lineas;
}

inline std::vector<std::string> LineasDeArchivo(const std::string& ruta) {
  LectorLista lector(64 * 1024);
  lector.Asignar(ruta);
  return LineasLeidas(lector);
}
