// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/nodelist.h"

#include <array>

#include "lookup/entries/campos.h"
#include "lookup/entries/direccion.h"
#include "lookup/lists/lector_lista.h"

namespace {

bool EsCabecera(std::string_view clave) {
  return clave == "Zone" || clave == "Region" || clave == "Host";
}

bool EsEntrada(std::string_view clave) {
  static constexpr std::array<std::string_view, 5> kClaves{"", "Hub", "Pvt", "Hold", "Down"};
  for (const auto c : kClaves)
    if (clave == c) return true;
  return false;
}

// True when the line is "<clave>,<numero>,...".
bool TieneNumero(std::string_view linea, std::string_view clave, std::string_view numero) {
  const auto resto = linea.substr(clave.size() + 1);
  return resto.size() > numero.size() && resto.substr(0, numero.size()) == numero &&
         resto[numero.size()] == ',';
}

// The fields follow the matched "<clave>,<numero>," text. A typed number holding a comma matches
// more than the number field, and the fields are the ones after all of it, never shifted.
std::size_t InicioCampos(std::string_view linea, std::string_view numero) {
  return Clave(linea).size() + 1 + numero.size() + 1;
}

}  // namespace

DatosNodo LeerDatosNodo(std::string_view linea, std::size_t pos) {
  DatosNodo datos;
  datos.bbs = CortarCampo(linea, pos);
  datos.ciudad = CortarCampo(linea, pos);
  datos.sysop = CortarCampo(linea, pos);
  return datos;
}

std::optional<std::size_t> BuscarLineaNodo(LectorLista& lector, std::string_view parteNodo,
                                           std::string& linea) {
  const PartesNodo partes = PartirNodo(parteNodo);

  // Lists without any Zone line (segments, pre-zone lists) are searched zone-blind.
  bool zonaVista = false;
  std::string zonaActual;
  bool encontrada = false;
  while (!encontrada) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return std::nullopt;
    lector.LeerLinea(linea, kLargoUtilLinea);
    const auto clave = Clave(linea);
    if (clave.size() == linea.size() || !EsCabecera(clave)) continue;
    if (clave == "Zone") {
      zonaVista = true;
      std::size_t pos = clave.size() + 1;
      zonaActual = linea.substr(pos, linea.find(',', pos) - pos);
    }
    encontrada = TieneNumero(linea, clave, partes.red) && (!zonaVista || zonaActual == partes.zona);
  }

  // The header line is node 0 of its own net.
  if (partes.nodo == "0") return InicioCampos(linea, partes.red);

  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return std::nullopt;
    lector.LeerLinea(linea, kLargoUtilLinea);
    if (linea.starts_with("Host")) return std::nullopt;
    const auto clave = Clave(linea);
    if (clave.size() == linea.size()) continue;
    if (EsCabecera(clave)) return std::nullopt;
    if (EsEntrada(clave) && TieneNumero(linea, clave, partes.nodo))
      return InicioCampos(linea, partes.nodo);
  }
}

DatosNodo BuscarNodo(LectorLista& lector, std::string_view parteNodo) {
  std::string linea;
  const auto inicio = BuscarLineaNodo(lector, parteNodo, linea);
  return inicio ? LeerDatosNodo(linea, *inicio) : DatosNodo{};
}
