// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/modelo.h"

#include <cstdint>
#include <optional>
#include <regex>

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
  std::string texto;
  for (const char ch : parteNodo) {
    if (ch == '@') break;
    texto += ch;
  }
  PartesNodo partes;
  const auto dosPuntos = texto.find(':');
  if (dosPuntos != std::string::npos) {
    partes.zona = texto.substr(0, dosPuntos);
    texto = texto.substr(dosPuntos + 1);
  }
  const auto barra = texto.find('/');
  partes.red = texto.substr(0, barra);
  if (barra != std::string::npos) partes.nodo = texto.substr(barra + 1);
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

namespace {

// The code points of UTF-8 text; nothing when it is not strictly valid UTF-8.
std::optional<std::vector<char32_t>> Utf8(std::string_view texto) {
  std::vector<char32_t> puntos;
  for (std::size_t i = 0; i < texto.size();) {
    const auto b = static_cast<unsigned char>(texto[i]);
    std::size_t largo = 1;
    char32_t punto = b;
    if (b >= 0x80) {
      if (b >= 0xC2 && b <= 0xDF) {
        largo = 2;
        punto = b & 0x1F;
      } else if (b >= 0xE0 && b <= 0xEF) {
        largo = 3;
        punto = b & 0x0F;
      } else if (b >= 0xF0 && b <= 0xF4) {
        largo = 4;
        punto = b & 0x07;
      } else {
        return std::nullopt;
      }
    }
    if (i + largo > texto.size()) return std::nullopt;
    for (std::size_t k = 1; k < largo; ++k) {
      const auto c = static_cast<unsigned char>(texto[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      punto = (punto << 6) | (c & 0x3F);
    }
    const char32_t minimos[] = {0, 0, 0x80, 0x800, 0x10000};
    if (punto < minimos[largo] || punto > 0x10FFFF || (punto >= 0xD800 && punto <= 0xDFFF))
      return std::nullopt;
    puntos.push_back(punto);
    i += largo;
  }
  return puntos;
}

// CP866 from 0x80 up, one character each.
const std::vector<char32_t>& Cp866() {
  static const std::vector<char32_t> tabla = *Utf8(
      "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмноп"
      "░▒▓│┤╡╢╖╕╣║╗╝╜╛┐└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
      "рстуфхцчшщъыьэюяЁёЄєЇїЎў°∙·√№¤■\u00A0");
  return tabla;
}

std::string ComoUtf8(char32_t punto) {
  std::string s;
  if (punto < 0x80) {
    s += static_cast<char>(punto);
  } else if (punto < 0x800) {
    s += static_cast<char>(0xC0 | (punto >> 6));
    s += static_cast<char>(0x80 | (punto & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (punto >> 12));
    s += static_cast<char>(0x80 | ((punto >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (punto & 0x3F));
  }
  return s;
}

std::string CampoEnCp866(const std::string& campo) {
  if (Utf8(campo)) return campo;
  std::string s;
  for (const char ch : campo) {
    const auto b = static_cast<unsigned char>(ch);
    s += b < 0x80 ? std::string(1, ch) : ComoUtf8(Cp866()[b - 0x80]);
  }
  return s;
}

bool Alto(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Cyrillic words (runs of two or more CP866 letter bytes, one of them A-p) against Latin letters
// (0xC0 up) elsewhere, over the lines that are not UTF-8.
void ContarPagina(const std::string& linea, long& cirilico, long& latino) {
  if (Utf8(linea)) return;
  std::size_t k = 0;
  while (k < linea.size()) {
    if (!Alto(linea[k])) {
      ++k;
      continue;
    }
    std::string tramo;
    while (k < linea.size() && Alto(linea[k]))
      tramo += linea[k++];
    bool palabra = tramo.size() >= 2;
    bool conBaja = false;
    for (const char ch : tramo) {
      const auto b = static_cast<unsigned char>(ch);
      const bool letra = b <= 0xAF || (b >= 0xE0 && b <= 0xF1);
      palabra = palabra && letra;
      conBaja = conBaja || b <= 0xAF;
    }
    if (palabra && conBaja) {
      cirilico += static_cast<long>(tramo.size());
    } else {
      for (const char ch : tramo)
        latino += static_cast<unsigned char>(ch) >= 0xC0 ? 1 : 0;
    }
  }
}

std::string Minusculas(std::string texto) {
  for (char& ch : texto)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return texto;
}

bool HayDigito(std::string_view texto) {
  for (const char ch : texto)
    if (ch >= '0' && ch <= '9') return true;
  return false;
}

// A number an address can name: a digit, and none of the address's own separators.
bool NumeroValido(std::string_view texto) {
  for (const char ch : texto)
    if (ch == ':' || ch == '/' || ch == '.' || ch == '@') return false;
  return HayDigito(texto);
}

bool EnDireccion(const PartesNodo& buscada, const std::string& zona, const std::string& red,
                 const std::string& nodo) {
  return red == buscada.red && nodo == buscada.nodo &&
         (zona.empty() || buscada.zona.empty() || zona == buscada.zona);
}

bool EsComentarioOVacia(const std::string& linea) {
  return linea.empty() || linea[0] == ';';
}

}  // namespace

std::vector<std::string> ComoSeLeen(const std::vector<std::string>& lineas) {
  std::vector<std::string> leidas;
  long cirilico = 0;
  long latino = 0;
  for (std::size_t k = 0; k < lineas.size(); ++k) {
    std::string linea = lineas[k];
    if (k == 0 && Empieza(linea, "\xEF\xBB\xBF")) linea = linea.substr(3);
    ContarPagina(linea, cirilico, latino);
    if (!EsComentarioOVacia(linea) && cirilico > latino && !Utf8(linea)) {
      std::string decodificada;
      const auto campos = Campos(linea);
      for (std::size_t i = 0; i < campos.size(); ++i)
        decodificada += (i > 0 ? "," : "") + CampoEnCp866(campos[i]);
      linea = decodificada;
    }
    leidas.push_back(linea);
  }
  return leidas;
}

DatosNodo BuscarNodo(const std::vector<std::string>& lineas, std::string_view parteNodo) {
  const PartesNodo buscada = PartirNodo(parteNodo);
  std::string zona;
  std::string red;
  bool hayRed = false;
  for (const std::string& linea : ComoSeLeen(lineas)) {
    if (EsComentarioOVacia(linea)) continue;
    const auto campos = Campos(linea);
    const std::string clave = Minusculas(campos[0]);
    const bool valido = campos.size() >= 2 && NumeroValido(campos[1]);
    std::string nodo;
    if (EsUnaDe(clave, {"zone", "region", "host"})) {
      hayRed = valido;
      if (!valido) continue;
      if (clave == "zone") zona = campos[1];
      red = campos[1];
      nodo = "0";
    } else if (EsUnaDe(clave, {"", "hub", "pvt", "hold", "down"}) && hayRed && valido) {
      nodo = campos[1];
    } else {
      continue;
    }
    if (EnDireccion(buscada, zona, red, nodo)) {
      DatosNodo d;
      d.bbs = Campo(campos, 2);
      d.ciudad = Campo(campos, 3);
      d.sysop = Campo(campos, 4);
      return d;
    }
  }
  return {};
}

DatosPunto BuscarPunto(const std::vector<std::string>& lineas, std::string_view parteNodo,
                       std::string_view partePunto) {
  const PartesNodo buscada = PartirNodo(parteNodo);
  const std::string sinDominio(partePunto.substr(0, partePunto.find('@')));
  const std::int32_t numero = ConvertirNumero(sinDominio).valor;
  if (numero <= 0) return {};

  enum { kSinDecidir, kBoss, kCombinado } formato = kSinDecidir;
  std::string zona;
  std::string red;
  std::string nodo;
  bool hayRed = false;
  bool hayJefe = false;
  const std::regex jefe("(?:([0-9]+):)?([0-9]+)/([0-9]+)");
  for (const std::string& linea : ComoSeLeen(lineas)) {
    if (EsComentarioOVacia(linea)) continue;
    const auto campos = Campos(linea);
    const std::string clave = Minusculas(campos[0]);
    if (formato == kSinDecidir || clave == "boss") formato = clave == "boss" ? kBoss : kCombinado;
    bool esPunto = false;
    if (formato == kBoss) {
      if (clave == "boss") {
        std::string direccion;
        for (std::size_t i = 0; campos.size() >= 2 && i < campos[1].size(); ++i) {
          const char ch = campos[1][i];
          if ((ch < '0' || ch > '9') && ch != ':' && ch != '/') break;
          direccion += ch;
        }
        std::smatch partes;
        hayJefe = campos.size() >= 2 && std::regex_match(direccion, partes, jefe);
        if (hayJefe) {
          zona = partes[1];
          red = partes[2];
          nodo = partes[3];
        }
        continue;
      }
      esPunto = hayJefe && EsUnaDe(clave, {"", "point", "pvt", "hold", "down"});
    } else {
      const bool valido = campos.size() >= 2 && NumeroValido(campos[1]);
      if (EsUnaDe(clave, {"zone", "region", "host"})) {
        hayRed = hayJefe = valido;
        if (valido) {
          if (clave == "zone") zona = campos[1];
          red = campos[1];
          nodo = "0";
        }
      } else if (EsUnaDe(clave, {"", "hub", "pvt", "hold", "down"})) {
        hayJefe = hayRed && valido;
        if (hayJefe) nodo = campos[1];
      }
      esPunto = hayJefe && clave == "point";
    }
    if (!esPunto || campos.size() < 2 || !HayDigito(campos[1])) continue;
    const std::int32_t valor = ConvertirNumero(campos[1]).valor;
    if (valor <= 0 || valor != numero || !EnDireccion(buscada, zona, red, nodo)) continue;
    DatosPunto d;
    d.nick = Campo(campos, 2);
    d.ciudad = Campo(campos, 3);
    d.nombre = Campo(campos, 4);
    d.telefono = Campo(campos, 5);
    return d;
  }
  return {};
}

}  // namespace modelo
