// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One way to reach a node over the internet, from its nodelist flags.
struct ExtremoInternet {
  std::string protocolo;  // "binkp", "ifcico", "telnet", "vmodem" or "ftp"
  std::string host;       // an IPv6 address without its brackets
  std::uint16_t puerto = 0;

  bool operator==(const ExtremoInternet&) const = default;
};

// The endpoints of the IBN, IFC, ITN, IVM and IFT flags of one entry (FTS-5001), in flag order,
// each (protocol, host, port) once. Flag names are read in any letter case. A flag is "IBN",
// "IBN:<host>", "IBN:<host>:<port>" or "IBN:<port>", a host being an IPv4 address, an IPv6 address
// in brackets or a dotted name ending in a label of two or more letters; a port is decimal digits,
// 1 to 65535. A flag that writes no host takes every host of the entry's INA flags, or else the
// first host written under another of these flags, or else `nombreSistema` when it is a host; a
// flag without a port takes the protocol's usual one. A flag with something else written (a port
// "+24555", a host "abc" or "2001:db8::1") gives no endpoint.
[[nodiscard]] std::vector<ExtremoInternet> ExtremosInternet(const std::vector<std::string>& flags,
                                                            std::string_view nombreSistema);

// Whether `texto` is a host by the rule above (an IPv6 address without brackets is not).
[[nodiscard]] bool EsHostInternet(std::string_view texto) noexcept;
