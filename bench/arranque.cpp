// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program against the floor, a Qt Widgets program with one empty window: the
// time from just before each process is spawned to the X server reporting its window mapped. The
// floor is also timed with one line of text in its window, which is what makes Qt load the fonts.
//
// Both are observed the same way, from outside: this client connects before the spawn and listens
// for MapNotify on the root window. The event's time is taken as it is read; only then is the
// window checked (_NET_WM_PID and title, one round trip), so the check adds nothing to either.
// Needs a display with no window manager: a manager would reparent the window and map it itself.
//
// Usage: buscarpunto-bench-arranque [--corridas N] PROGRAM FLOOR_PROGRAM

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "bench/listas_generadas.h"
#include "bench/medidas.h"

extern char** environ;

namespace {

constexpr int kCalentamiento = 2;
constexpr int kCorridasPorOmision = 15;
constexpr int kMuestrasLatencia = 50;
constexpr double kMeta = 1.2;
constexpr auto kPlazo = std::chrono::seconds(20);

struct Programa {
  std::string nombre;
  std::vector<std::string> argumentos;  // the program's path first
  std::string titulo;                   // the window's title starts with this
};

template <typename T>
using Respuesta = std::unique_ptr<T, decltype(&std::free)>;

class Conexion final {
 public:
  Conexion() : conexion_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(conexion_) != 0) {
      xcb_disconnect(conexion_);
      throw std::runtime_error("cannot connect to the X display (DISPLAY is not set or not open)");
    }
    raiz_ = xcb_setup_roots_iterator(xcb_get_setup(conexion_)).data->root;
  }
  ~Conexion() { xcb_disconnect(conexion_); }
  Conexion(const Conexion&) = delete;
  Conexion& operator=(const Conexion&) = delete;

  [[nodiscard]] xcb_connection_t* get() const noexcept { return conexion_; }
  [[nodiscard]] xcb_window_t Raiz() const noexcept { return raiz_; }

  [[nodiscard]] xcb_atom_t Atomo(std::string_view nombre) const {
    const Respuesta<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(
            conexion_,
            xcb_intern_atom(conexion_, 0, static_cast<uint16_t>(nombre.size()), nombre.data()),
            nullptr),
        &std::free);
    if (!r) throw std::runtime_error("InternAtom failed");
    return r->atom;
  }

  // Every event already sent, read and dropped: a round trip makes sure none is still on its way.
  void Vaciar() const {
    std::free(xcb_get_input_focus_reply(conexion_, xcb_get_input_focus(conexion_), nullptr));
    while (xcb_generic_event_t* e = xcb_poll_for_event(conexion_))
      std::free(e);
  }

  // The next MapNotify of a child of the root, with the time it was read; nothing once `hasta`
  // has passed.
  [[nodiscard]] std::optional<std::pair<xcb_window_t, Reloj::time_point>> SiguienteMapeo(
      Reloj::time_point hasta) const {
    for (;;) {
      while (xcb_generic_event_t* e = xcb_poll_for_event(conexion_)) {
        const auto leido = Reloj::now();
        const Respuesta<xcb_generic_event_t> evento(e, &std::free);
        if ((evento->response_type & 0x7f) == XCB_MAP_NOTIFY) {
          const auto* mapeo = reinterpret_cast<const xcb_map_notify_event_t*>(evento.get());
          return std::pair{mapeo->window, leido};
        }
      }
      if (xcb_connection_has_error(conexion_) != 0) throw std::runtime_error("X connection lost");
      const auto resta =
          std::chrono::duration_cast<std::chrono::milliseconds>(hasta - Reloj::now());
      if (resta.count() <= 0) return std::nullopt;
      pollfd espera{xcb_get_file_descriptor(conexion_), POLLIN, 0};
      if (::poll(&espera, 1, static_cast<int>(resta.count())) < 0 && errno != EINTR) {
        FalloDelSistema("poll");
      }
    }
  }

 private:
  xcb_connection_t* conexion_;
  xcb_window_t raiz_ = 0;
};

// A child process that is ended and reaped however the measure ends.
class Proceso final {
 public:
  Proceso(const std::vector<std::string>& argumentos, const std::vector<std::string>& entorno) {
    const auto punteros = [](const std::vector<std::string>& textos) {
      std::vector<char*> p;
      for (const std::string& t : textos)
        p.push_back(const_cast<char*>(t.c_str()));
      p.push_back(nullptr);
      return p;
    };
    const std::vector<char*> variables = punteros(entorno);
    const std::vector<char*> argv = punteros(argumentos);
    const std::string& ruta = argumentos.front();

    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acciones, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int error =
        ::posix_spawn(&pid_, ruta.c_str(), &acciones, nullptr, argv.data(), variables.data());
    posix_spawn_file_actions_destroy(&acciones);
    if (error != 0) throw std::system_error(error, std::generic_category(), "spawn " + ruta);
  }
  ~Proceso() {
    if (pid_ > 0) Terminar();
  }
  Proceso(const Proceso&) = delete;
  Proceso& operator=(const Proceso&) = delete;

  [[nodiscard]] pid_t Pid() const noexcept { return pid_; }

  // SIGTERM, as the session manager would send; true when the process ended on its own terms
  // (the program's orderly exit, or the default action of the signal in the floor program).
  bool Terminar() {
    ::kill(pid_, SIGTERM);
    int estado = 0;
    while (::waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return (WIFEXITED(estado) && WEXITSTATUS(estado) == 0) ||
           (WIFSIGNALED(estado) && WTERMSIG(estado) == SIGTERM);
  }

 private:
  pid_t pid_ = -1;
};

class Observador final {
 public:
  Observador()
      : pidAtomo_(conexion_.Atomo("_NET_WM_PID")), nombreAtomo_(conexion_.Atomo("_NET_WM_NAME")) {
    const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const Respuesta<xcb_generic_error_t> error(
        xcb_request_check(conexion_.get(),
                          xcb_change_window_attributes_checked(conexion_.get(), conexion_.Raiz(),
                                                               XCB_CW_EVENT_MASK, &mascara)),
        &std::free);
    if (error) throw std::runtime_error("cannot listen for windows on the root window");
  }

  // Milliseconds from the spawn of `programa` to the MapNotify of its titled window.
  double Medir(const Programa& programa, const std::vector<std::string>& entorno) {
    conexion_.Vaciar();
    const auto inicio = Reloj::now();
    Proceso proceso(programa.argumentos, entorno);
    const auto hasta = inicio + kPlazo;
    for (;;) {
      const auto mapeo = conexion_.SiguienteMapeo(hasta);
      if (!mapeo) throw std::runtime_error(programa.nombre + ": no window mapped within 20 s");
      if (EsSuya(mapeo->first, proceso.Pid(), programa.titulo)) {
        const double ms = Ms(mapeo->second - inicio);
        if (!proceso.Terminar()) throw std::runtime_error(programa.nombre + " did not end cleanly");
        return ms;
      }
    }
  }

  // What watching adds to a measure: a window mapped on a second connection, from its request
  // to the MapNotify read here.
  double LatenciaMs() {
    const Conexion otra;
    std::vector<double> muestras;
    for (int i = 0; i < kMuestrasLatencia; ++i) {
      const xcb_window_t ventana = xcb_generate_id(otra.get());
      const uint32_t valores[] = {1};
      xcb_create_window(otra.get(), XCB_COPY_FROM_PARENT, ventana, otra.Raiz(), 0, 0, 1, 1, 0,
                        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                        XCB_CW_OVERRIDE_REDIRECT, valores);
      otra.Vaciar();
      conexion_.Vaciar();
      const auto inicio = Reloj::now();
      xcb_map_window(otra.get(), ventana);
      xcb_flush(otra.get());
      const auto mapeo = conexion_.SiguienteMapeo(inicio + kPlazo);
      if (!mapeo || mapeo->first != ventana) throw std::runtime_error("own window not seen mapped");
      muestras.push_back(Ms(mapeo->second - inicio));
      xcb_destroy_window(otra.get(), ventana);
      otra.Vaciar();
    }
    return Mediana(muestras);
  }

 private:
  [[nodiscard]] bool EsSuya(xcb_window_t ventana, pid_t pid, const std::string& titulo) const {
    xcb_connection_t* const c = conexion_.get();
    const auto pedidoPid = xcb_get_property(c, 0, ventana, pidAtomo_, XCB_ATOM_CARDINAL, 0, 1);
    const auto pedidoNombre =
        xcb_get_property(c, 0, ventana, nombreAtomo_, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    const Respuesta<xcb_get_property_reply_t> rPid(xcb_get_property_reply(c, pedidoPid, nullptr),
                                                   &std::free);
    const Respuesta<xcb_get_property_reply_t> rNombre(
        xcb_get_property_reply(c, pedidoNombre, nullptr), &std::free);
    if (!rPid || !rNombre || xcb_get_property_value_length(rPid.get()) != 4) return false;
    uint32_t suyo = 0;
    std::memcpy(&suyo, xcb_get_property_value(rPid.get()), sizeof suyo);
    const std::string_view nombre(
        static_cast<const char*>(xcb_get_property_value(rNombre.get())),
        static_cast<std::size_t>(xcb_get_property_value_length(rNombre.get())));
    return suyo == static_cast<uint32_t>(pid) && nombre.starts_with(titulo);
  }

  Conexion conexion_;
  xcb_atom_t pidAtomo_;
  xcb_atom_t nombreAtomo_;
};

// The caller's environment with fresh settings and runtime folders, and the X11 platform forced.
std::vector<std::string> Entorno(const CarpetaTemporal& carpeta) {
  std::vector<std::string> entorno;
  for (char** v = environ; *v != nullptr; ++v) {
    const std::string_view variable(*v);
    if (variable.starts_with("XDG_CONFIG_HOME=") || variable.starts_with("XDG_RUNTIME_DIR=") ||
        variable.starts_with("QT_QPA_PLATFORM=")) {
      continue;
    }
    entorno.emplace_back(variable);
  }
  const std::string config = carpeta.Ruta("config");
  const std::string runtime = carpeta.Ruta("runtime");
  std::filesystem::create_directory(config);
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  entorno.push_back("XDG_CONFIG_HOME=" + config);
  entorno.push_back("XDG_RUNTIME_DIR=" + runtime);
  entorno.emplace_back("QT_QPA_PLATFORM=xcb");
  return entorno;
}

struct Serie {
  Programa programa;
  std::vector<double> ms;
};

int Ejecutar(int corridas, std::vector<Serie>& series) {
  const CarpetaTemporal carpeta;
  const std::vector<std::string> entorno = Entorno(carpeta);
  Observador observador;

  // The first start makes the settings file and fills the caches; the measured ones find them.
  for (int i = 0; i < kCalentamiento; ++i) {
    for (const Serie& s : series)
      (void)observador.Medir(s.programa, entorno);
  }
  for (int i = 0; i < corridas; ++i) {
    // A different one goes first each round, so that none always follows the same one's exit.
    for (std::size_t j = 0; j < series.size(); ++j) {
      Serie& s = series[(j + static_cast<std::size_t>(i)) % series.size()];
      s.ms.push_back(observador.Medir(s.programa, entorno));
    }
  }
  const double latencia = observador.LatenciaMs();
  timespec resolucion{};
  ::clock_getres(CLOCK_MONOTONIC, &resolucion);

  const char* pantalla = std::getenv("DISPLAY");
  std::printf(
      "start-up to the window mapped, display %s: median of %d runs each, after %d "
      "warm-up runs\n",
      pantalla != nullptr ? pantalla : "?", corridas, kCalentamiento);
  std::printf("%-52s %10s %8s %8s\n", "program", "median ms", "min ms", "max ms");
  for (const Serie& s : series) {
    const auto [menor, mayor] = std::minmax_element(s.ms.begin(), s.ms.end());
    std::printf("%-52s %10.1f %8.1f %8.1f\n", s.programa.nombre.c_str(), Mediana(s.ms), *menor,
                *mayor);
  }
  const double delPrograma = Mediana(series[0].ms);
  const double razon = delPrograma / Mediana(series[1].ms);
  std::printf("ratio program / floor: %.2fx   goal <= %.2fx: %s\n", razon, kMeta,
              razon <= kMeta ? "met" : "NOT met");
  std::printf("ratio program / floor with text: %.2fx\n", delPrograma / Mediana(series[2].ms));
  std::printf(
      "watching adds %.3f ms to each (a map request to its MapNotify read here, median of "
      "%d); clock resolution %ld ns\n",
      latencia, kMuestrasLatencia, resolucion.tv_nsec + resolucion.tv_sec * 1000000000L);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    int corridas = kCorridasPorOmision;
    std::vector<std::string> programas;
    for (int i = 1; i < argc; ++i) {
      const std::string_view argumento(argv[i]);
      if (argumento == "--corridas" && i + 1 < argc) {
        corridas = std::max(1, std::atoi(argv[++i]));
      } else {
        programas.emplace_back(argumento);
      }
    }
    if (programas.size() != 2) {
      std::fprintf(stderr, "usage: %s [--corridas N] PROGRAM FLOOR_PROGRAM\n", argv[0]);
      return 64;
    }
    std::vector<Serie> series{
        {{programas[0], {programas[0]}, "Buscar Punto"}, {}},
        {{programas[1], {programas[1]}, "Ventana minima"}, {}},
        {{programas[1] + " --texto", {programas[1], "--texto"}, "Ventana minima"}, {}}};
    return Ejecutar(corridas, series);
  } catch (const std::exception& fallo) {
    std::fprintf(stderr, "buscarpunto-bench-arranque: %s\n", fallo.what());
    return 1;
  }
}
