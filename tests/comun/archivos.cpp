// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/comun/archivos.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

std::string LeerArchivo(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

void Fechar(const std::string& ruta, std::time_t momento) {
  const timespec tiempos[2] = {{momento, 0}, {momento, 0}};
  if (::utimensat(AT_FDCWD, ruta.c_str(), tiempos, 0) != 0) {
    throw std::system_error(errno, std::generic_category(), "utimensat " + ruta);
  }
}

void Fechar(const std::string& ruta, int anio, int mes, int dia) {
  std::tm t{};
  t.tm_year = anio - 1900;
  t.tm_mon = mes - 1;
  t.tm_mday = dia;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  Fechar(ruta, std::mktime(&t));
}

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
