// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/lista_vigente.h"

#include <dirent.h>
#include <fnmatch.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <tuple>
#include <vector>

#include "lookup/lists/archivo.h"
#include "lookup/lists/lector_lista.h"

namespace {

// The header line is under 80 bytes in every real list; this is room to spare.
constexpr std::size_t kTopeCabecera = 256;

constexpr std::array<std::string_view, 12> kMeses{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

char Mayuscula(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IgualSinCaso(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Mayuscula(a[i]) != Mayuscula(b[i])) return false;
  return true;
}

bool EsDigito(char c) {
  return c >= '0' && c <= '9';
}

bool EsLetra(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool Bisiesto(int anio) {
  return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
}

int DiasDelMes(int anio, int mes) {
  static constexpr std::array<int, 12> kDias{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return mes == 2 && Bisiesto(anio) ? 29 : kDias[static_cast<std::size_t>(mes - 1)];
}

// Reads " <day>, <year>" at `pos`; the year has four digits and no digit after it.
std::optional<FechaLista> DiaYAnio(std::string_view linea, std::size_t pos, int mes) {
  auto blancos = [&] {
    const std::size_t antes = pos;
    while (pos < linea.size() && linea[pos] == ' ')
      ++pos;
    return pos > antes;
  };
  auto numero = [&](std::size_t maximo, int& valor) {
    std::size_t cifras = 0;
    valor = 0;
    while (pos < linea.size() && EsDigito(linea[pos]) && cifras < maximo) {
      valor = valor * 10 + (linea[pos] - '0');
      ++pos;
      ++cifras;
    }
    return cifras;
  };
  int dia = 0;
  int anio = 0;
  if (!blancos() || numero(2, dia) == 0) return std::nullopt;
  if (pos >= linea.size() || linea[pos] != ',') return std::nullopt;
  ++pos;
  blancos();
  if (numero(4, anio) != 4 || (pos < linea.size() && EsDigito(linea[pos]))) return std::nullopt;
  // Dates a file's time stamp can also have: older or later ones are damage, not lists.
  if (anio < 1970 || anio > 2107 || dia < 1 || dia > DiasDelMes(anio, mes)) return std::nullopt;
  return FechaLista{anio, mes, dia};
}

// Days since 1 January 1970 of a calendar day (proleptic Gregorian).
std::int64_t NumeroDeDia(const FechaLista& f) {
  const std::int64_t y = f.anio - (f.mes <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (f.mes + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + f.dia - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct CerrarCarpeta {
  void operator()(DIR* carpeta) const noexcept { ::closedir(carpeta); }
};
using Carpeta = std::unique_ptr<DIR, CerrarCarpeta>;

std::string CarpetaPersonal() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  std::array<char, 4096> bufer{};
  passwd datos{};
  passwd* hallado = nullptr;
  if (::getpwuid_r(::getuid(), &datos, bufer.data(), bufer.size(), &hallado) == 0 &&
      hallado != nullptr && hallado->pw_dir != nullptr)
    return hallado->pw_dir;
  return {};
}

bool EsPatron(std::string_view nombre) {
  return nombre.find_first_of("*?[") != std::string_view::npos;
}

struct Candidato {
  std::string nombre;
  std::string ruta;
  bool legible = true;  // false: packed by a packer that is never read
  std::int64_t dia = 0;
};

// The day a candidate ranks by: its header's date, else the local day of its time stamp. An ARC
// or ARJ archive ranks below every other candidate: the list unpacked from it beside it would
// otherwise lose to it every week, and the search could only report the packer.
void Clasificar(Candidato& candidato, std::time_t modificado) {
  const std::string& ruta = candidato.ruta;
  // Ranking must not raise: an unreadable candidate ranks by its time stamp, and if it wins the
  // search's own open reports what is wrong with it.
  const std::int32_t pendiente = resultadoES;
  resultadoES = 0;
  std::string linea;
  {
    LectorLista lector;
    lector.Asignar(ruta);
    lector.Abrir();
    if (resultadoES == 0) linea = lector.Principio(kTopeCabecera);
  }
  const bool leida = resultadoES == 0;
  candidato.legible = resultadoES != kEmpaqueArc && resultadoES != kEmpaqueArj;
  resultadoES = pendiente;
  if (leida) {
    if (const auto fecha = FechaDeCabecera(linea)) {
      candidato.dia = NumeroDeDia(*fecha);
      return;
    }
  }
  std::tm local{};
  localtime_r(&modificado, &local);
  candidato.dia = NumeroDeDia({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

}  // namespace

std::optional<FechaLista> FechaDeCabecera(std::string_view linea) {
  for (std::size_t i = 0; i < linea.size(); ++i) {
    if (!EsLetra(linea[i]) || (i > 0 && EsLetra(linea[i - 1]))) continue;
    for (std::size_t m = 0; m < kMeses.size(); ++m) {
      const std::string_view mes = kMeses[m];
      if (!IgualSinCaso(linea.substr(i, mes.size()), mes)) continue;
      if (auto fecha = DiaYAnio(linea, i + mes.size(), static_cast<int>(m) + 1)) return fecha;
    }
  }
  return std::nullopt;
}

bool EsListaSemanal(std::string_view base, std::string_view nombre) {
  if (base.empty() || nombre.size() != base.size() + 4) return false;
  if (!IgualSinCaso(nombre.substr(0, base.size()), base) || nombre[base.size()] != '.')
    return false;
  const std::string_view sufijo = nombre.substr(base.size() + 1);
  return (EsDigito(sufijo[0]) || EsLetra(sufijo[0])) && EsDigito(sufijo[1]) && EsDigito(sufijo[2]);
}

namespace {

// Where a list path that names no file looks for weekly files: the folder and the last part of
// the path, a base name or a pattern.
struct BusquedaSemanal {
  std::string prefijo;  // the folder as typed, so a relative path gives relative candidates
  std::string carpeta;
  std::string nombre;
  bool patron = false;
};

// Nothing when the path names a regular file (kept in `archivo`) or cannot name weekly files.
std::optional<BusquedaSemanal> PartirRuta(const std::string& ruta, std::string& archivo) {
  struct stat datos {};
  if (ruta.find('\0') == std::string::npos && ::stat(ruta.c_str(), &datos) == 0 &&
      S_ISREG(datos.st_mode)) {
    archivo = ruta;
    return std::nullopt;
  }
  std::string texto = ruta;
  if (texto.starts_with("~/")) {
    const std::string personal = CarpetaPersonal();
    if (personal.empty()) return std::nullopt;
    texto = personal + texto.substr(1);
    if (::stat(texto.c_str(), &datos) == 0 && S_ISREG(datos.st_mode)) {
      archivo = texto;
      return std::nullopt;
    }
  }
  if (texto.find('\0') != std::string::npos) return std::nullopt;

  const std::size_t barra = texto.rfind('/');
  BusquedaSemanal busqueda;
  busqueda.nombre = barra == std::string::npos ? texto : texto.substr(barra + 1);
  if (busqueda.nombre.empty()) return std::nullopt;
  busqueda.prefijo = barra == std::string::npos ? "" : texto.substr(0, barra + 1);
  busqueda.carpeta = barra == std::string::npos ? "." : barra == 0 ? "/" : busqueda.prefijo;
  busqueda.patron = EsPatron(busqueda.nombre);
  return busqueda;
}

// Calls `visita` with the name and path of every regular file of the search's folder that its
// name or pattern takes and whose time stamp a DOS date can hold.
template <typename Visita>
void Recorrer(const BusquedaSemanal& busqueda, Visita&& visita) {
  const Carpeta lista(::opendir(busqueda.carpeta.c_str()));
  if (!lista) return;
  struct stat datos {};
  while (const dirent* entrada = ::readdir(lista.get())) {
    const std::string_view visto = entrada->d_name;
    if (visto == "." || visto == "..") continue;
    const bool encaja = busqueda.patron
                            ? ::fnmatch(busqueda.nombre.c_str(), entrada->d_name, FNM_PERIOD) == 0
                            : EsListaSemanal(busqueda.nombre, visto);
    if (!encaja) continue;
    std::string camino = busqueda.prefijo + entrada->d_name;
    if (::stat(camino.c_str(), &datos) != 0 || !S_ISREG(datos.st_mode) ||
        !FechaDeDosValida(datos.st_mtime))
      continue;
    visita(visto, std::move(camino), datos.st_mtime);
  }
}

// "NODELIST" -> "NODEDIFF", letter case kept; empty when the text does not end in LIST.
std::string ConDiff(std::string_view texto) {
  constexpr std::string_view kLista = "LIST";
  constexpr std::string_view kDiff = "DIFF";
  if (texto.size() < kLista.size() ||
      !IgualSinCaso(texto.substr(texto.size() - kLista.size()), kLista))
    return {};
  std::string cambiado(texto);
  for (std::size_t i = 0; i < kDiff.size(); ++i) {
    char& c = cambiado[cambiado.size() - kDiff.size() + i];
    c = c >= 'a' && c <= 'z' ? static_cast<char>(kDiff[i] - 'A' + 'a') : kDiff[i];
  }
  return cambiado;
}

}  // namespace

std::string ListaVigente(const std::string& ruta) {
  std::string archivo;
  const auto busqueda = PartirRuta(ruta, archivo);
  if (!busqueda) return archivo;

  std::vector<Candidato> candidatos;
  Recorrer(*busqueda, [&](std::string_view visto, std::string camino, std::time_t modificado) {
    candidatos.push_back({std::string(visto), std::move(camino)});
    Clasificar(candidatos.back(), modificado);
  });

  const Candidato* elegido = nullptr;
  const auto clave = [](const Candidato& c) { return std::tie(c.legible, c.dia, c.nombre); };
  for (const Candidato& c : candidatos)
    if (elegido == nullptr || clave(c) > clave(*elegido)) elegido = &c;
  return elegido == nullptr ? std::string() : elegido->ruta;
}

std::vector<std::string> DiffsVigentes(const std::string& ruta) {
  std::string archivo;
  auto busqueda = PartirRuta(ruta, archivo);
  if (!busqueda) return {};
  // A pattern's base part is its name before the first dot: "NODELIST.*" -> "NODEDIFF.*".
  const std::size_t punto = busqueda->patron ? busqueda->nombre.find('.') : std::string::npos;
  const std::string base = busqueda->nombre.substr(0, punto);
  const std::string diff = ConDiff(base);
  if (diff.empty()) return {};
  busqueda->nombre = diff + (punto == std::string::npos ? "" : busqueda->nombre.substr(punto));

  std::vector<std::string> diffs;
  Recorrer(*busqueda, [&](std::string_view, std::string camino, std::time_t) {
    diffs.push_back(std::move(camino));
  });
  std::sort(diffs.begin(), diffs.end());
  return diffs;
}
