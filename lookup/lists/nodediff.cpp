// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/nodediff.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "lookup/lists/crc16.h"
#include "lookup/lists/lector_lista.h"

namespace {

constexpr std::string_view kFinLinea = "\r\n";
constexpr int kMaximoOrden = 32767;

class Rechazo final : public std::runtime_error {
 public:
  Rechazo(RechazoDiff tipo, const std::string& motivo) : std::runtime_error(motivo), tipo_(tipo) {}
  [[nodiscard]] RechazoDiff Tipo() const noexcept { return tipo_; }

 private:
  RechazoDiff tipo_;
};

bool EsDigito(char c) noexcept {
  return c >= '0' && c <= '9';
}

bool EsBlanco(char c) noexcept {
  return c == ' ' || c == '\t';
}

// A line of the diff as the message shows it: its own bytes only when they print as they are.
std::string Citar(std::string_view linea) {
  constexpr std::size_t kLargoCita = 24;
  bool imprimible = !linea.empty() && linea.size() <= kLargoCita;
  for (const char c : linea)
    imprimible = imprimible && c >= 0x20 && c < 0x7F;
  return imprimible ? "«" + std::string(linea) + "»" : "la línea";
}

std::string EnLinea(std::size_t numero, std::string_view orden) {
  return "línea " + std::to_string(numero) + " del diff: " + Citar(orden);
}

// The next line of the diff; false at its end. A diff that cannot be read is refused, not an
// error: the search still has the list it was for.
bool LineaDiff(LectorLista& diff, std::string& linea) {
  try {
    const bool fin = diff.FinDeArchivo();
    ComprobarES();
    if (fin) return false;
    diff.LeerLinea(linea, kLargoMaximoLineaDiff + 1);
  } catch (const ErrorEntradaSalida& error) {
    throw Rechazo(RechazoDiff::kIlegible, "no se puede leer: " + error.mensaje());
  }
  if (linea.size() > kLargoMaximoLineaDiff)
    throw Rechazo(RechazoDiff::kDemasiadoGrande, "tiene una línea de más de 64 KiB");
  return true;
}

bool LineaLista(LectorLista& lista, std::string& linea) {
  const bool fin = lista.FinDeArchivo();
  ComprobarES();
  if (fin) return false;
  lista.LeerLinea(linea, kLargoMaximoLineaDiff + 1);
  if (linea.size() > kLargoMaximoLineaDiff)
    throw Rechazo(RechazoDiff::kDemasiadoGrande,
                  "la lista anterior tiene una línea de más de 64 KiB");
  return true;
}

struct Orden {
  char letra = 0;
  int cuantas = 0;
};

// "An", "Cn" or "Dn", n from 1 to 32767 in decimal digits, nothing else on the line.
std::optional<Orden> LeerOrden(std::string_view linea) noexcept {
  if (linea.size() < 2 || linea.size() > 6) return std::nullopt;
  const char letra = linea[0];
  if (letra != 'A' && letra != 'C' && letra != 'D') return std::nullopt;
  int cuantas = 0;
  for (const char c : linea.substr(1)) {
    if (!EsDigito(c)) return std::nullopt;
    cuantas = cuantas * 10 + (c - '0');
  }
  if (cuantas < 1 || cuantas > kMaximoOrden) return std::nullopt;
  return Orden{letra, cuantas};
}

std::string CincoCifras(unsigned valor) {
  char texto[8];
  std::snprintf(texto, sizeof texto, "%05u", valor);
  return texto;
}

void Comprobar(std::string_view texto) {
  const std::size_t fin = texto.find(kFinLinea);
  const auto anunciado = CrcDeCabecera(texto.substr(0, fin));
  if (!anunciado)
    throw Rechazo(RechazoDiff::kSinCrc, "la primera línea de la lista nueva no acaba en su CRC");
  const std::uint16_t calculado = CrcDeLista(texto);
  if (calculado != *anunciado)
    throw Rechazo(RechazoDiff::kCrcDistinto, "el CRC no coincide: la primera línea dice " +
                                                 CincoCifras(*anunciado) + " y la lista da " +
                                                 CincoCifras(calculado));
}

}  // namespace

std::optional<std::uint16_t> CrcDeCabecera(std::string_view primeraLinea) noexcept {
  const std::size_t dosPuntos = primeraLinea.rfind(':');
  if (dosPuntos == std::string_view::npos) return std::nullopt;
  std::size_t pos = dosPuntos + 1;
  while (pos < primeraLinea.size() && EsBlanco(primeraLinea[pos]))
    ++pos;
  unsigned valor = 0;
  std::size_t cifras = 0;
  for (; pos < primeraLinea.size() && EsDigito(primeraLinea[pos]); ++pos, ++cifras)
    valor = valor * 10 + static_cast<unsigned>(primeraLinea[pos] - '0');
  while (pos < primeraLinea.size() && EsBlanco(primeraLinea[pos]))
    ++pos;
  if (cifras != 5 || pos != primeraLinea.size() || valor > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(valor);
}

std::uint16_t CrcDeLista(std::string_view texto) noexcept {
  const std::size_t fin = texto.find(kFinLinea);
  return fin == std::string_view::npos ? 0 : Crc16Xmodem(texto.substr(fin + kFinLinea.size()));
}

bool CrcCorrecto(std::string_view texto) noexcept {
  const auto anunciado = CrcDeCabecera(texto.substr(0, texto.find(kFinLinea)));
  return anunciado && *anunciado == CrcDeLista(texto);
}

DiffAplicado AplicarOrdenes(LectorLista& lista, LectorLista& diff, std::size_t tamPrevisto) {
  DiffAplicado resultado;
  std::string& texto = resultado.texto;
  texto.reserve(std::min(tamPrevisto, kTamMaximoListaDiff));
  try {
    std::string cabecera;
    if (!LineaDiff(diff, cabecera)) throw Rechazo(RechazoDiff::kOtraLista, "está vacío");
    // The list's first line is also the first one the commands act on.
    std::string pendiente;
    bool hayPendiente = LineaLista(lista, pendiente);
    if (!hayPendiente || pendiente != cabecera)
      throw Rechazo(RechazoDiff::kOtraLista, "su primera línea no es la de la lista");
    const auto vieja = [&](std::string& linea) {
      if (!hayPendiente) return LineaLista(lista, linea);
      linea.swap(pendiente);
      hayPendiente = false;
      return true;
    };

    std::string orden;
    std::string linea;
    std::size_t numero = 1;
    while (LineaDiff(diff, orden)) {
      const std::size_t lineaOrden = ++numero;
      const auto leida = LeerOrden(orden);
      if (!leida)
        throw Rechazo(RechazoDiff::kOrdenMala,
                      EnLinea(lineaOrden, orden) + " no es An, Cn ni Dn con n de 1 a 32767");
      for (int i = 0; i < leida->cuantas; ++i) {
        if (leida->letra == 'A') {
          if (!LineaDiff(diff, linea))
            throw Rechazo(RechazoDiff::kFaltanLineas,
                          EnLinea(lineaOrden, orden) + " pide más líneas de las que trae el diff");
          ++numero;
        } else if (!vieja(linea)) {
          throw Rechazo(RechazoDiff::kPasaDelFinal,
                        EnLinea(lineaOrden, orden) + " pasa del final de la lista anterior");
        }
        if (leida->letra == 'D') continue;
        if (texto.size() + linea.size() + kFinLinea.size() > kTamMaximoListaDiff)
          throw Rechazo(RechazoDiff::kDemasiadoGrande, "la lista nueva pasaría de 64 MiB");
        (texto += linea) += kFinLinea;
      }
    }
  } catch (const Rechazo& rechazo) {
    resultado.rechazo = rechazo.Tipo();
    resultado.motivo = rechazo.what();
    texto = std::string();
  }
  return resultado;
}

DiffAplicado AplicarDiff(LectorLista& lista, LectorLista& diff, std::size_t tamPrevisto) {
  DiffAplicado resultado = AplicarOrdenes(lista, diff, tamPrevisto);
  if (resultado.rechazo != RechazoDiff::kNinguno) return resultado;
  try {
    Comprobar(resultado.texto);
  } catch (const Rechazo& rechazo) {
    resultado.rechazo = rechazo.Tipo();
    resultado.motivo = rechazo.what();
    resultado.texto = std::string();
  }
  return resultado;
}
