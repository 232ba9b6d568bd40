// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct SalidaProceso {
  std::string salida;   // stdout
  std::string errores;  // stderr
  int codigo = -1;      // exit status; -1 when the child did not exit normally

  // A test compares a whole run at once, and a failure shows all three parts.
  bool operator==(const SalidaProceso&) const = default;
  friend void PrintTo(const SalidaProceso& r, std::ostream* os) {
    *os << "{codigo " << r.codigo << ", salida \"" << r.salida << "\", errores \"" << r.errores
        << "\"}";
  }
};

// Runs `programa` with `argumentos`, waits for it and returns what it wrote and its exit status.
// A child that cannot start exits with 127.
[[nodiscard]] SalidaProceso EjecutarProceso(const std::string& programa,
                                            const std::vector<std::string>& argumentos);

// As EjecutarProceso, with the child refused whatever a file's mode refuses an ordinary user. Run
// by root, the child keeps uid 0, so it still reaches the program wherever the build lives, but
// loses the capabilities that pass over file modes; a child that cannot lose them exits with 127.
[[nodiscard]] SalidaProceso EjecutarSinPrivilegios(const std::string& programa,
                                                   const std::vector<std::string>& argumentos);

// The lines of a program's output, without their line ends.
[[nodiscard]] std::vector<std::string> Lineas(const std::string& texto);

// A child running `programa` with `argumentos` and this process's environment but for `cambios`
// ("NAME=value" sets, "NAME" removes), its output left alone. The destructor waits for it, so that
// no child outlives its test.
class ProcesoEnCurso final {
 public:
  ProcesoEnCurso(const std::string& programa, const std::vector<std::string>& argumentos,
                 const std::vector<std::string>& cambios = {});
  ~ProcesoEnCurso() { static_cast<void>(Esperar()); }
  ProcesoEnCurso(const ProcesoEnCurso&) = delete;
  ProcesoEnCurso& operator=(const ProcesoEnCurso&) = delete;

  [[nodiscard]] bool Corriendo();
  // Waits for the child: its exit status, -1 when it did not exit on its own.
  int Esperar();

 private:
  pid_t pid_ = -1;
  std::optional<int> codigo_;
};

// What running `trabajo` in a child cost, on its own: whether it returned true, the child's peak
// resident size and the time it took.
struct MedidaHijo {
  bool correcta = false;
  long picoKb = 0;
  double segundos = 0;
};
[[nodiscard]] MedidaHijo MedirEnOtroProceso(const std::function<bool()>& trabajo);

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
