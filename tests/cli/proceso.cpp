// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/proceso.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

extern char** environ;

namespace {

[[noreturn]] void FalloSistema(const char* que) {
  throw std::system_error(errno, std::generic_category(), que);
}

class Descriptor final {
 public:
  Descriptor() = default;
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  ~Descriptor() { Cerrar(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& otro) noexcept : fd_(std::exchange(otro.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& otro) noexcept {
    if (this != &otro) {
      Cerrar();
      fd_ = std::exchange(otro.fd_, -1);
    }
    return *this;
  }

  [[nodiscard]] int fd() const noexcept { return fd_; }
  [[nodiscard]] bool Abierto() const noexcept { return fd_ >= 0; }
  void Cerrar() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct Tuberia {
  Descriptor lectura;
  Descriptor escritura;
};

Tuberia CrearTuberia() {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) FalloSistema("pipe2");
  return {Descriptor(fds[0]), Descriptor(fds[1])};
}

class AccionesHijo final {
 public:
  AccionesHijo() {
    if (const int e = posix_spawn_file_actions_init(&acciones_); e != 0) {
      throw std::system_error(e, std::generic_category(), "posix_spawn_file_actions_init");
    }
  }
  ~AccionesHijo() { posix_spawn_file_actions_destroy(&acciones_); }
  AccionesHijo(const AccionesHijo&) = delete;
  AccionesHijo& operator=(const AccionesHijo&) = delete;

  void Duplicar(int origen, int destino) {
    if (const int e = posix_spawn_file_actions_adddup2(&acciones_, origen, destino); e != 0) {
      throw std::system_error(e, std::generic_category(), "posix_spawn_file_actions_adddup2");
    }
  }
  [[nodiscard]] const posix_spawn_file_actions_t* get() const noexcept { return &acciones_; }

 private:
  posix_spawn_file_actions_t acciones_{};
};

// Reads both pipes together, so a child that fills one of them cannot stall.
void LeerHastaElFinal(Descriptor& salida, Descriptor& errores, SalidaProceso& resultado) {
  std::array<char, 4096> bufer{};
  while (salida.Abierto() || errores.Abierto()) {
    std::array<pollfd, 2> vigilados{{{salida.fd(), POLLIN, 0}, {errores.fd(), POLLIN, 0}}};
    if (::poll(vigilados.data(), vigilados.size(), -1) < 0) {
      if (errno == EINTR) continue;
      FalloSistema("poll");
    }
    const std::array<std::pair<Descriptor*, std::string*>, 2> destinos{
        {{&salida, &resultado.salida}, {&errores, &resultado.errores}}};
    for (std::size_t i = 0; i < destinos.size(); ++i) {
      if (vigilados[i].revents == 0) continue;
      const ssize_t leidos = ::read(destinos[i].first->fd(), bufer.data(), bufer.size());
      if (leidos < 0 && errno == EINTR) continue;
      if (leidos < 0) FalloSistema("read");
      if (leidos == 0) {
        destinos[i].first->Cerrar();
      } else {
        destinos[i].second->append(bufer.data(), static_cast<std::size_t>(leidos));
      }
    }
  }
}

}  // namespace

namespace {

// The argument vector of `programa`, kept alive by `textos`.
std::vector<char*> Argumentos(std::vector<std::string>& textos) {
  std::vector<char*> argv;
  for (std::string& texto : textos)
    argv.push_back(texto.data());
  argv.push_back(nullptr);
  return argv;
}

// Runs the child that `arrancar` starts with its stdout and stderr on the given descriptors, and
// collects what it writes and its exit status.
template <typename Arrancar>
SalidaProceso Recoger(const std::string& programa, const std::vector<std::string>& argumentos,
                      Arrancar arrancar) {
  Tuberia salida = CrearTuberia();
  Tuberia errores = CrearTuberia();
  std::vector<std::string> textos;
  textos.reserve(argumentos.size() + 1);
  textos.push_back(programa);
  textos.insert(textos.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv = Argumentos(textos);

  const pid_t hijo = arrancar(argv.data(), salida.escritura.fd(), errores.escritura.fd());
  // Our copies of the write ends must go, or the reads below never see the end.
  salida.escritura.Cerrar();
  errores.escritura.Cerrar();

  SalidaProceso resultado;
  LeerHastaElFinal(salida.lectura, errores.lectura, resultado);
  int estado = 0;
  while (::waitpid(hijo, &estado, 0) < 0) {
    if (errno != EINTR) FalloSistema("waitpid");
  }
  resultado.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  return resultado;
}

// Takes from this process, for good, the capabilities that let root read or write past a file's
// mode. execve gives uid 0 back every capability of its bounding and inheritable sets, so both
// lose them. Async-signal-safe: it runs between fork and exec.
bool SinPasarPorEncimaDeLosPermisos() noexcept {
  constexpr std::array<int, 2> kCapacidades{CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
  for (const int capacidad : kCapacidades) {
    if (::prctl(PR_CAPBSET_DROP, capacidad, 0, 0, 0) != 0) return false;
  }
  __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
  std::array<__user_cap_data_struct, _LINUX_CAPABILITY_U32S_3> datos{};
  if (::syscall(SYS_capget, &cabecera, datos.data()) != 0) return false;
  for (const int capacidad : kCapacidades) {
    datos[CAP_TO_INDEX(capacidad)].inheritable &= ~CAP_TO_MASK(capacidad);
  }
  return ::syscall(SYS_capset, &cabecera, datos.data()) == 0;
}

}  // namespace

SalidaProceso EjecutarProceso(const std::string& programa,
                              const std::vector<std::string>& argumentos) {
  return Recoger(programa, argumentos, [&](char* const* argv, int salida, int errores) {
    AccionesHijo acciones;
    acciones.Duplicar(salida, STDOUT_FILENO);
    acciones.Duplicar(errores, STDERR_FILENO);
    pid_t hijo = 0;
    if (const int e = posix_spawn(&hijo, programa.c_str(), acciones.get(), nullptr, argv, environ);
        e != 0) {
      throw std::system_error(e, std::generic_category(), "posix_spawn " + programa);
    }
    return hijo;
  });
}

SalidaProceso EjecutarSinPrivilegios(const std::string& programa,
                                     const std::vector<std::string>& argumentos) {
  if (::geteuid() != 0) return EjecutarProceso(programa, argumentos);
  return Recoger(programa, argumentos, [&](char* const* argv, int salida, int errores) {
    const pid_t hijo = ::fork();
    if (hijo < 0) FalloSistema("fork");
    if (hijo == 0) {
      // Only async-signal-safe calls until the exec.
      if (::dup2(salida, STDOUT_FILENO) < 0 || ::dup2(errores, STDERR_FILENO) < 0 ||
          !SinPasarPorEncimaDeLosPermisos()) {
        ::_exit(127);
      }
      ::execve(argv[0], argv, environ);
      ::_exit(127);
    }
    return hijo;
  });
}

BloqueoExclusivo::BloqueoExclusivo(const std::string& ruta)
    : descriptor_(::open(ruta.c_str(), O_RDWR | O_CLOEXEC)) {
  if (descriptor_ < 0) FalloSistema("open");
  if (::flock(descriptor_, LOCK_EX) != 0) {
    const int numero = errno;
    ::close(descriptor_);
    throw std::system_error(numero, std::generic_category(), "flock");
  }
}

BloqueoExclusivo::~BloqueoExclusivo() {
  ::close(descriptor_);
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> lineas;
  std::istringstream entrada(texto);
  for (std::string linea; std::getline(entrada, linea);)
    lineas.push_back(linea);
  return lineas;
}
