// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/internet.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct Protocolo {
  std::string_view flag;
  std::string_view nombre;
  std::uint16_t puerto;
};

constexpr std::array<Protocolo, 5> kProtocolos{{{"IBN", "binkp", 24554},
                                                {"IFC", "ifcico", 60179},
                                                {"ITN", "telnet", 23},
                                                {"IVM", "vmodem", 3141},
                                                {"IFT", "ftp", 21}}};

constexpr std::string_view kIna = "INA";

constexpr bool EsDigito(char c) noexcept {
  return c >= '0' && c <= '9';
}
constexpr bool EsLetra(char c) noexcept {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr char Mayuscula(char c) noexcept {
  return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

bool IgualesSinCaso(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Mayuscula(x) == Mayuscula(y);
         });
}

bool SoloDigitos(std::string_view texto) noexcept {
  return !texto.empty() && std::all_of(texto.begin(), texto.end(), EsDigito);
}

bool EsIpv4(std::string_view texto) noexcept {
  for (int parte = 0; parte < 4; ++parte) {
    const auto punto = texto.find('.');
    const std::string_view numero = parte == 3 ? texto : texto.substr(0, punto);
    if ((parte < 3 && punto == std::string_view::npos) || !SoloDigitos(numero) || numero.size() > 3)
      return false;
    unsigned valor = 0;
    for (const char c : numero)
      valor = valor * 10 + static_cast<unsigned>(c - '0');
    if (valor > 255) return false;
    if (parte < 3) texto.remove_prefix(punto + 1);
  }
  return true;
}

// What goes between the brackets: hex digits and colons, with an IPv4 tail allowed
// ("::ffff:1.2.3.4").
bool EsIpv6(std::string_view texto) noexcept {
  const auto valido = [](char c) {
    return EsDigito(c) || (Mayuscula(c) >= 'A' && Mayuscula(c) <= 'F') || c == ':' || c == '.';
  };
  return texto.size() >= 2 && texto.size() <= 45 &&
         std::count(texto.begin(), texto.end(), ':') >= 2 &&
         std::all_of(texto.begin(), texto.end(), valido);
}

// Letters, digits and hyphens in every label, two labels at least, the last one letters only; a
// final dot (the root, "evg33.ru.") is allowed.
bool EsNombre(std::string_view texto) noexcept {
  if (texto.ends_with('.')) texto.remove_suffix(1);
  if (texto.empty() || texto.size() > 253) return false;
  const auto ultimo = texto.rfind('.');
  if (ultimo == std::string_view::npos) return false;
  const std::string_view final = texto.substr(ultimo + 1);
  if (final.size() < 2 || !std::all_of(final.begin(), final.end(), EsLetra)) return false;
  std::size_t largo = 0;
  for (const char c : texto) {
    if (c == '.') {
      if (largo == 0) return false;
      largo = 0;
    } else if (EsLetra(c) || EsDigito(c) || c == '-') {
      if (++largo > 63) return false;
    } else {
      return false;
    }
  }
  return true;
}

// The host of a value as a host is kept: an IPv6 address without its brackets.
std::optional<std::string_view> Host(std::string_view texto) noexcept {
  if (texto.size() > 2 && texto.front() == '[' && texto.back() == ']') {
    const std::string_view dentro = texto.substr(1, texto.size() - 2);
    if (EsIpv6(dentro)) return dentro;
    return std::nullopt;
  }
  if (EsIpv4(texto) || EsNombre(texto)) return texto;
  return std::nullopt;
}

// Leading zeros allowed ("024555"); an empty text is no port written.
std::optional<std::uint16_t> Puerto(std::string_view texto, std::uint16_t usual) noexcept {
  if (texto.empty()) return usual;
  if (!SoloDigitos(texto)) return std::nullopt;
  while (texto.size() > 1 && texto.front() == '0')
    texto.remove_prefix(1);
  if (texto.size() > 5) return std::nullopt;
  unsigned valor = 0;
  for (const char c : texto)
    valor = valor * 10 + static_cast<unsigned>(c - '0');
  if (valor == 0 || valor > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(valor);
}

// "IBN" alone or "IBN:..." in any case gives the value after the colon; "IBNX" is no match.
std::optional<std::string_view> Valor(std::string_view flag, std::string_view nombre) noexcept {
  if (flag.size() < nombre.size() || !IgualesSinCaso(flag.substr(0, nombre.size()), nombre))
    return std::nullopt;
  const auto resto = flag.substr(nombre.size());
  if (resto.empty()) return resto;
  if (resto.front() != ':') return std::nullopt;
  return resto.substr(1);
}

// A value as written: "<host>", "<host>:<port>", "<port>", "[<IPv6>]" or "[<IPv6>]:<port>", either
// part possibly empty (":24555"). Digits alone are a port; with dots ("192.0.2.1") a host.
struct Escrito {
  std::string_view host;
  std::string_view puerto;
};

Escrito Partir(std::string_view valor) noexcept {
  if (valor.starts_with('[')) {
    const auto cierre = valor.find(']');
    if (cierre != std::string_view::npos) {
      const auto resto = valor.substr(cierre + 1);
      // Anything but ":<port>" after the bracket spoils the port, so the flag gives nothing.
      return {valor.substr(0, cierre + 1),
              resto.empty() || resto.front() != ':' ? resto : resto.substr(1)};
    }
  }
  if (SoloDigitos(valor)) return {{}, valor};
  const auto dosPuntos = valor.find(':');
  if (dosPuntos == std::string_view::npos) return {valor, {}};
  return {valor.substr(0, dosPuntos), valor.substr(dosPuntos + 1)};
}

struct Protocolario {
  const Protocolo* protocolo = nullptr;
  Escrito escrito;
};

std::optional<Protocolario> FlagDeProtocolo(std::string_view flag) noexcept {
  for (const Protocolo& protocolo : kProtocolos)
    if (const auto valor = Valor(flag, protocolo.flag))
      return Protocolario{&protocolo, Partir(*valor)};
  return std::nullopt;
}

bool Contiene(const std::vector<std::string_view>& hosts, std::string_view host) noexcept {
  return std::any_of(hosts.begin(), hosts.end(),
                     [&](std::string_view otro) { return IgualesSinCaso(otro, host); });
}

// The hosts a protocol flag without one of its own takes, by the first rule that gives any.
std::vector<std::string_view> HostsPorDefecto(const std::vector<std::string>& flags,
                                              std::string_view nombreSistema) {
  std::vector<std::string_view> hosts;
  for (const std::string& flag : flags) {
    const auto valor = Valor(flag, kIna);
    if (!valor) continue;
    // INA carries a host only: a port written there is ignored.
    const auto host = Host(Partir(*valor).host);
    if (host && !Contiene(hosts, *host)) hosts.push_back(*host);
  }
  if (!hosts.empty()) return hosts;
  for (const std::string& flag : flags) {
    const auto protocolario = FlagDeProtocolo(flag);
    if (!protocolario || protocolario->escrito.host.empty()) continue;
    if (const auto host = Host(protocolario->escrito.host)) return {*host};
  }
  if (const auto host = Host(nombreSistema)) return {*host};
  return {};
}

void Anadir(std::vector<ExtremoInternet>& extremos, std::string_view protocolo,
            std::string_view host, std::uint16_t puerto) {
  const bool repetido = std::any_of(extremos.begin(), extremos.end(), [&](const auto& extremo) {
    return extremo.protocolo == protocolo && extremo.puerto == puerto &&
           IgualesSinCaso(extremo.host, host);
  });
  if (!repetido) extremos.push_back({std::string(protocolo), std::string(host), puerto});
}

}  // namespace

bool EsHostInternet(std::string_view texto) noexcept {
  return Host(texto).has_value();
}

std::vector<ExtremoInternet> ExtremosInternet(const std::vector<std::string>& flags,
                                              std::string_view nombreSistema) {
  const std::vector<std::string_view> porDefecto = HostsPorDefecto(flags, nombreSistema);
  std::vector<ExtremoInternet> extremos;
  for (const std::string& flag : flags) {
    const auto protocolario = FlagDeProtocolo(flag);
    if (!protocolario) continue;
    const Protocolo& protocolo = *protocolario->protocolo;
    const auto puerto = Puerto(protocolario->escrito.puerto, protocolo.puerto);
    if (!puerto) continue;
    if (protocolario->escrito.host.empty()) {
      for (const std::string_view host : porDefecto)
        Anadir(extremos, protocolo.nombre, host, *puerto);
    } else if (const auto host = Host(protocolario->escrito.host)) {
      Anadir(extremos, protocolo.nombre, *host, *puerto);
    }
  }
  return extremos;
}
