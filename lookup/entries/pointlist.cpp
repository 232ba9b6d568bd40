// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/pointlist.h"

#include <array>

#include "lookup/entries/campos.h"
#include "lookup/lists/lector_lista.h"

namespace {

constexpr std::string_view kBoss = "Boss,";

std::string_view TextoNumero(std::string_view linea) {
  const auto inicio = InicioNumero(linea);
  if (inicio >= linea.size()) return {};
  return linea.substr(inicio, linea.find(',', inicio) - inicio);
}

// "Boss,<parteNodo>" ending there or followed by a non-digit, so node 12 never takes 120.
bool EsCabeceraDe(std::string_view linea, std::string_view parteNodo) {
  if (!linea.starts_with(kBoss) || !linea.substr(kBoss.size()).starts_with(parteNodo)) return false;
  const auto n = kBoss.size() + parteNodo.size();
  return linea.size() == n || linea[n] < '0' || linea[n] > '9';
}

int ValorDigito(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
  if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
  return d;
}

}  // namespace

bool EsClavePunto(std::string_view clave) noexcept {
  static constexpr std::array<std::string_view, 5> kClaves{"", "Point", "Pvt", "Hold", "Down"};
  for (const auto c : kClaves)
    if (clave == c) return true;
  return false;
}

std::size_t InicioNumero(std::string_view linea) noexcept {
  const auto clave = Clave(linea);
  return clave.size() < linea.size() && EsClavePunto(clave) ? clave.size() + 1 : 1;
}

Conversion ConvertirNumero(std::string_view texto) noexcept {
  texto = texto.substr(0, texto.find('\0'));
  std::size_t i = 0;
  while (i < texto.size() && texto[i] == ' ')
    ++i;

  bool negativo = false;
  int base = 10;
  if (i < texto.size()) {
    const char c = texto[i];
    if (c == '+' || c == '-') {
      negativo = c == '-';
      ++i;
    } else if (c == '$' || c == 'x' || c == 'X') {
      base = 16;
      ++i;
    } else if (c == '0' && i + 1 < texto.size() && (texto[i + 1] == 'x' || texto[i + 1] == 'X')) {
      base = 16;
      i += 2;
    }
  }
  if (i == texto.size()) return {0, false};

  // Magnitude as 32-bit pattern; a failure keeps the digits read so far, without the sign.
  std::uint32_t valor = 0;
  for (; i < texto.size(); ++i) {
    const int digito = ValorDigito(texto[i], base);
    if (digito < 0) return {static_cast<std::int32_t>(valor), false};
    if (base == 10 && valor > 214748364u) return {static_cast<std::int32_t>(valor), false};
    if (base == 16 && valor > 0x0FFFFFFFu) return {static_cast<std::int32_t>(valor), false};
    valor = valor * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digito);
  }
  if (base == 16) return {static_cast<std::int32_t>(valor), true};

  const std::uint32_t limite = negativo ? 2147483648u : 2147483647u;
  const std::uint32_t conSigno = negativo ? 0u - valor : valor;
  return {static_cast<std::int32_t>(conSigno), valor <= limite};
}

DatosPunto LeerDatosPunto(std::string_view linea) {
  const auto inicio = InicioNumero(linea);
  std::size_t pos = inicio >= linea.size() ? linea.size() : linea.find(',', inicio);
  pos = pos == std::string_view::npos ? linea.size() : pos + 1;
  DatosPunto datos;
  datos.nick = CortarCampo(linea, pos);
  datos.ciudad = CortarCampo(linea, pos);
  datos.nombre = CortarCampo(linea, pos);
  datos.telefono = CortarCampo(linea, pos);
  return datos;
}

bool BuscarLineaPunto(LectorLista& lector, std::string_view parteNodo, std::string_view partePunto,
                      std::string& linea) {
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return false;
    lector.LeerLinea(linea, kLargoUtilLinea);
    if (EsCabeceraDe(linea, parteNodo)) break;
  }

  if (partePunto == "0") return false;
  const std::int32_t numero = ConvertirNumero(partePunto).valor;
  if (numero < 0) return false;

  // Sections are sorted: the first entry at or above the wanted number decides.
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return false;
    lector.LeerLinea(linea, kLargoUtilLinea);
    if (linea.starts_with(kBoss)) return false;
    const std::int32_t valor = ConvertirNumero(TextoNumero(linea)).valor;
    if (valor >= numero) return valor == numero;
  }
}

DatosPunto BuscarPunto(LectorLista& lector, std::string_view parteNodo,
                       std::string_view partePunto) {
  std::string linea;
  return BuscarLineaPunto(lector, parteNodo, partePunto, linea) ? LeerDatosPunto(linea)
                                                                : DatosPunto{};
}
