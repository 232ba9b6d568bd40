// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One way to reach a node over the internet, from its nodelist flags.
struct ExtremoInternet {
  std::string protocolo;  // "binkp", "ifcico", "telnet" or "vmodem"
  std::string host;
  std::uint16_t puerto = 0;

  bool operator==(const ExtremoInternet&) const = default;
};

// The endpoints of the IBN, IFC, ITN and IVM flags of one entry, in flag order (FTS-5001). A flag
// is "IBN", "IBN:<host>", "IBN:<host>:<port>" or "IBN:<port>"; a flag without a host takes the
// one of the entry's first INA flag, a flag without a port the protocol's usual one. A flag left
// with no host, or whose port is not a number from 1 to 65535, gives no endpoint.
[[nodiscard]] std::vector<ExtremoInternet> ExtremosInternet(const std::vector<std::string>& flags);
