// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/modelo.h"

#include <cstdint>
#include <optional>

namespace modelo {

namespace {

bool Empieza(std::string_view texto, std::string_view prefijo) {
  return texto.size() >= prefijo.size() && texto.substr(0, prefijo.size()) == prefijo;
}

bool EsUnaDe(std::string_view texto, std::initializer_list<std::string_view> opciones) {
  for (const auto opcion : opciones)
    if (texto == opcion) return true;
  return false;
}

std::string ConBlancos(std::string texto) {
  for (char& c : texto)
    if (c == '_') c = ' ';
  return texto;
}

// Field `i` of `campos` with "_" shown as a blank; a field the line does not reach is empty.
std::string Campo(const std::vector<std::string>& campos, std::size_t i) {
  return i < campos.size() ? ConBlancos(campos[i]) : std::string();
}

int Digito(char c, int base) {
  const std::string_view digitos = "0123456789abcdef";
  const std::string_view mayusculas = "0123456789ABCDEF";
  for (int d = 0; d < base; ++d)
    if (c == digitos[static_cast<std::size_t>(d)] || c == mayusculas[static_cast<std::size_t>(d)])
      return d;
  return -1;
}

std::int32_t Bajos32(std::uint64_t valor) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(valor & 0xFFFFFFFFu));
}

}  // namespace

std::vector<std::string> Lineas(std::string_view bytes) {
  const std::string_view datos = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> lineas;
  std::size_t i = 0;
  while (i < datos.size()) {
    std::string linea;
    while (i < datos.size() && datos[i] != '\r' && datos[i] != '\n')
      linea += datos[i++];
    if (i < datos.size() && datos[i] == '\r' && i + 1 < datos.size() && datos[i + 1] == '\n')
      i += 2;
    else if (i < datos.size())
      i += 1;
    lineas.push_back(linea);
  }
  return lineas;
}

std::vector<std::string> Recortadas(std::vector<std::string> lineas, std::size_t largo) {
  for (auto& linea : lineas)
    if (linea.size() > largo) linea.resize(largo);
  return lineas;
}

std::vector<std::string> Campos(std::string_view linea) {
  std::vector<std::string> campos(1);
  for (const char c : linea) {
    if (c == ',')
      campos.emplace_back();
    else
      campos.back() += c;
  }
  return campos;
}

PartesDireccion SepararDireccion(std::string_view direccion) {
  const std::string texto = direccion.empty() ? std::string(" ") : std::string(direccion);
  for (std::size_t i = 0; i < texto.size(); ++i)
    if (texto[i] == '.') return {texto.substr(0, i), texto.substr(i + 1)};
  return {texto, "0"};
}

PartesNodo PartirNodo(std::string_view parteNodo) {
  PartesNodo partes;
  std::size_t i = 0;
  while (i < parteNodo.size() && parteNodo[i] != ':')
    partes.zona += parteNodo[i++];
  if (i == parteNodo.size()) return {};
  for (++i; i < parteNodo.size() && parteNodo[i] != '/'; ++i)
    partes.red += parteNodo[i];
  if (i < parteNodo.size()) partes.nodo = std::string(parteNodo.substr(i + 1));
  return partes;
}

Conversion ConvertirNumero(std::string_view texto) {
  texto = texto.substr(0, texto.find('\0'));
  std::size_t i = 0;
  while (i < texto.size() && texto[i] == ' ')
    ++i;
  const std::string_view resto = texto.substr(i);

  bool negativo = false;
  int base = 10;
  std::size_t prefijo = 0;
  if (Empieza(resto, "-") || Empieza(resto, "+")) {
    negativo = resto[0] == '-';
    prefijo = 1;
  } else if (Empieza(resto, "$") || Empieza(resto, "x") || Empieza(resto, "X")) {
    base = 16;
    prefijo = 1;
  } else if (Empieza(resto, "0x") || Empieza(resto, "0X")) {
    base = 16;
    prefijo = 2;
  }
  const std::string_view cifras = resto.substr(prefijo);
  if (cifras.empty()) return {0, false};

  // The magnitude never passes 2^32 + 15 before the checks below stop it: 64 bits hold it.
  std::uint64_t magnitud = 0;
  for (const char c : cifras) {
    const int d = Digito(c, base);
    if (d < 0) return {Bajos32(magnitud), false};
    const std::uint64_t tope = base == 10 ? 214748364u : 0x0FFFFFFFu;
    if (magnitud > tope) return {Bajos32(magnitud), false};
    magnitud = magnitud * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  if (base == 16) return {Bajos32(magnitud), true};
  if (negativo) return {Bajos32(0 - magnitud), magnitud <= 2147483648u};
  return {Bajos32(magnitud), magnitud <= 2147483647u};
}

DatosNodo BuscarNodo(const std::vector<std::string>& lineas, std::string_view parteNodo) {
  const PartesNodo buscado = PartirNodo(parteNodo);
  // A line matches when it begins "<keyword>,<number>,", and its fields are the ones after that
  // text: a typed number holding a comma takes the fields after all of it.
  auto campostras = [](const std::string& linea, const std::string& clave,
                       const std::string& numero) -> std::optional<std::vector<std::string>> {
    const std::string prefijo = clave + "," + numero + ",";
    if (!Empieza(linea, prefijo)) return std::nullopt;
    return Campos(std::string_view(linea).substr(prefijo.size()));
  };
  auto datos = [](const std::vector<std::string>& campos) {
    DatosNodo d;
    d.bbs = Campo(campos, 0);
    d.ciudad = Campo(campos, 1);
    d.sysop = Campo(campos, 2);
    return d;
  };

  std::size_t k = 0;
  bool hayZona = false;
  std::string zona;
  std::optional<std::vector<std::string>> cabecera;
  for (;; ++k) {
    if (k == lineas.size()) return {};
    const auto campos = Campos(lineas[k]);
    if (campos.size() < 2 || !EsUnaDe(campos[0], {"Zone", "Region", "Host"})) continue;
    if (campos[0] == "Zone") {
      hayZona = true;
      zona = campos[1];
    }
    cabecera = campostras(lineas[k], campos[0], buscado.red);
    if (cabecera && (!hayZona || zona == buscado.zona)) break;
  }
  if (buscado.nodo == "0") return datos(*cabecera);

  for (++k; k < lineas.size(); ++k) {
    if (Empieza(lineas[k], "Host")) return {};
    const auto campos = Campos(lineas[k]);
    if (campos.size() < 2) continue;
    if (EsUnaDe(campos[0], {"Zone", "Region", "Host"})) return {};
    if (!EsUnaDe(campos[0], {"", "Hub", "Pvt", "Hold", "Down"})) continue;
    if (const auto resto = campostras(lineas[k], campos[0], buscado.nodo)) return datos(*resto);
  }
  return {};
}

DatosPunto BuscarPunto(const std::vector<std::string>& lineas, std::string_view parteNodo,
                       std::string_view partePunto) {
  const std::string cabecera = "Boss," + std::string(parteNodo);
  std::size_t k = 0;
  for (;; ++k) {
    if (k == lineas.size()) return {};
    const std::string& linea = lineas[k];
    if (!Empieza(linea, cabecera)) continue;
    // A digit right after the node part means another node, whose number only begins alike.
    if (linea.size() == cabecera.size()) break;
    const char siguiente = linea[cabecera.size()];
    if (siguiente < '0' || siguiente > '9') break;
  }

  if (partePunto == "0") return {};
  const std::int32_t numero = ConvertirNumero(partePunto).valor;
  if (numero < 0) return {};

  for (++k; k < lineas.size(); ++k) {
    const std::string& linea = lineas[k];
    if (Empieza(linea, "Boss,")) return {};
    // After a point keyword the number is the second field; on any other line it starts at
    // the second character.
    auto campos = Campos(linea);
    if (campos.size() < 2 || !EsUnaDe(campos[0], {"", "Point", "Pvt", "Hold", "Down"}))
      campos = Campos(linea.empty() ? std::string_view() : std::string_view(linea).substr(1));
    else
      campos.erase(campos.begin());
    const std::int32_t valor = ConvertirNumero(campos[0]).valor;
    if (valor < numero) continue;
    if (valor > numero) return {};
    DatosPunto d;
    d.nick = Campo(campos, 1);
    d.ciudad = Campo(campos, 2);
    d.nombre = Campo(campos, 3);
    d.telefono = Campo(campos, 4);
    return d;
  }
  return {};
}

}  // namespace modelo
