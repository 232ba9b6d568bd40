// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/comun/fallos_sistema.h"

#include <fcntl.h>
#include <sys/types.h>

#include <cstdarg>
#include <filesystem>
#include <optional>
#include <set>

extern "C" {
int __real_open(const char* ruta, int flags, ...);
ssize_t __real_read(int fd, void* bufer, size_t largo);
int __real_close(int fd);
int __real_flock(int fd, int operacion);

int __wrap_open(const char* ruta, int flags, ...);
ssize_t __wrap_read(int fd, void* bufer, size_t largo);
int __wrap_close(int fd);
int __wrap_flock(int fd, int operacion);
}

namespace fallos {
namespace {

struct Accion {
  Llamada llamada;
  std::string ruta;
  int vez;
  std::function<void()> hacer;
  bool siempre;
};

// One test thread arms at a time; the gtest and Qt runners make these calls from that thread.
struct Estado {
  std::optional<Falla> falla;
  std::optional<Accion> accion;
  int llamadas = 0;
  int fallidas = 0;
  int llamadasAccion = 0;
  std::set<int> descriptores;  // open on the watched file
  std::string vigilada;
  bool enAccion = false;
};

Estado& estado() {
  static Estado e;
  return e;
}

bool Vigila(Llamada llamada, const char* ruta, int fd) {
  const Estado& e = estado();
  // What the action itself opens or closes is neither counted nor failed.
  if (e.vigilada.empty() || e.enAccion) return false;
  if (llamada == Llamada::Abrir) return ruta != nullptr && e.vigilada == ruta;
  return e.descriptores.count(fd) != 0;
}

// Counts the call; true when it must fail (errno is then set).
bool Toca(Llamada llamada, const char* ruta, int fd) {
  Estado& e = estado();
  if (!Vigila(llamada, ruta, fd)) return false;
  if (e.accion && e.accion->llamada == llamada &&
      (++e.llamadasAccion == e.accion->vez ||
       (e.accion->siempre && e.llamadasAccion > e.accion->vez))) {
    // An action may throw, standing for a failure in the middle of a call.
    struct EnAccion {
      Estado& e;
      explicit EnAccion(Estado& estado) : e(estado) { e.enAccion = true; }
      ~EnAccion() { e.enAccion = false; }
    } const enAccion(e);
    e.accion->hacer();
  }
  if (!e.falla || e.falla->llamada != llamada) return false;
  const int n = ++e.llamadas;
  if (n < e.falla->vez || n >= e.falla->vez + e.falla->veces) return false;
  ++e.fallidas;
  errno = e.falla->error;
  return true;
}

void Vigilar(const std::string& ruta) {
  Estado& e = estado();
  if (e.vigilada == ruta) return;
  e.vigilada = ruta;
  e.descriptores.clear();
  // A reader may have opened the file before arming; its descriptor counts too.
  std::error_code error;
  const auto buscado = std::filesystem::weakly_canonical(ruta, error);
  for (const auto& entrada : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    std::error_code otro;
    if (std::filesystem::read_symlink(entrada.path(), otro) == buscado && !otro)
      e.descriptores.insert(std::stoi(entrada.path().filename().string()));
  }
}

void DejarDeVigilar() {
  Estado& e = estado();
  if (e.falla || e.accion) return;
  e.vigilada.clear();
  e.descriptores.clear();
}

}  // namespace

Inyeccion::Inyeccion(Falla falla) {
  Estado& e = estado();
  Vigilar(falla.ruta);
  e.falla = std::move(falla);
  e.llamadas = e.fallidas = 0;
}

Inyeccion::~Inyeccion() {
  estado().falla.reset();
  DejarDeVigilar();
}

int Inyeccion::Llamadas() const {
  return estado().llamadas;
}

int Inyeccion::Fallidas() const {
  return estado().fallidas;
}

Antes::Antes(Llamada llamada, std::string ruta, int vez, std::function<void()> accion,
             bool siempre) {
  Estado& e = estado();
  Vigilar(ruta);
  e.accion = Accion{llamada, std::move(ruta), vez, std::move(accion), siempre};
  e.llamadasAccion = 0;
}

Antes::~Antes() {
  estado().accion.reset();
  DejarDeVigilar();
}

}  // namespace fallos

using fallos::Llamada;

int __wrap_open(const char* ruta, int flags, ...) {
  mode_t modo = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list argumentos;
    va_start(argumentos, flags);
    modo = static_cast<mode_t>(va_arg(argumentos, int));
    va_end(argumentos);
  }
  if (fallos::Toca(Llamada::Abrir, ruta, -1)) return -1;
  const int fd = __real_open(ruta, flags, modo);
  if (fd >= 0 && fallos::Vigila(Llamada::Abrir, ruta, -1)) fallos::estado().descriptores.insert(fd);
  return fd;
}

ssize_t __wrap_read(int fd, void* bufer, size_t largo) {
  if (fallos::Toca(Llamada::Leer, nullptr, fd)) return -1;
  return __real_read(fd, bufer, largo);
}

int __wrap_close(int fd) {
  const bool falla = fallos::Toca(Llamada::Cerrar, nullptr, fd);
  const int error = errno;
  fallos::estado().descriptores.erase(fd);
  // Linux frees the descriptor whatever close() reports, so a failing close still closes.
  const int resultado = __real_close(fd);
  if (falla) {
    errno = error;
    return -1;
  }
  return resultado;
}

int __wrap_flock(int fd, int operacion) {
  if (fallos::Toca(Llamada::Bloquear, nullptr, fd)) return -1;
  return __real_flock(fd, operacion);
}
