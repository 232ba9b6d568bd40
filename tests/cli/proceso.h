// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/comun/carpeta_temporal.h"

struct SalidaProceso {
  std::string salida;   // stdout
  std::string errores;  // stderr
  int codigo = -1;      // exit status; -1 when the child did not exit normally
};

// Runs `programa` with `argumentos`, waits for it and returns what it wrote and its exit status.
[[nodiscard]] SalidaProceso EjecutarProceso(const std::string& programa,
                                            const std::vector<std::string>& argumentos);

// As EjecutarProceso, with the child refused whatever a file's mode refuses an ordinary user. Run
// by root, the child keeps uid 0, so it still reaches the program wherever the build lives, but
// loses the capabilities that pass over file modes; a child that cannot lose them exits with 127.
[[nodiscard]] SalidaProceso EjecutarSinPrivilegios(const std::string& programa,
                                                   const std::vector<std::string>& argumentos);

// The lines of a program's output, without their line ends.
[[nodiscard]] std::vector<std::string> Lineas(const std::string& texto);

// Holds an exclusive flock on a file for as long as it lives, as a writer would.
class BloqueoExclusivo final {
 public:
  explicit BloqueoExclusivo(const std::string& ruta);
  ~BloqueoExclusivo();
  BloqueoExclusivo(const BloqueoExclusivo&) = delete;
  BloqueoExclusivo& operator=(const BloqueoExclusivo&) = delete;

 private:
  int descriptor_;
};
