// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/recorrido.h"

#include "lookup/entries/campos.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/entries/pointlist.h"

namespace {

constexpr std::string_view kBoss = "Boss,";

bool EsCabecera(std::string_view clave) noexcept {
  return clave == "Zone" || clave == "Region" || clave == "Host";
}

bool EsEntrada(std::string_view clave) noexcept {
  return clave.empty() || clave == "Hub" || clave == "Pvt" || clave == "Hold" || clave == "Down";
}

// The remaining fields, each as written.
std::vector<std::string> Resto(std::string_view linea, std::size_t pos) {
  std::vector<std::string> campos;
  while (pos < linea.size()) {
    const auto coma = linea.find(',', pos);
    const auto fin = coma == std::string_view::npos ? linea.size() : coma;
    campos.emplace_back(linea.substr(pos, fin - pos));
    pos = fin + 1;
    if (coma != std::string_view::npos && pos == linea.size()) campos.emplace_back();
  }
  return campos;
}

// The first comma at or after `desde`, or npos. Keywords and numbers are a few bytes long, where
// a plain loop beats a call to memchr; the walk does this on every line.
std::size_t ComaDesde(std::string_view linea, std::size_t desde) noexcept {
  for (std::size_t i = desde; i < linea.size(); ++i)
    if (linea[i] == ',') return i;
  return std::string_view::npos;
}

bool LeerLinea(LectorLista& lector, std::string& linea) {
  const bool fin = lector.FinDeArchivo();
  ComprobarES();
  if (fin) return false;
  lector.LeerLinea(linea, kLargoUtilLinea);
  return true;
}

}  // namespace

EntradaNodo LeerEntradaNodo(std::string_view linea, std::size_t inicioCampos) {
  EntradaNodo entrada;
  entrada.estado = Clave(linea);
  std::size_t pos = inicioCampos;
  entrada.bbs = CortarCampo(linea, pos);
  entrada.ciudad = CortarCampo(linea, pos);
  entrada.sysop = CortarCampo(linea, pos);
  entrada.telefono = CortarCampo(linea, pos);
  entrada.velocidad = CortarCampo(linea, pos);
  entrada.flags = Resto(linea, pos);
  return entrada;
}

EntradaPunto LeerEntradaPunto(std::string_view linea) {
  // The fields start where LeerDatosPunto starts them, so both agree on every line.
  const auto inicio = InicioNumero(linea);
  std::size_t pos = inicio >= linea.size() ? linea.size() : linea.find(',', inicio);
  pos = pos == std::string_view::npos ? linea.size() : pos + 1;
  const auto clave = Clave(linea);
  EntradaPunto entrada;
  entrada.estado = clave.size() < linea.size() && EsClavePunto(clave) ? clave : "";
  entrada.nick = CortarCampo(linea, pos);
  entrada.ciudad = CortarCampo(linea, pos);
  entrada.nombre = CortarCampo(linea, pos);
  entrada.telefono = CortarCampo(linea, pos);
  entrada.velocidad = CortarCampo(linea, pos);
  entrada.flags = Resto(linea, pos);
  return entrada;
}

std::string DireccionNodo(const PosicionNodo& posicion) {
  std::string direccion;
  if (!posicion.zona.empty()) (direccion += posicion.zona) += ':';
  ((direccion += posicion.red) += '/') += posicion.nodo;
  return direccion;
}

std::string DireccionPunto(const PosicionPunto& posicion) {
  return std::string(posicion.nodo) + '.' + std::to_string(posicion.punto);
}

// Follows the node lookup's rules: a Zone, Region or Host line begins the net of its number (a
// Zone line also the zone), and any line starting with "Host" ends the net before it. An entry
// or header whose number is not followed by a comma is one the lookup never matches.
void RecorrerNodelist(LectorLista& lector, const VisitaNodo& visita) {
  std::string linea;
  std::string zona;
  std::string red;
  bool hayRed = false;
  while (LeerLinea(lector, linea)) {
    const std::size_t finClave = ComaDesde(linea, 0);
    const bool conComa = finClave != std::string_view::npos;
    const std::string_view clave = std::string_view(linea).substr(0, finClave);
    const std::size_t inicioNumero = clave.size() + 1;
    const auto coma = conComa ? ComaDesde(linea, inicioNumero) : std::string::npos;
    if (conComa && EsCabecera(clave)) {
      const std::string_view numero =
          std::string_view(linea).substr(inicioNumero, coma - inicioNumero);
      if (clave == "Zone") zona = numero;
      red = numero;
      hayRed = coma != std::string::npos;
      if (hayRed) visita({zona, red, "0", coma + 1}, linea);
      continue;
    }
    if (linea.starts_with("Host")) {
      hayRed = false;
      continue;
    }
    if (!hayRed || !conComa || coma == std::string::npos || !EsEntrada(clave)) continue;
    const std::string_view nodo = std::string_view(linea).substr(inicioNumero, coma - inicioNumero);
    visita({zona, red, nodo, coma + 1}, linea);
  }
}

void RecorrerPointlist(LectorLista& lector, const VisitaPunto& visita) {
  std::string linea;
  std::string nodo;
  while (LeerLinea(lector, linea)) {
    if (linea.starts_with(kBoss)) {
      const std::string_view resto = std::string_view(linea).substr(kBoss.size());
      nodo = resto.substr(0, resto.find_first_of(", \t;"));
      continue;
    }
    if (nodo.empty()) continue;
    const auto clave = Clave(linea);
    if (clave.size() == linea.size() || !EsClavePunto(clave)) continue;
    const std::size_t inicio = clave.size() + 1;
    const auto numero = std::string_view(linea).substr(inicio, linea.find(',', inicio) - inicio);
    // Read as the point lookup reads a typed number, so "5abc" is point 5 there and here.
    const std::int32_t punto = ConvertirNumero(numero).valor;
    if (punto > 0) visita({nodo, punto}, linea);
  }
}
