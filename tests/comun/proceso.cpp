// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/comun/proceso.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <sstream>
#include <stdexcept>
#include <string_view>
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

// The argument vector of `programa`, kept alive by `textos`.
std::vector<char*> Argumentos(std::vector<std::string>& textos) {
  std::vector<char*> argv;
  for (std::string& texto : textos)
    argv.push_back(texto.data());
  argv.push_back(nullptr);
  return argv;
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

// Starts `programa` in a child with `entorno`, its stdout and stderr on `salida` and `errores`
// unless they are -1, and without root's pass over file modes when `sinPrivilegios`.
pid_t Lanzar(const std::string& programa, const std::vector<std::string>& argumentos,
             char* const* entorno, int salida = -1, int errores = -1, bool sinPrivilegios = false) {
  std::vector<std::string> textos{programa};
  textos.insert(textos.end(), argumentos.begin(), argumentos.end());
  const std::vector<char*> argv = Argumentos(textos);
  const pid_t hijo = ::fork();
  if (hijo < 0) FalloSistema("fork");
  if (hijo == 0) {
    // Only async-signal-safe calls until the exec.
    if ((salida >= 0 && ::dup2(salida, STDOUT_FILENO) < 0) ||
        (errores >= 0 && ::dup2(errores, STDERR_FILENO) < 0) ||
        (sinPrivilegios && !SinPasarPorEncimaDeLosPermisos())) {
      ::_exit(127);
    }
    ::execve(argv[0], argv.data(), entorno);
    ::_exit(127);
  }
  return hijo;
}

int Esperar(pid_t hijo) {
  int estado = 0;
  while (::waitpid(hijo, &estado, 0) < 0) {
    if (errno != EINTR) FalloSistema("waitpid");
  }
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

SalidaProceso Recoger(const std::string& programa, const std::vector<std::string>& argumentos,
                      bool sinPrivilegios) {
  Tuberia salida = CrearTuberia();
  Tuberia errores = CrearTuberia();
  const pid_t hijo = Lanzar(programa, argumentos, environ, salida.escritura.fd(),
                            errores.escritura.fd(), sinPrivilegios);
  // Our copies of the write ends must go, or the reads below never see the end.
  salida.escritura.Cerrar();
  errores.escritura.Cerrar();
  SalidaProceso resultado;
  LeerHastaElFinal(salida.lectura, errores.lectura, resultado);
  resultado.codigo = Esperar(hijo);
  return resultado;
}

}  // namespace

SalidaProceso EjecutarProceso(const std::string& programa,
                              const std::vector<std::string>& argumentos) {
  return Recoger(programa, argumentos, false);
}

SalidaProceso EjecutarSinPrivilegios(const std::string& programa,
                                     const std::vector<std::string>& argumentos) {
  return Recoger(programa, argumentos, ::geteuid() == 0);
}

std::vector<std::string> Lineas(const std::string& texto) {
  std::vector<std::string> lineas;
  std::istringstream entrada(texto);
  for (std::string linea; std::getline(entrada, linea);)
    lineas.push_back(linea);
  return lineas;
}

ProcesoEnCurso::ProcesoEnCurso(const std::string& programa,
                               const std::vector<std::string>& argumentos,
                               const std::vector<std::string>& cambios) {
  const auto nombre = [](std::string_view variable) {
    return variable.substr(0, variable.find('='));
  };
  std::vector<std::string> entorno;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::none_of(cambios.begin(), cambios.end(), [&](const std::string& cambio) {
          return nombre(cambio) == nombre(*variable);
        }))
      entorno.emplace_back(*variable);
  }
  for (const std::string& cambio : cambios)
    if (cambio.find('=') != std::string::npos) entorno.push_back(cambio);
  pid_ = Lanzar(programa, argumentos, Argumentos(entorno).data());
}

bool ProcesoEnCurso::Corriendo() {
  if (codigo_) return false;
  int estado = 0;
  if (::waitpid(pid_, &estado, WNOHANG) == 0) return true;
  codigo_ = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  return false;
}

int ProcesoEnCurso::Esperar() {
  if (!codigo_) codigo_ = ::Esperar(pid_);
  return *codigo_;
}

MedidaHijo MedirEnOtroProceso(const std::function<bool()>& trabajo) {
  const auto inicio = std::chrono::steady_clock::now();
  const pid_t hijo = ::fork();
  if (hijo == 0) ::_exit(trabajo() ? 0 : 1);
  MedidaHijo medida;
  int estado = 0;
  rusage uso{};
  if (hijo < 0 || ::wait4(hijo, &estado, 0, &uso) != hijo) return medida;
  medida.correcta = WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
  medida.picoKb = uso.ru_maxrss;
  medida.segundos =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  return medida;
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
