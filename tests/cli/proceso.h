// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the suites of the command-line tool share: the tool, the sample lists, and runs of it.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/proceso.h"

inline const std::string kPrograma = CLI_PATH;
inline const std::string kMuestras = SAMPLES_DIR;
inline const std::string kNodelist = SAMPLES_DIR "/NODELIST.345";
inline const std::string kPointlist = SAMPLES_DIR "/POINTS.345";

[[nodiscard]] inline SalidaProceso Ejecutar(const std::vector<std::string>& argumentos) {
  return EjecutarProceso(kPrograma, argumentos);
}

// The tool run on two lists, with `extra` after them.
[[nodiscard]] inline SalidaProceso Ejecutar(const std::string& nodelist,
                                            const std::string& pointlist,
                                            const std::vector<std::string>& extra) {
  std::vector<std::string> argumentos{"--nodelist", nodelist, "--pointlist", pointlist};
  argumentos.insert(argumentos.end(), extra.begin(), extra.end());
  return Ejecutar(argumentos);
}

// The keys of a JSON object in the order the tool wrote them.
[[nodiscard]] inline std::vector<std::string> Claves(const nlohmann::ordered_json& objeto) {
  std::vector<std::string> claves;
  for (const auto& [clave, valor] : objeto.items())
    claves.push_back(clave);
  return claves;
}
