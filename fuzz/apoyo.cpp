// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/apoyo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

void Incumplida(const char* regla, const char* archivo, int linea) {
  std::fprintf(stderr, "%s:%d: rule broken: %s\n", archivo, linea, regla);
  std::fflush(stderr);
  __builtin_trap();
}

namespace {

bool EsCarpetaEscribible(const char* ruta) {
  struct stat datos {};
  return ruta != nullptr && *ruta != '\0' && stat(ruta, &datos) == 0 && S_ISDIR(datos.st_mode) &&
         access(ruta, W_OK) == 0;
}

std::string CarpetaDeTrabajo() {
  if (const char* tmpdir = std::getenv("TMPDIR"); EsCarpetaEscribible(tmpdir)) return tmpdir;
  if (EsCarpetaEscribible("/dev/shm")) return "/dev/shm";
  return "/tmp";
}

}  // namespace

ArchivoTemporal::ArchivoTemporal() {
  std::string plantilla = CarpetaDeTrabajo() + "/buscarpunto-fuzz-XXXXXX";
  std::vector<char> nombre(plantilla.begin(), plantilla.end());
  nombre.push_back('\0');
  escritor_ = mkostemp(nombre.data(), O_CLOEXEC);
  EXIGIR(escritor_ >= 0);
  // libFuzzer ends a process without running destructors, and a crash never runs them: the name
  // goes now, and the readers reach the file through this process's own descriptor.
  ::unlink(nombre.data());
  ruta_ = "/proc/self/fd/" + std::to_string(escritor_);
}

ArchivoTemporal::~ArchivoTemporal() {
  ::close(escritor_);
}

void ArchivoTemporal::Escribir(std::string_view bytes) {
  EXIGIR(::ftruncate(escritor_, 0) == 0);
  std::size_t escritos = 0;
  while (escritos < bytes.size()) {
    const ssize_t n = ::pwrite(escritor_, bytes.data() + escritos, bytes.size() - escritos,
                               static_cast<off_t>(escritos));
    if (n < 0 && errno == EINTR) continue;
    EXIGIR(n > 0);
    escritos += static_cast<std::size_t>(n);
  }
}

ArchivoTemporal& Temporal() {
  static ArchivoTemporal archivo;
  return archivo;
}

int PrimerDescriptorLibre() {
  const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  EXIGIR(fd >= 0);
  ::close(fd);
  return fd;
}
