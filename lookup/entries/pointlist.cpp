// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/pointlist.h"

#include "lookup/entries/campos.h"
#include "lookup/entries/direccion.h"
#include "lookup/entries/recorrido.h"
#include "lookup/lists/lector_lista.h"

namespace {

int ValorDigito(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
  if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
  return d;
}

}  // namespace

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
  std::size_t pos = linea.find(',');
  if (pos != std::string_view::npos) pos = linea.find(',', pos + 1);
  pos = pos == std::string_view::npos ? linea.size() : pos + 1;
  DatosPunto datos;
  datos.nick = CortarCampo(linea, pos);
  datos.ciudad = CortarCampo(linea, pos);
  datos.nombre = CortarCampo(linea, pos);
  datos.telefono = CortarCampo(linea, pos);
  return datos;
}

bool BuscarLineaPunto(LectorLista& lector, const PartesNodo& jefe, std::int32_t punto,
                      std::string& linea, std::string& zonaJefe) {
  if (punto <= 0) {
    // One read all the same: it tells whether the list is an archive's member, which the
    // files read name.
    static_cast<void>(lector.FinDeArchivo());
    ComprobarES();
    return false;
  }
  RecorridoPointlist recorrido(lector);
  while (recorrido.Siguiente()) {
    const PosicionPunto& p = recorrido.Posicion();
    if (p.punto == punto && EnDireccion(jefe, p.zona, p.red, p.nodo)) {
      linea = recorrido.Linea();
      zonaJefe = p.zona;
      return true;
    }
  }
  return false;
}

bool BuscarLineaPunto(LectorLista& lector, std::string_view parteNodo, std::string_view partePunto,
                      std::string& linea) {
  std::string zonaJefe;
  return BuscarLineaPunto(lector, PartirNodo(parteNodo), NumeroDePunto(partePunto), linea,
                          zonaJefe);
}

DatosPunto BuscarPunto(LectorLista& lector, std::string_view parteNodo,
                       std::string_view partePunto) {
  std::string linea;
  return BuscarLineaPunto(lector, parteNodo, partePunto, linea) ? LeerDatosPunto(linea)
                                                                : DatosPunto{};
}
