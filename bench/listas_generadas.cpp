// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/listas_generadas.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <random>
#include <string_view>
#include <system_error>

namespace {

constexpr std::size_t kMinLinea = 80;
constexpr std::size_t kMaxLinea = 110;

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

}  // namespace

void FalloDelSistema(const std::string& que) {
  throw std::system_error(errno, std::generic_category(), que);
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

void Descriptor::Cerrar() {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) FalloDelSistema("close");
}

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

ListasGeneradas::ListasGeneradas(std::uint64_t tamano)
    : rutaNodos(carpeta.Ruta("NODELIST.002")), rutaPuntos(carpeta.Ruta("POINTS.102")) {
  nodo = GenerarNodelist(rutaNodos, tamano, bytesNodos);
  punto = GenerarPointlist(rutaPuntos, tamano, nodo.direccion, bytesPuntos);
}
