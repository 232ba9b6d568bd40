// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/internet.h"

#include <array>
#include <optional>

namespace {

struct Protocolo {
  std::string_view flag;
  std::string_view nombre;
  std::uint16_t puerto;
};

constexpr std::array<Protocolo, 4> kProtocolos{{{"IBN", "binkp", 24554},
                                                {"IFC", "ifcico", 60179},
                                                {"ITN", "telnet", 23},
                                                {"IVM", "vmodem", 3141}}};

constexpr std::string_view kIna = "INA";

struct HostPuerto {
  std::string_view host;
  std::string_view puerto;
};

bool SoloDigitos(std::string_view texto) noexcept {
  if (texto.empty()) return false;
  for (const char c : texto)
    if (c < '0' || c > '9') return false;
  return true;
}

// "<host>", "<host>:<port>", "<port>" or "[<IPv6>]:<port>". A value of digits alone is a port;
// one with dots ("192.0.2.1") is a host.
HostPuerto Partir(std::string_view valor) noexcept {
  HostPuerto partes;
  if (valor.starts_with('[')) {
    const auto cierre = valor.find(']');
    if (cierre != std::string_view::npos) {
      partes.host = valor.substr(1, cierre - 1);
      const auto resto = valor.substr(cierre + 1);
      if (resto.starts_with(':')) {
        partes.puerto = resto.substr(1);
      }
      return partes;
    }
  }
  if (SoloDigitos(valor)) {
    partes.puerto = valor;
    return partes;
  }
  const auto dosPuntos = valor.find(':');
  partes.host = valor.substr(0, dosPuntos);
  if (dosPuntos != std::string_view::npos) {
    partes.puerto = valor.substr(dosPuntos + 1);
  }
  return partes;
}

// An empty port text counts as none written ("IBN:host:").
std::optional<std::uint16_t> Puerto(std::string_view texto, std::uint16_t usual) noexcept {
  if (texto.empty()) return usual;
  if (!SoloDigitos(texto) || texto.size() > 5) return std::nullopt;
  unsigned valor = 0;
  for (const char c : texto)
    valor = valor * 10 + static_cast<unsigned>(c - '0');
  if (valor == 0 || valor > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(valor);
}

// "IBN" alone or "IBN:..." gives the value after the colon; anything else ("IBNX") is no match.
std::optional<std::string_view> Valor(std::string_view flag, std::string_view nombre) noexcept {
  if (!flag.starts_with(nombre)) return std::nullopt;
  const auto resto = flag.substr(nombre.size());
  if (resto.empty()) return resto;
  if (resto.front() != ':') return std::nullopt;
  return resto.substr(1);
}

std::string_view HostIna(const std::vector<std::string>& flags) noexcept {
  for (const std::string& flag : flags) {
    const auto valor = Valor(flag, kIna);
    if (valor && !valor->empty()) return Partir(*valor).host;
  }
  return {};
}

}  // namespace

std::vector<ExtremoInternet> ExtremosInternet(const std::vector<std::string>& flags) {
  const std::string_view ina = HostIna(flags);
  std::vector<ExtremoInternet> extremos;
  for (const std::string& flag : flags) {
    for (const Protocolo& protocolo : kProtocolos) {
      const auto valor = Valor(flag, protocolo.flag);
      if (!valor) continue;
      const HostPuerto partes = Partir(*valor);
      const std::string_view host = partes.host.empty() ? ina : partes.host;
      const auto puerto = Puerto(partes.puerto, protocolo.puerto);
      if (!host.empty() && puerto)
        extremos.push_back({std::string(protocolo.nombre), std::string(host), *puerto});
    }
  }
  return extremos;
}
