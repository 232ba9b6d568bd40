// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/siete_zip.h"

#include <lzma.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lookup/lists/errores_lectura.h"
#include "lookup/lists/memoria_archivo.h"

namespace {

// --- 7-Zip headers, checked before libarchive reads them ----------------------------------------
// libarchive sizes its tables by the counts a 7-Zip header declares (up to 100 million members,
// about 90 bytes each) and fills some of them whole before it finds anything wrong: a header of a
// few bytes can cost gigabytes. A list archive holds a few members.
constexpr std::uint64_t kMaxCuenta7z = 65536;
// A header this long would describe far more members than that.
constexpr std::uint64_t kMaxCabecera7z = 4 * 1024 * 1024;

enum : std::uint8_t {
  k7zFin = 0x00,
  k7zCabecera = 0x01,
  k7zPropiedades = 0x02,
  k7zFlujosPrincipales = 0x04,
  k7zArchivos = 0x05,
  k7zEmpaquetados = 0x06,
  k7zDesempaquetados = 0x07,
  k7zSubflujos = 0x08,
  k7zTamano = 0x09,
  k7zCrc = 0x0A,
  k7zCarpeta = 0x0B,
  k7zTamanosDesempaquetados = 0x0C,
  k7zNumeroSubflujos = 0x0D,
  k7zCabeceraCodificada = 0x17,
};
constexpr std::uint64_t kCopia7z = 0;
constexpr std::uint64_t kLzma7z = 0x030101;
constexpr std::uint64_t kLzma27z = 0x21;
constexpr std::uint64_t kAes7z = 0x06F10701;
constexpr std::uint64_t kPpmd7z = 0x030401;

std::uint64_t Le(std::string_view b, std::size_t desde, std::size_t largo) {
  std::uint64_t valor = 0;
  for (std::size_t i = 0; i < largo; ++i)
    valor |= std::uint64_t{static_cast<unsigned char>(b[desde + i])} << (8 * i);
  return valor;
}

std::uint32_t Crc32(std::string_view b) {
  return lzma_crc32(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), 0);
}

// A header held in memory; past its end every read gives zero and the reader is no longer sound.
class Lector7z {
 public:
  explicit Lector7z(std::string_view bytes) : bytes_(bytes) {}
  bool Sano() const { return sano_; }
  std::size_t Quedan() const { return bytes_.size() - pos_; }
  void Romper() {
    sano_ = false;
    pos_ = bytes_.size();
  }
  std::uint8_t Byte() {
    if (pos_ >= bytes_.size()) {
      Romper();
      return 0;
    }
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  std::string_view Bytes(std::uint64_t n) {
    if (n > Quedan()) {
      Romper();
      return {};
    }
    const std::string_view parte = bytes_.substr(pos_, n);
    pos_ += n;
    return parte;
  }
  // The leading one bits of the first byte say how many bytes follow, lowest first.
  std::uint64_t Numero() {
    const unsigned primero = Byte();
    std::uint64_t valor = 0;
    unsigned mascara = 0x80;
    for (unsigned i = 0; i < 8; ++i, mascara >>= 1) {
      if ((primero & mascara) == 0)
        return valor | (std::uint64_t{primero & (mascara - 1)} << (8 * i));
      valor |= std::uint64_t{Byte()} << (8 * i);
    }
    return valor;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool sano_ = true;
};

// Which of `n` checksums are present; the checksums themselves are skipped.
std::vector<bool> LeerCrcs(Lector7z& r, std::uint64_t n) {
  if (n > 8 * r.Quedan()) {
    r.Romper();
    return {};
  }
  const bool todos = r.Byte() != 0;
  std::vector<bool> hay(n, todos);
  unsigned bits = 0;
  unsigned mascara = 0;
  for (std::size_t i = 0; !todos && i < n; ++i, mascara >>= 1) {
    if (mascara == 0) {
      bits = r.Byte();
      mascara = 0x80;
    }
    hay[i] = (bits & mascara) != 0;
  }
  r.Bytes(4 * static_cast<std::uint64_t>(std::count(hay.begin(), hay.end(), true)));
  return hay;
}

struct Carpeta7z {
  std::vector<std::pair<std::uint64_t, std::string_view>> coders;  // id, properties
  std::uint64_t empaquetados = 0;
  std::vector<std::uint64_t> tamanos;
};

struct Flujos7z {
  std::uint64_t posicion = 0;
  std::vector<std::uint64_t> empaquetados;
  std::vector<Carpeta7z> carpetas;
  bool excesivo = false;  // more streams or folders than a list archive has
  bool memoria = false;   // a coder asks for more memory than a list member may take
};

// The memory a coder's window or model takes, as its properties declare it.
std::uint64_t MemoriaDeCoder(std::uint64_t id, std::string_view propiedades) {
  std::optional<std::uint64_t> memoria;
  if (id == kLzma7z)
    memoria = DiccionarioLzma(propiedades);
  else if (id == kLzma27z)
    memoria = DiccionarioLzma2(propiedades);
  else if (id == kPpmd7z)
    memoria = MemoriaPpmd7z(propiedades);
  return memoria.value_or(0);
}

// Streams information as libarchive reads it; false when it ends early or says too much.
bool LeerFlujos(Lector7z& r, Flujos7z& f) {
  const auto demasiados = [&f](std::uint64_t n) { return f.excesivo = n > kMaxCuenta7z; };
  std::uint8_t t = r.Byte();
  if (t == k7zEmpaquetados) {
    f.posicion = r.Numero();
    const std::uint64_t n = r.Numero();
    if (demasiados(n)) return false;
    t = r.Byte();
    if (t == k7zTamano) {
      for (std::uint64_t i = 0; i < n && r.Sano(); ++i)
        f.empaquetados.push_back(r.Numero());
      t = r.Byte();
    }
    if (t == k7zCrc) {
      LeerCrcs(r, n);
      t = r.Byte();
    }
    if (t != k7zFin) return false;
    t = r.Byte();
  }
  std::vector<bool> crcCarpeta;
  if (t == k7zDesempaquetados) {
    if (r.Byte() != k7zCarpeta) return false;
    const std::uint64_t n = r.Numero();
    if (demasiados(n) || r.Byte() != 0) return false;
    for (std::uint64_t i = 0; i < n && r.Sano(); ++i) {
      Carpeta7z& c = f.carpetas.emplace_back();
      // libarchive takes up to four coders in a folder.
      const std::uint64_t coders = r.Numero();
      if (coders > 4) return false;
      std::uint64_t entradas = 0;
      std::uint64_t salidas = 0;
      for (std::uint64_t j = 0; j < coders && r.Sano(); ++j) {
        const std::uint8_t marca = r.Byte();
        // The id is a big-endian number of up to 8 bytes: LZMA is 03 01 01 or 00 03 01 01.
        if ((marca & 0x0F) > 8) return false;
        std::uint64_t id = 0;
        for (const char byte : r.Bytes(marca & 0x0F))
          id = id << 8 | static_cast<unsigned char>(byte);
        const bool complejo = (marca & 0x10) != 0;
        const std::uint64_t entran = complejo ? r.Numero() : 1;
        if (demasiados(entran) || demasiados(entradas += entran)) return false;
        const std::uint64_t salen = complejo ? r.Numero() : 1;
        if (demasiados(salen) || demasiados(salidas += salen)) return false;
        const std::string_view propiedades = (marca & 0x20) != 0 ? r.Bytes(r.Numero()) : "";
        if (MemoriaDeCoder(id, propiedades) > kMaxMemoriaMiembro) {
          f.memoria = true;
          return false;
        }
        c.coders.emplace_back(id, propiedades);
      }
      if (salidas == 0 || entradas + 1 < salidas) return false;
      for (std::uint64_t j = 0; j + 1 < salidas; ++j)
        r.Numero(), r.Numero();
      c.empaquetados = entradas - (salidas - 1);
      if (c.empaquetados > 1)
        for (std::uint64_t j = 0; j < c.empaquetados; ++j)
          r.Numero();
      c.tamanos.resize(salidas);
    }
    if (r.Byte() != k7zTamanosDesempaquetados) return false;
    for (Carpeta7z& c : f.carpetas)
      for (std::uint64_t& tamano : c.tamanos)
        tamano = r.Numero();
    t = r.Byte();
    if (t == k7zCrc) {
      crcCarpeta = LeerCrcs(r, f.carpetas.size());
      t = r.Byte();
    }
    if (t != k7zFin) return false;
    t = r.Byte();
  }
  if (t == k7zSubflujos) {
    std::vector<std::uint64_t> subflujos(f.carpetas.size(), 1);
    t = r.Byte();
    if (t == k7zNumeroSubflujos) {
      std::uint64_t total = 0;
      for (std::uint64_t& n : subflujos) {
        n = r.Numero();
        if (demasiados(n) || demasiados(total += n)) return false;
      }
      t = r.Byte();
    }
    if (t == k7zTamano) {
      for (const std::uint64_t n : subflujos)
        for (std::uint64_t j = 1; j < n; ++j)
          r.Numero();
      t = r.Byte();
    }
    std::uint64_t sumas = 0;
    for (std::size_t i = 0; i < subflujos.size(); ++i)
      if (subflujos[i] != 1 || i >= crcCarpeta.size() || !crcCarpeta[i]) sumas += subflujos[i];
    if (t == k7zCrc) {
      LeerCrcs(r, sumas);
      t = r.Byte();
    }
    if (t != k7zFin) return false;
    t = r.Byte();
  }
  return t == k7zFin && r.Sano();
}

enum class Juicio { kAceptable, kIlegible, kExcesiva, kMemoria };

std::int32_t CodigoDe(Juicio juicio) {
  switch (juicio) {
    case Juicio::kAceptable:
      return 0;
    case Juicio::kMemoria:
      return kArchivoExcesivo;
    default:
      return kArchivoDaniado;
  }
}

// How a plain header reads up to its count of members: sound, not to be followed, or declaring
// more than a list archive holds.
Juicio JuzgarCabecera(Lector7z& r) {
  if (r.Byte() != k7zCabecera) return Juicio::kIlegible;
  std::uint8_t t = r.Byte();
  if (t == k7zPropiedades) {
    while (r.Sano() && r.Byte() != k7zFin)
      r.Bytes(r.Numero());
    t = r.Byte();
  }
  if (t == k7zFlujosPrincipales) {
    Flujos7z flujos;
    if (!LeerFlujos(r, flujos))
      return flujos.memoria    ? Juicio::kMemoria
             : flujos.excesivo ? Juicio::kExcesiva
                               : Juicio::kIlegible;
    t = r.Byte();
  }
  if (t == k7zFin) return Juicio::kAceptable;
  const std::uint64_t miembros = r.Numero();
  if (t != k7zArchivos || !r.Sano()) return Juicio::kIlegible;
  return miembros > kMaxCuenta7z ? Juicio::kExcesiva : Juicio::kAceptable;
}

struct LiberarOpciones {
  void operator()(void* p) const noexcept { std::free(p); }
};
struct TerminarLzma {
  void operator()(lzma_stream* s) const noexcept { lzma_end(s); }
};

// The first bytes of a header packed with LZMA or LZMA2, as far as they unpack: libarchive acts
// on each part it unpacks before it meets a later fault. nullopt for another coder.
std::optional<std::string> Desempaquetar(std::uint64_t id, std::string_view propiedades,
                                         std::string_view entrada, std::size_t largo) {
  if (id == kCopia7z) return std::string(entrada.substr(0, largo));
  lzma_filter filtros[2] = {{LZMA_VLI_UNKNOWN, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  if (id == kLzma7z)
    filtros[0].id = LZMA_FILTER_LZMA1;
  else if (id == kLzma27z)
    filtros[0].id = LZMA_FILTER_LZMA2;
  else
    return std::nullopt;
  if (lzma_properties_decode(&filtros[0], nullptr,
                             reinterpret_cast<const std::uint8_t*>(propiedades.data()),
                             propiedades.size()) != LZMA_OK)
    return std::string();
  const std::unique_ptr<void, LiberarOpciones> opciones(filtros[0].options);
  // Nothing refers further back than the bytes unpacked, whatever window the header names.
  auto& lzma = *static_cast<lzma_options_lzma*>(filtros[0].options);
  lzma.dict_size =
      std::max<std::uint32_t>(LZMA_DICT_SIZE_MIN, std::min<std::uint64_t>(lzma.dict_size, largo));
  lzma_stream flujo = LZMA_STREAM_INIT;
  if (lzma_raw_decoder(&flujo, filtros) != LZMA_OK) return std::string();
  const std::unique_ptr<lzma_stream, TerminarLzma> fin(&flujo);
  std::string salida(largo, '\0');
  flujo.next_in = reinterpret_cast<const std::uint8_t*>(entrada.data());
  flujo.avail_in = entrada.size();
  flujo.next_out = reinterpret_cast<std::uint8_t*>(salida.data());
  flujo.avail_out = largo;
  [[maybe_unused]] const lzma_ret resultado = lzma_code(&flujo, LZMA_FINISH);
  salida.resize(largo - flujo.avail_out);
  return salida;
}

// `destino.size()` bytes from `desde`, the descriptor left where it stands.
bool LeerEn(int fd, std::uint64_t desde, std::string& destino) {
  std::size_t hecho = 0;
  while (hecho < destino.size()) {
    const ssize_t n = ::pread(fd, destino.data() + hecho, destino.size() - hecho,
                              static_cast<off_t>(desde + hecho));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    hecho += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool SieteZipCorto(int fd, std::string_view inicio) {
  struct stat datos {};
  if (inicio.size() < 28 || ::fstat(fd, &datos) != 0) return false;
  const std::uint64_t desplazamiento = Le(inicio, 12, 8);
  const std::uint64_t largo = Le(inicio, 20, 8);
  const auto tamano = static_cast<std::uint64_t>(datos.st_size);
  return desplazamiento > tamano || largo > tamano || 32 + desplazamiento + largo > tamano;
}

std::int32_t RevisarSieteZip(int fd, std::string_view inicio) {
  struct stat datos {};
  if (inicio.size() < 32 || ::fstat(fd, &datos) != 0) return 0;
  const std::uint64_t desplazamiento = Le(inicio, 12, 8);
  const std::uint64_t largo = Le(inicio, 20, 8);
  const auto tamano = static_cast<std::uint64_t>(datos.st_size);
  if (largo == 0) return 0;
  // The file may have shrunk below its start header since it was first read.
  if (tamano < 32 || desplazamiento > tamano - 32) return kArchivoTruncado;
  // libarchive would read on to the file's end, acting on what is there, and then say so.
  if (largo > tamano - 32 - desplazamiento) return kArchivoTruncado;
  if (largo > kMaxCabecera7z) return kArchivoDaniado;
  std::string cabecera(largo, '\0');
  if (!LeerEn(fd, 32 + desplazamiento, cabecera)) return 0;
  // libarchive checks this sum only once it has read the whole header.
  if (Crc32(cabecera) != Le(inicio, 28, 4)) return kArchivoDaniado;
  Lector7z lector(cabecera);
  if (cabecera[0] != static_cast<char>(k7zCabeceraCodificada))
    return CodigoDe(JuzgarCabecera(lector));

  // A packed header: its streams information, then the header it unpacks to.
  lector.Byte();
  Flujos7z flujos;
  if (!LeerFlujos(lector, flujos) || flujos.carpetas.empty() || flujos.empaquetados.empty())
    return flujos.memoria ? kArchivoExcesivo : kArchivoDaniado;
  const Carpeta7z& carpeta = flujos.carpetas.front();
  for (const auto& coder : carpeta.coders)
    if (coder.first == kAes7z) return 0;  // libarchive says the header is encrypted
  const std::uint64_t empaquetado = flujos.empaquetados.front();
  if (carpeta.coders.size() != 1 || carpeta.tamanos.empty() || empaquetado > kMaxCabecera7z ||
      carpeta.tamanos.front() > kMaxCabecera7z)
    return kArchivoDaniado;
  if (flujos.posicion > desplazamiento || empaquetado > desplazamiento - flujos.posicion)
    return kArchivoDaniado;
  std::string empaquetada(empaquetado, '\0');
  if (!LeerEn(fd, 32 + flujos.posicion, empaquetada)) return 0;
  const auto desempaquetada =
      Desempaquetar(carpeta.coders.front().first, carpeta.coders.front().second, empaquetada,
                    carpeta.tamanos.front());
  // 7-Zip packs its headers with LZMA; libarchive would unpack other coders too.
  if (!desempaquetada) return kArchivoDaniado;
  Lector7z desempaquetado(*desempaquetada);
  return CodigoDe(JuzgarCabecera(desempaquetado));
}
