// SPDX-License-Identifier: GPL-3.0-or-later
// Any system name and flags field: the endpoints are hosts and ports the entry writes, each once,
// and every flag gets one line of words that starts with it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/apoyo.h"
#include "lookup/entries/internet.h"
#include "lookup/entries/significado_flags.h"

namespace {

std::string Minusculas(std::string_view texto) {
  std::string salida(texto);
  for (char& c : salida)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return salida;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const std::string_view entrada = Bytes(datos, tam);
  const auto salto = entrada.find('\n');
  const std::string_view sistema = entrada.substr(0, salto);
  std::vector<std::string> flags;
  if (salto != std::string_view::npos) {
    std::string_view resto = entrada.substr(salto + 1);
    while (true) {
      const auto coma = resto.find(',');
      flags.emplace_back(resto.substr(0, coma));
      if (coma == std::string_view::npos) break;
      resto.remove_prefix(coma + 1);
    }
  }

  const std::vector<ExtremoInternet> extremos = ExtremosInternet(flags, sistema);
  std::string escrito = Minusculas(sistema);
  for (const std::string& flag : flags)
    escrito += ',' + Minusculas(flag);
  for (std::size_t i = 0; i < extremos.size(); ++i) {
    const ExtremoInternet& e = extremos[i];
    const bool conocido = e.protocolo == "binkp" || e.protocolo == "ifcico" ||
                          e.protocolo == "telnet" || e.protocolo == "vmodem" ||
                          e.protocolo == "ftp";
    EXIGIR(conocido);
    EXIGIR(e.puerto != 0);
    // No host is made up: each is written in the entry.
    EXIGIR(escrito.find(Minusculas(e.host)) != std::string::npos);
    for (std::size_t j = 0; j < i; ++j)
      EXIGIR(!(extremos[j].protocolo == e.protocolo && extremos[j].puerto == e.puerto &&
               Minusculas(extremos[j].host) == Minusculas(e.host)));
  }

  const std::vector<std::string> lineas = SignificadoFlags(flags);
  const auto llenos =
      std::count_if(flags.begin(), flags.end(), [](const std::string& f) { return !f.empty(); });
  EXIGIR(lineas.size() == static_cast<std::size_t>(llenos));
  std::size_t k = 0;
  for (const std::string& flag : flags) {
    if (flag.empty()) continue;
    EXIGIR(lineas[k].starts_with(flag + ": ") && lineas[k].size() > flag.size() + 2);
    ++k;
  }
  return 0;
}
