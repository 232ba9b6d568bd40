// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/lists/lector_lista.h"

// Stops the run on a broken rule, after one line on stderr that says which: libFuzzer keeps the
// input, and the regression runner fails with the same line.
[[noreturn]] void Incumplida(const char* regla, const char* archivo, int linea);

#define EXIGIR(condicion)                                         \
  do {                                                            \
    if (!(condicion)) Incumplida(#condicion, __FILE__, __LINE__); \
  } while (false)

#define FALLAR(motivo) Incumplida(motivo, __FILE__, __LINE__)

// The input as the byte string the engine works on.
inline std::string_view Bytes(const std::uint8_t* datos, std::size_t tam) {
  return {reinterpret_cast<const char*>(datos), tam};
}

// One scratch file for the whole process, rewritten for every input: a run of millions of
// inputs must not pile up files or descriptors. It is made in $TMPDIR, else /dev/shm, else /tmp,
// and has no name there: nothing is left behind, however the process ends.
class ArchivoTemporal final {
 public:
  ArchivoTemporal();
  ~ArchivoTemporal();
  ArchivoTemporal(const ArchivoTemporal&) = delete;
  ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;

  // Replaces the whole content with `bytes`; any failure stops the run.
  void Escribir(std::string_view bytes);
  [[nodiscard]] const std::string& Ruta() const noexcept { return ruta_; }

 private:
  std::string ruta_;
  int escritor_ = -1;
};

// The process's scratch file, made on first use.
ArchivoTemporal& Temporal();

// The lowest descriptor number that is free now. A reader that leaks its descriptor pushes it up.
[[nodiscard]] int PrimerDescriptorLibre();

// Runs `usar` on a reader open on the scratch file, then closes it: every step is checked as the
// lookups check it, a regular scratch file must read without I/O errors, and the reader must
// leave no descriptor behind.
template <typename Usar>
void ConLectorTemporal(Usar&& usar) {
  const int libre = PrimerDescriptorLibre();
  try {
    LectorLista lector;
    lector.Asignar(Temporal().Ruta());
    lector.Abrir();
    ComprobarES();
    usar(lector);
    lector.Cerrar();
    ComprobarES();
  } catch (const ErrorEntradaSalida&) {
    FALLAR("a regular scratch file must read without I/O errors");
  }
  EXIGIR(PrimerDescriptorLibre() == libre);
}
