// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

struct stat;

#include "lookup/lists/errores_lectura.h"

// True when `ruta` names a regular file with a time stamp a DOS date can hold (1980 to 2107).
[[nodiscard]] bool ExisteArchivo(const std::string& ruta);

// True when a time stamp falls, in local time, in the years a DOS date can hold.
[[nodiscard]] bool FechaDeDosValida(std::time_t momento);

class MiembroArchivo;

// Forward reader of one list file, a line at a time, in reads of at most 128 bytes.
// Lines end at CR LF, CR or LF; a 0x1A byte ends the data. Failures go to resultadoES.
// A file whose first bytes are an archive's is read through it: the lines are its list member's.
class LectorLista final {
 public:
  static constexpr std::size_t kTamBufer = 128;

  LectorLista();
  // Reads of up to `tamBloque` bytes instead, for walks through a whole list: at 128 bytes a
  // read, a list costs a system call for every two lines.
  explicit LectorLista(std::size_t tamBloque);
  ~LectorLista();
  LectorLista(const LectorLista&) = delete;
  LectorLista& operator=(const LectorLista&) = delete;

  void Asignar(std::string ruta);
  // Binds the reader to a list kept in memory (a list brought forward by its diffs) instead of
  // a file: the same lines, end tests and failures, without a descriptor. `nombre` is what
  // Nombre() gives.
  void AsignarTexto(std::shared_ptr<const std::string> texto, std::string nombre);
  void Abrir();
  [[nodiscard]] bool FinDeArchivo();
  [[nodiscard]] std::string LeerLinea();
  // Same as LeerLinea, into `linea`, so a loop can keep reusing one buffer.
  void LeerLinea(std::string& linea);
  // Keeps only the first `limite` bytes of the line; the rest is read past and dropped.
  void LeerLinea(std::string& linea, std::size_t limite);
  void Cerrar();
  // The start of the first line, at most `tope` bytes of it, reading no further than that takes.
  // Unlike LeerLinea it raises nothing: failures stay in resultadoES, as for the end test.
  [[nodiscard]] std::string Principio(std::size_t tope);

  // True when the open file is no longer the one Abrir found (size, inode, modification or change
  // time differ, on the descriptor or at the path): a list rewritten while it was read. A list
  // kept in memory never changes. Raises nothing.
  [[nodiscard]] bool CambioDesdeQueSeAbrio() const noexcept;

  [[nodiscard]] bool Abierto() const noexcept { return manejador_ >= 0 || textoAbierto_; }
  [[nodiscard]] const std::string& Ruta() const noexcept { return ruta_; }
  // What is read: the path, or "path:member" once the first read found the list in an archive
  // (still so after Cerrar).
  [[nodiscard]] std::string Nombre() const;

 private:
  bool HayByte();
  bool Rellenar();
  bool LeerArchivo(std::uint32_t leidos);
  void Soltar() noexcept;

  std::string ruta_;
  int manejador_ = -1;
  std::vector<unsigned char> bufer_ = std::vector<unsigned char>(kTamBufer);
  struct Huella {
    std::uint64_t dispositivo = 0, inodo = 0;
    std::int64_t tam = 0, modificado = 0, cambiado = 0;  // times in nanoseconds
    bool operator==(const Huella&) const = default;
  };
  static Huella HuellaDe(const struct stat& datos) noexcept;
  Huella huella_;
  std::uint32_t posBufer_ = 0;
  std::uint32_t finBufer_ = 0;
  bool primerBloque_ = true;
  std::unique_ptr<MiembroArchivo> archivo_;
  std::string miembro_;
  std::shared_ptr<const std::string> texto_;
  std::size_t posTexto_ = 0;
  bool textoAbierto_ = false;
};

// Whether a list read on this thread changed under its reader (CambioDesdeQueSeAbrio) since the
// last OlvidarCambio; noted where a reading ends, before the reader is closed.
void NotarSiCambio(const LectorLista& lector) noexcept;
void NotarCambio() noexcept;
[[nodiscard]] bool HuboCambio() noexcept;
void OlvidarCambio() noexcept;
