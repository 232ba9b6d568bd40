// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <functional>
#include <string>

// Test-only fault injection for the system calls the list reader makes. A program that links
// `fallos_sistema` has its calls to open, read, close and flock routed through here (the linker's
// --wrap); nothing changes until a fault is armed.
namespace fallos {

enum class Llamada { Abrir, Leer, Cerrar, Bloquear };

struct Falla {
  Llamada llamada = Llamada::Leer;
  // Only calls on this file count: open by its path, the others by a descriptor opened from it.
  std::string ruta;
  // The first call that fails, counting from 1 since arming, and how many fail in a row.
  int vez = 1;
  int veces = 1;
  int error = EIO;
};

// Arms `falla` for as long as it lives; calls before `vez` and after the run go through.
class Inyeccion final {
 public:
  explicit Inyeccion(Falla falla);
  ~Inyeccion();
  Inyeccion(const Inyeccion&) = delete;
  Inyeccion& operator=(const Inyeccion&) = delete;

  // Calls of the armed kind on the armed file so far, failed ones included.
  [[nodiscard]] int Llamadas() const;
  // Calls that were made to fail.
  [[nodiscard]] int Fallidas() const;
};

// Runs `accion` just before the `vez`-th call of `llamada` on `ruta` (to swap or cut the file
// under a reader), and with `siempre` before every later one too, for as long as the object lives.
class Antes final {
 public:
  Antes(Llamada llamada, std::string ruta, int vez, std::function<void()> accion,
        bool siempre = false);
  ~Antes();
  Antes(const Antes&) = delete;
  Antes& operator=(const Antes&) = delete;
};

}  // namespace fallos
