// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Large nodelists and pointlists for the benchmarks, written to a temporary folder: the node and
// the point a search looks for stand last, behind every other zone's copy of the same net number.

#include <cstdint>
#include <string>

#include "tests/comun/carpeta_temporal.h"

[[noreturn]] void FalloDelSistema(const std::string& que);

class Descriptor final {
 public:
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  [[nodiscard]] int Valor() const noexcept { return fd_; }

  void Cerrar();

 private:
  int fd_;
};

// One entry's address and the fields of its line, "_" included.
struct Objetivo {
  std::string direccion;
  std::string nombre;
  std::string ciudad;
  std::string persona;
  std::string telefono;
};

// Writes a nodelist of about `tamano` bytes; returns its last node. `escritos` gets the file size.
Objetivo GenerarNodelist(const std::string& ruta, std::uint64_t tamano, std::uint64_t& escritos);

// The last section belongs to `ultimoBoss`, and its last point is the file's last line.
Objetivo GenerarPointlist(const std::string& ruta, std::uint64_t tamano,
                          const std::string& ultimoBoss, std::uint64_t& escritos);

// A field as the lookup gives it back: "_" stands for a blank in the lists.
[[nodiscard]] std::string ConBlancos(std::string texto);

// Both lists of about `tamano` bytes each, in a folder of their own that goes with the object.
struct ListasGeneradas {
  explicit ListasGeneradas(std::uint64_t tamano);

  CarpetaTemporal carpeta;
  std::string rutaNodos;
  std::string rutaPuntos;
  std::uint64_t bytesNodos = 0;
  std::uint64_t bytesPuntos = 0;
  Objetivo nodo;   // the last node of the nodelist
  Objetivo punto;  // its last point, the pointlist's last line
};
