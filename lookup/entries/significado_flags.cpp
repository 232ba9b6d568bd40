// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/significado_flags.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace {

struct Significado {
  std::string_view flag;
  std::string_view texto;
};

// FTS-5001.006: operating condition, modem, error correction, file requests, ISDN, internet and
// robot flags, and the user flags its registry holds.
constexpr auto kSignificados = std::to_array<Significado>({
    {"CM", "acepta correo a cualquier hora"},
    {"MO", "solo correo: no atiende a personas"},
    {"LO", "solo acepta llamadas de direcciones de la nodelist"},
    {"ICM", "acepta correo por internet a cualquier hora"},
    {"V21", "módem V.21, 300 bps"},
    {"V22", "módem V.22, 1200 bps"},
    {"V29", "módem V.29, 9600 bps semidúplex"},
    {"V32", "módem V.32, 9600 bps"},
    {"V32B", "módem V.32bis, 14400 bps"},
    {"V32T", "módem V.32terbo, 19200 bps"},
    {"V33", "módem V.33, 14400 bps"},
    {"V34", "módem V.34, hasta 33600 bps"},
    {"V90C", "módem V.90 cliente, 56000 bps"},
    {"V90S", "módem V.90 servidor, 56000 bps"},
    {"X2C", "módem X2 de US Robotics, cliente, 56000 bps"},
    {"X2S", "módem X2 de US Robotics, servidor, 56000 bps"},
    {"VFC", "módem V.Fast Class de Rockwell, 28800 bps"},
    {"H96", "módem Hayes V9600"},
    {"HST", "módem HST de US Robotics, 9600 bps"},
    {"H14", "módem HST de US Robotics, 14400 bps"},
    {"H16", "módem HST de US Robotics, 16800 bps"},
    {"MAX", "módem Microcom AX/96xx"},
    {"PEP", "módem Telebit PEP"},
    {"CSP", "módem Compucom Speedmodem"},
    {"ZYX", "módem ZyXEL, 16800 bps"},
    {"Z19", "módem ZyXEL, 19200 bps"},
    {"MNP", "corrección de errores MNP"},
    {"V42", "corrección de errores V.42 (LAP-M, o MNP 1-4)"},
    {"V42B", "corrección de errores V.42 (LAP-M, o MNP 1-5) y compresión V.42bis"},
    {"MN", "no admite correo comprimido (ARCmail)"},
    {"XA", "peticiones de ficheros y de actualizaciones Bark y WaZOO"},
    {"XB", "peticiones de ficheros y de actualizaciones Bark, de ficheros WaZOO"},
    {"XC", "peticiones de ficheros Bark, de ficheros y de actualizaciones WaZOO"},
    {"XP", "peticiones de ficheros y de actualizaciones Bark"},
    {"XR", "peticiones de ficheros Bark y WaZOO"},
    {"XW", "peticiones de ficheros WaZOO"},
    {"XX", "peticiones de ficheros y de actualizaciones WaZOO"},
    {"ISDN", "acepta llamadas RDSI"},
    {"V110L", "RDSI V.110, 19200 bps"},
    {"V110H", "RDSI V.110, 38400 bps"},
    {"V120L", "RDSI V.120, 56 kbps"},
    {"V120H", "RDSI V.120, 64 kbps"},
    {"X75", "RDSI X.75, 64 kbps"},
    {"IBN", "acepta conexiones binkp"},
    {"IFC", "acepta conexiones ifcico (EMSI sobre TCP)"},
    {"ITN", "acepta conexiones telnet"},
    {"IVM", "acepta conexiones vmodem"},
    {"IFT", "acepta conexiones FTP"},
    {"INA", "dirección de internet de los flags que no dan la suya"},
    {"INO4", "no acepta conexiones IPv4 entrantes"},
    {"IEM", "correo electrónico de otra forma"},
    {"IMI", "correo electrónico codificado MIME"},
    {"ISE", "correo electrónico codificado SEAT"},
    {"ITX", "correo electrónico compatible con TransX"},
    {"IUC", "correo electrónico con los paquetes en uuencode"},
    {"PING", "contesta al netmail dirigido a PING"},
    {"TRACE", "contesta al netmail dirigido a TRACE"},
    {"ENC", "acepta correo cifrado y lo encamina"},
    {"NC", "coordinador de red"},
    {"NEC", "coordinador de echomail de la red"},
    {"REC", "coordinador de echomail de la región"},
    {"ZEC", "coordinador de echomail de la zona"},
    {"SDS", "distribuye software (Software Distribution System)"},
    {"SMH", "nodo de correo seguro (Secure Mail Hub)"},
    {"NPK", "guarda la pointlist de la red"},
    {"RPK", "guarda la pointlist de la región"},
});

// The zone mail hours a "#nn" flag names, by its hour.
struct HoraCorreo {
  std::string_view hora;
  std::string_view texto;
};

constexpr auto kHorasCorreo = std::to_array<HoraCorreo>({
    {"01", "la hora de correo de la zona 5 (01:00 a 02:00 UTC)"},
    {"02", "la hora de correo de la zona 2 (02:30 a 03:30 UTC)"},
    {"08", "la hora de correo de la zona 4 (08:00 a 09:00 UTC)"},
    {"09", "la hora de correo de la zona 1 (09:00 a 10:00 UTC)"},
    {"18", "la hora de correo de la zona 3 (18:00 a 19:00 UTC)"},
    {"20", "la hora de correo de la zona 6 (20:00 a 21:00 UTC)"},
});

constexpr char Mayuscula(char c) noexcept {
  return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

bool IgualesSinCaso(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Mayuscula(x) == Mayuscula(y);
         });
}

// "A" is 00:00 and "X" 23:00; "a" to "x" half past those.
std::optional<std::string> Hora(char letra) {
  const bool media = letra >= 'a' && letra <= 'x';
  if (!media && (letra < 'A' || letra > 'X')) return std::nullopt;
  const int hora = letra - (media ? 'a' : 'A');
  std::string texto{static_cast<char>('0' + hora / 10), static_cast<char>('0' + hora % 10), ':'};
  texto += media ? "30" : "00";
  return texto;
}

// "Txy": online from hour x to hour y, UTC.
std::optional<std::string> Horario(std::string_view flag) {
  if (flag.size() != 3 || flag.front() != 'T') return std::nullopt;
  const auto desde = Hora(flag[1]);
  const auto hasta = Hora(flag[2]);
  if (!desde || !hasta) return std::nullopt;
  return "en línea de " + *desde + " a " + *hasta + " UTC";
}

// "#02" or several strung together ("#02#09"); "!02" is the same hour for modems without Bell 212A.
std::optional<std::string> HorasCorreo(std::string_view flag) {
  if (flag.empty() || flag.size() % 3 != 0) return std::nullopt;
  std::string texto;
  for (std::size_t i = 0; i < flag.size(); i += 3) {
    if (flag[i] != '#' && flag[i] != '!') return std::nullopt;
    const auto hora =
        std::find_if(kHorasCorreo.begin(), kHorasCorreo.end(),
                     [&](const HoraCorreo& h) { return h.hora == flag.substr(i + 1, 2); });
    if (hora == kHorasCorreo.end()) return std::nullopt;
    texto += texto.empty() ? "atiende " : " y ";
    texto += hora->texto;
  }
  return texto;
}

std::optional<std::string_view> DelTabla(std::string_view nombre) {
  const auto fila =
      std::find_if(kSignificados.begin(), kSignificados.end(),
                   [&](const Significado& s) { return IgualesSinCaso(s.flag, nombre); });
  if (fila == kSignificados.end()) return std::nullopt;
  return fila->texto;
}

std::optional<std::string> Definido(std::string_view flag) {
  if (auto horario = Horario(flag)) return horario;
  if (auto horas = HorasCorreo(flag)) return horas;
  // "IBN:host:port", "IEM:address": the name before the first colon says what it is.
  if (const auto texto = DelTabla(flag.substr(0, flag.find(':')))) return std::string(*texto);
  return std::nullopt;
}

}  // namespace

std::vector<std::string> SignificadoFlags(const std::vector<std::string>& flags) {
  std::vector<std::string> lineas;
  bool deUsuario = false;
  for (const std::string& flag : flags) {
    if (flag.empty()) continue;
    std::string texto;
    if (flag == "U" || flag == "u") {
      deUsuario = true;
      texto = "siguen flags de usuario";
    } else if (auto definido = Definido(flag)) {
      texto = std::move(*definido);
    } else if (flag.size() > 1 && flag.front() == 'U') {
      // The older way of writing a user flag: "UNEC" is the user flag NEC.
      const auto propio = Definido(std::string_view(flag).substr(1));
      texto = propio ? *propio + " (flag de usuario)" : "flag de usuario";
    } else if (deUsuario) {
      texto = "flag de usuario";
    } else if (flag.size() > 1 && flag.front() == 'G') {
      texto = "pasarela a otra red: " + flag.substr(1);
    } else {
      texto = "flag que FTS-5001 no define";
    }
    lineas.push_back(flag + ": " + texto);
  }
  return lineas;
}
