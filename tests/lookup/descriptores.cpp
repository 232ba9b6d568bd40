// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/lookup/descriptores.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

template <typename F>
void PorCadaDescriptor(const std::string& ruta, F&& hacer) {
  const auto buscado = std::filesystem::weakly_canonical(ruta);
  for (const auto& entrada : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const auto destino = std::filesystem::read_symlink(entrada.path(), error);
    if (!error && destino == buscado) hacer(entrada.path().filename().string());
  }
}

}  // namespace

int DescriptoresAbiertos(const std::string& ruta) {
  int cuenta = 0;
  PorCadaDescriptor(ruta, [&](const std::string&) { ++cuenta; });
  return cuenta;
}

long PosicionLeida(const std::string& ruta) {
  long posicion = -1;
  PorCadaDescriptor(ruta, [&](const std::string& fd) {
    std::ifstream info("/proc/self/fdinfo/" + fd);
    std::string campo;
    while (info >> campo)
      if (campo == "pos:") info >> posicion;
  });
  return posicion;
}
