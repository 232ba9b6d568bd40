// Times one whole search (EjecutarBusqueda) for the node and the point that stand last in a
// generated nodelist and pointlist, against the floor: reading both files to the end in the
// reader's own 128-byte requests. Also shows that peak memory does not grow with the files.

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "lookup/busqueda.h"

namespace {

constexpr int kCorridas = 15;
constexpr double kMeta = 1.3;
constexpr std::size_t kTamPeticion = 128;  // what LectorLista asks read() for
constexpr std::size_t kMinLinea = 80;
constexpr std::size_t kMaxLinea = 110;

[[noreturn]] void FalloDelSistema(const std::string& que) {
  throw std::system_error(errno, std::generic_category(), que);
}

class Descriptor final {
 public:
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  [[nodiscard]] int Valor() const noexcept { return fd_; }

  void Cerrar() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) FalloDelSistema("close");
  }

 private:
  int fd_;
};

class CarpetaTemporal final {
 public:
  CarpetaTemporal() {
    std::string plantilla =
        (std::filesystem::temp_directory_path() / "buscarpunto-bench-XXXXXX").string();
    if (::mkdtemp(plantilla.data()) == nullptr) FalloDelSistema("mkdtemp");
    ruta_ = plantilla;
  }
  ~CarpetaTemporal() {
    std::error_code ignorado;
    std::filesystem::remove_all(ruta_, ignorado);
  }
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  [[nodiscard]] std::string Ruta(const char* nombre) const { return (ruta_ / nombre).string(); }

 private:
  std::filesystem::path ruta_;
};

// Writes a list in blocks, so that generating it does not raise the peak memory being measured.
class Escritor final {
 public:
  explicit Escritor(const std::string& ruta)
      : fd_(::open(ruta.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {
    if (fd_.Valor() < 0) FalloDelSistema("open " + ruta);
    bloque_.reserve(kTamBloque);
  }

  void Linea(std::string_view texto) {
    Agregar(texto);
    Agregar("\r\n");
  }

  // Lists from DOS tools end in 0x1A.
  void Terminar() {
    Agregar("\x1a");
    Vaciar();
    fd_.Cerrar();
  }

  [[nodiscard]] std::uint64_t Bytes() const noexcept { return escritos_ + bloque_.size(); }

 private:
  static constexpr std::size_t kTamBloque = 64 * 1024;

  void Agregar(std::string_view texto) {
    if (bloque_.size() + texto.size() > kTamBloque) Vaciar();
    bloque_.append(texto);
  }

  void Vaciar() {
    std::size_t hecho = 0;
    while (hecho < bloque_.size()) {
      const ssize_t n = ::write(fd_.Valor(), bloque_.data() + hecho, bloque_.size() - hecho);
      if (n < 0) {
        if (errno == EINTR) continue;
        FalloDelSistema("write");
      }
      hecho += static_cast<std::size_t>(n);
    }
    escritos_ += bloque_.size();
    bloque_.clear();
  }

  Descriptor fd_;
  std::string bloque_;
  std::uint64_t escritos_ = 0;
};

// One entry's address and the fields of its line, "_" included.
struct Objetivo {
  std::string direccion;
  std::string nombre;
  std::string ciudad;
  std::string persona;
  std::string telefono;
};

// Line shapes after the 2009 world list and the Moscow pointlist.
class Generador final {
 public:
  explicit Generador(std::uint32_t semilla) : azar_(semilla) {}

  int Entre(int desde, int hasta) {
    return std::uniform_int_distribution<int>(desde, hasta)(azar_);
  }

  template <std::size_t N>
  using Opciones = std::array<std::string_view, N>;

  template <std::size_t N>
  std::string_view Elegir(const Opciones<N>& opciones) {
    return opciones[static_cast<std::size_t>(Entre(0, static_cast<int>(N) - 1))];
  }

  // Fields of a new entry, as they are written.
  Objetivo Campos() { return {{}, NombreSistema(), std::string(Ciudad()), Persona(), Telefono()}; }

  std::string NombreSistema() {
    std::string nombre(Elegir(kPalabras));
    const int extra = Entre(1, 2);
    for (int i = 0; i < extra; ++i)
      (nombre += '_') += Elegir(kPalabras);
    return nombre;
  }

  std::string Persona() { return std::string(Elegir(kNombres)) + '_' += Elegir(kApellidos); }

  std::string_view Ciudad() { return Elegir(kCiudades); }

  std::string Telefono() {
    if (Entre(0, 2) == 0) return "-Unpublished-";
    return std::string(Elegir(kPrefijos)) + std::to_string(Entre(100, 999)) + '-' +
           std::to_string(Entre(1000, 9999));
  }

  // "<clave>,<numero>,<nombre>,<ciudad>,<persona>,<telefono>,<velocidad>,<flags>..."
  std::string Entrada(std::string_view clave, int numero, const Objetivo& campos) {
    std::string linea(clave);
    (((linea += ',') += std::to_string(numero)) += ',') += campos.nombre;
    (((linea += ',') += campos.ciudad) += ',') += campos.persona;
    (((linea += ',') += campos.telefono) += ',') += Elegir(kVelocidades);
    const auto objetivo = static_cast<std::size_t>(Entre(kMinLinea, kMaxLinea));
    while (linea.size() < objetivo) {
      const std::string_view flag = Elegir(kFlags);
      if (linea.size() + 1 + flag.size() > kMaxLinea) {
        if (linea.size() >= kMinLinea) break;
        continue;
      }
      (linea += ',') += flag;
    }
    return linea;
  }

 private:
  static constexpr Opciones<24> kPalabras{"Fido",  "Mail", "Station", "BBS",  "Point", "Net",
                                          "Cave",  "Home", "Gate",    "Club", "Data",  "Link",
                                          "Board", "Star", "Night",   "Byte", "Echo",  "Dragon",
                                          "Wolf",  "Line", "Port",    "Hub",  "Lair",  "Castle"};
  static constexpr Opciones<12> kCiudades{"Moscow",     "Budapest_HUN",     "North_Charleston_SC",
                                          "Goteborg",   "La_Plata_BA",      "Warsaw_Poland",
                                          "Sydney_NSW", "Toronto_ON",       "Mariehamn_Aland",
                                          "Ocala_FL",   "Helsinki_Finland", "Zelenograd"};
  static constexpr Opciones<12> kNombres{"Sergey", "Alex", "Ward", "Bjorn", "David", "Janis",
                                         "Erno",   "Olga", "Mats", "Pavel", "Irina", "Manuel"};
  static constexpr Opciones<12> kApellidos{"Ozerov", "Farr",   "Dossche", "Felten",
                                           "Petro",  "Kracht", "Osipov",  "Barinov",
                                           "Knuts",  "Adorni", "Cook",    "Silvestrova"};
  static constexpr Opciones<5> kPrefijos{"7-095-", "36-1-", "46-8-", "1-843-", "61-2-"};
  static constexpr Opciones<4> kVelocidades{"300", "9600", "9600", "33600"};
  static constexpr Opciones<20> kFlags{
      "CM",  "MO",  "XA",  "XX", "XW",  "V34",  "V32B", "V42B", "VFC",       "H16",
      "IBN", "ITN", "IFC", "U",  "ENC", "V90C", "ZYX",  "LO",   "IBN:24555", "INA:bbs.fido.net"};

  std::mt19937 azar_;
};

// Zone 2 first, as in the real world lists; each zone reuses the same net numbers, so the
// wanted net number shows up in every zone before the wanted one.
constexpr std::array<int, 4> kZonas{2, 1, 3, 4};

Objetivo GenerarNodelist(const std::string& ruta, std::uint64_t tamano, std::uint64_t& escritos) {
  Generador g(2009);
  Escritor salida(ruta);
  salida.Linea(";A FidoNet Nodelist for Friday, January 2, 2009 -- Day number 002 : 56661");
  salida.Linea(";A");
  salida.Linea(";S Generated for the lookup benchmark; the node it looks for stands last.");

  Objetivo ultimo;
  const auto entrada = [&](std::string_view clave, int numero) {
    ultimo = g.Campos();
    salida.Linea(g.Entrada(clave, numero, ultimo));
  };

  for (std::size_t z = 0; z < kZonas.size(); ++z) {
    const int zona = kZonas[z];
    const std::uint64_t limite = tamano * (z + 1) / kZonas.size();
    salida.Linea(";");
    entrada("Zone", zona);
    for (int i = 0, n = g.Entre(3, 8); i < n; ++i)
      entrada("", i * 20 + g.Entre(1, 19));
    int region = zona * 10;
    int red = 100;
    while (salida.Bytes() < limite) {
      salida.Linea(";");
      entrada("Region", region++);
      for (int i = 0, n = g.Entre(0, 3); i < n; ++i)
        entrada(i == 0 ? "" : "Down", 100 * (i + 1));
      for (int h = 0, hosts = g.Entre(3, 8); h < hosts && salida.Bytes() < limite; ++h) {
        red += g.Entre(1, 9);
        salida.Linea(";");
        entrada("Host", red);
        int numero = 0;
        for (int i = 0, n = g.Entre(5, 150); i < n; ++i) {
          numero += g.Entre(1, 9);
          const int tipo = g.Entre(0, 99);
          const std::string_view clave = i % 25 == 0 && i > 0 ? "Hub"
                                         : tipo < 60          ? ""
                                         : tipo < 88          ? "Pvt"
                                         : tipo < 94          ? "Hold"
                                                              : "Down";
          entrada(clave, numero);
        }
        ultimo.direccion =
            std::to_string(zona) + ':' + std::to_string(red) + '/' + std::to_string(numero);
      }
    }
  }
  escritos = salida.Bytes() + 1;
  salida.Terminar();
  return ultimo;
}

// The last section belongs to `ultimoBoss`, and its last point is the file's last line.
Objetivo GenerarPointlist(const std::string& ruta, std::uint64_t tamano,
                          const std::string& ultimoBoss, std::uint64_t& escritos) {
  Generador g(2008);
  Escritor salida(ruta);
  salida.Linea(";A Zone Pointlist for Friday, April 11, 2008 -- Day number 102 : 09219");
  salida.Linea(";A");
  salida.Linea(";S Generated for the lookup benchmark; the point it looks for stands last.");

  Objetivo ultimo;
  const auto seccion = [&](const std::string& boss) {
    salida.Linea(";");
    salida.Linea(";Segment: seg" + boss.substr(boss.find('/') + 1) +
                 ".pnt, date: 06-Jan-08 16:01:16, size: 682 bytes, sysop " + g.Persona());
    salida.Linea("Boss," + boss);
    int punto = 0;
    for (int i = 0, n = g.Entre(1, 60); i < n; ++i) {
      punto += g.Entre(1, 20);
      const int tipo = g.Entre(0, 9);
      ultimo = g.Campos();
      ultimo.direccion = boss + '.' + std::to_string(punto);
      salida.Linea(g.Entrada(tipo < 7 ? "Point" : tipo < 9 ? "" : "Pvt", punto, ultimo));
    }
  };

  for (std::size_t z = 0; z < kZonas.size(); ++z) {
    const std::string zona = std::to_string(kZonas[z]);
    // Room for the last section, which is written after the loop.
    const std::uint64_t limite = tamano * (z + 1) / kZonas.size() - 4096;
    int red = 100;
    while (salida.Bytes() < limite) {
      red += g.Entre(1, 30);
      int nodo = 0;
      for (int b = 0, bosses = g.Entre(1, 6); b < bosses; ++b) {
        nodo += g.Entre(1, 40);
        seccion(zona + ':' + std::to_string(red) + '/' + std::to_string(nodo));
      }
    }
  }
  seccion(ultimoBoss);
  escritos = salida.Bytes() + 1;
  salida.Terminar();
  return ultimo;
}

std::string ConBlancos(std::string texto) {
  std::replace(texto.begin(), texto.end(), '_', ' ');
  return texto;
}

std::uint64_t LeerHastaElFinal(const std::string& ruta) {
  Descriptor fd(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Valor() < 0) FalloDelSistema("open " + ruta);
  std::array<unsigned char, kTamPeticion> bufer{};
  std::uint64_t total = 0;
  for (;;) {
    const ssize_t n = ::read(fd.Valor(), bufer.data(), bufer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      FalloDelSistema("read " + ruta);
    }
    if (n == 0) break;
    total += static_cast<std::uint64_t>(n);
  }
  fd.Cerrar();
  return total;
}

long PicoRssKb() {
  rusage uso{};
  if (::getrusage(RUSAGE_SELF, &uso) != 0) FalloDelSistema("getrusage");
  return uso.ru_maxrss;
}

double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}

void Comprobar(bool bien, const std::string& que) {
  if (!bien) throw std::runtime_error("wrong search result: " + que);
}

struct Medida {
  const char* nombre;
  std::uint64_t bytesNodos = 0;
  std::uint64_t bytesPuntos = 0;
  double busquedaMs = 0;
  double sueloMs = 0;
  long rssAntesKb = 0;
  long rssDespuesKb = 0;
  std::string direccion;
  std::string nodoHallado;
  std::string puntoHallado;
};

Medida Medir(const char* nombre, std::uint64_t tamano) {
  const CarpetaTemporal carpeta;
  const std::string rutaNodos = carpeta.Ruta("NODELIST.002");
  const std::string rutaPuntos = carpeta.Ruta("POINTS.102");
  Medida medida;
  medida.nombre = nombre;
  const Objetivo nodo = GenerarNodelist(rutaNodos, tamano, medida.bytesNodos);
  const Objetivo punto = GenerarPointlist(rutaPuntos, tamano, nodo.direccion, medida.bytesPuntos);
  medida.direccion = punto.direccion;

  const Informar informar = [](const std::string& mensaje) {
    throw std::runtime_error("unexpected message: " + mensaje);
  };
  const auto buscar = [&] {
    const ResultadoBusqueda r = EjecutarBusqueda(rutaNodos, rutaPuntos, punto.direccion, informar);
    Comprobar(r.ejecutada, "search did not run");
    Comprobar(r.nodo.bbs == ConBlancos(nodo.nombre) && r.nodo.ciudad == ConBlancos(nodo.ciudad) &&
                  r.nodo.sysop == ConBlancos(nodo.persona),
              punto.direccion + ": node gave \"" + r.nodo.bbs + "\" / \"" + r.nodo.ciudad +
                  "\" / \"" + r.nodo.sysop + "\"");
    Comprobar(r.punto.nick == ConBlancos(punto.nombre) &&
                  r.punto.ciudad == ConBlancos(punto.ciudad) &&
                  r.punto.nombre == ConBlancos(punto.persona) &&
                  r.punto.telefono == ConBlancos(punto.telefono),
              punto.direccion + ": point gave \"" + r.punto.nick + "\" / \"" + r.punto.ciudad +
                  "\" / \"" + r.punto.nombre + "\" / \"" + r.punto.telefono + "\"");
    return r;
  };
  const auto suelo = [&] {
    const std::uint64_t leidos = LeerHastaElFinal(rutaNodos) + LeerHastaElFinal(rutaPuntos);
    Comprobar(leidos == medida.bytesNodos + medida.bytesPuntos, "floor read a short file");
  };

  // Warm the page cache, so both sides read from memory.
  suelo();
  const ResultadoBusqueda hallado = buscar();
  medida.nodoHallado = hallado.nodo.bbs + " / " + hallado.nodo.ciudad + " / " + hallado.nodo.sysop;
  medida.puntoHallado = hallado.punto.nick + " / " + hallado.punto.ciudad + " / " +
                        hallado.punto.nombre + " / " + hallado.punto.telefono;

  using Reloj = std::chrono::steady_clock;
  const auto ms = [](Reloj::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  std::vector<double> tiemposBusqueda;
  std::vector<double> tiemposSuelo;
  medida.rssAntesKb = PicoRssKb();
  for (int i = 0; i < kCorridas; ++i) {
    const auto t0 = Reloj::now();
    suelo();
    const auto t1 = Reloj::now();
    (void)buscar();
    const auto t2 = Reloj::now();
    tiemposSuelo.push_back(ms(t1 - t0));
    tiemposBusqueda.push_back(ms(t2 - t1));
  }
  medida.rssDespuesKb = PicoRssKb();
  medida.busquedaMs = Mediana(tiemposBusqueda);
  medida.sueloMs = Mediana(tiemposSuelo);
  return medida;
}

double Mb(std::uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

int Ejecutar() {
  // Small lists first: ru_maxrss only ever grows, so a rise with the big lists would show.
  const std::array<Medida, 2> medidas{Medir("1.5 MB", 3 * 512 * 1024),
                                      Medir("6 MB", 6 * 1024 * 1024)};

  std::printf("buscarpunto-bench: median of %d runs, warm page cache\n", kCorridas);
  std::printf("search = one EjecutarBusqueda of the node and the point that stand last\n");
  std::printf("floor  = open, read(fd, buf, %zu) to the end, close; both files\n\n", kTamPeticion);
  std::printf("%-7s %9s %10s %11s %10s %7s %14s %14s\n", "lists", "nodelist", "pointlist",
              "search ms", "floor ms", "ratio", "RSS peak pre", "RSS peak post");
  bool meta = true;
  for (const Medida& m : medidas) {
    const double razon = m.busquedaMs / m.sueloMs;
    meta = meta && razon <= kMeta;
    std::printf("%-7s %6.2f MB %7.2f MB %11.2f %10.2f %6.2fx %11.1f MB %11.1f MB\n", m.nombre,
                Mb(m.bytesNodos), Mb(m.bytesPuntos), m.busquedaMs, m.sueloMs, razon,
                static_cast<double>(m.rssAntesKb) / 1024.0,
                static_cast<double>(m.rssDespuesKb) / 1024.0);
  }
  std::printf("\n");
  for (const Medida& m : medidas) {
    std::printf("%-7s %s\n", m.nombre, m.direccion.c_str());
    std::printf("        node  %s\n", m.nodoHallado.c_str());
    std::printf("        point %s\n", m.puntoHallado.c_str());
  }
  std::printf("\ngoal search/floor <= %.2fx: %s\n", kMeta, meta ? "met" : "NOT met");
  return 0;
}

}  // namespace

int main() {
  try {
    return Ejecutar();
  } catch (const std::exception& fallo) {
    std::fprintf(stderr, "buscarpunto-bench: %s\n", fallo.what());
    return 1;
  }
}
