// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/archivo.h"

#include <archive.h>
#include <archive_entry.h>
#include <lzma.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "lookup/lector_lista.h"

namespace {

// What the packer reads from the file at a time; the line reader's 128-byte steps come after
// decompression.
constexpr std::size_t kBloqueArchivo = 64 * 1024;
constexpr std::size_t kPrimerBloque = 2 * 1024;

char Mayuscula(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IgualSinCaso(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Mayuscula(x) == Mayuscula(y);
         });
}

// The file name without its folders and without its last extension.
std::string_view Base(std::string_view ruta) {
  const std::size_t barra = ruta.find_last_of("/\\");
  if (barra != std::string_view::npos) ruta.remove_prefix(barra + 1);
  const std::size_t punto = ruta.rfind('.');
  return punto == std::string_view::npos || punto == 0 ? ruta : ruta.substr(0, punto);
}

bool Contiene(std::string_view texto, std::string_view parte) {
  return std::search(texto.begin(), texto.end(), parte.begin(), parte.end(),
                     [](char x, char y) { return Mayuscula(x) == Mayuscula(y); }) != texto.end();
}

struct LiberarArchivo {
  void operator()(archive* a) const noexcept { archive_read_free(a); }
};
using Archivo = std::unique_ptr<archive, LiberarArchivo>;

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
};

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

enum class Juicio { kAceptable, kIlegible, kExcesiva };

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
    if (!LeerFlujos(r, flujos)) return flujos.excesivo ? Juicio::kExcesiva : Juicio::kIlegible;
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

}  // namespace

Empaque EmpaqueDe(std::string_view b) noexcept {
  const auto empieza = [&](std::string_view firma) { return b.starts_with(firma); };
  using namespace std::string_view_literals;
  if (empieza("PK\x03\x04"sv) || empieza("PK\x05\x06"sv) || empieza("PK\x07\x08"sv))
    return Empaque::kZip;
  if (empieza("7z\xBC\xAF\x27\x1C"sv)) return Empaque::kSieteZip;
  if (empieza("Rar!\x1A\x07"sv)) return Empaque::kRar;
  if (b.size() >= 7 && (b.substr(2, 3) == "-lh" || b.substr(2, 3) == "-lz") && b[6] == '-')
    return Empaque::kLha;
  if (empieza("\x1F\x8B"sv)) return Empaque::kGzip;
  if (b.size() >= 4 && empieza("BZh") && b[3] >= '1' && b[3] <= '9') return Empaque::kBzip2;
  if (empieza("\x60\xEA"sv)) return Empaque::kArj;
  // An ARC header: 0x1A, the method (1 to 20) and a file name ended by a zero byte. A plain list
  // that begins with 0x1A is empty anyway.
  if (b.size() >= 16 && b[0] == '\x1A' && b[1] >= 1 && b[1] <= 20 && b[2] != '\0' &&
      b.substr(2, 13).find('\0') != std::string_view::npos)
    return Empaque::kArc;
  return Empaque::kNinguno;
}

struct MiembroArchivo::Estado {
  int fd = -1;
  std::string inicio;  // bytes read before the packer was known, handed over first
  std::size_t usados = 0;
  Empaque empaque = Empaque::kNinguno;
  std::string base;
  std::vector<char> bloque = std::vector<char>(kBloqueArchivo);
  // Reads start small and grow: the packers unpack all the input they are given, and reading
  // a list's date needs only its first bytes.
  std::size_t pedido = kPrimerBloque;
  int errorSistema = 0;  // errno of a failed read or seek of our own
  bool finVisto = false;
  std::int32_t fallo = 0;
  Archivo lector;
  bool abierto = false;  // libarchive chose a format

  static la_ssize_t Leer(archive*, void* datos, const void** bufer) {
    auto& e = *static_cast<Estado*>(datos);
    if (e.usados < e.inicio.size()) {
      *bufer = e.inicio.data() + e.usados;
      const std::size_t n = e.inicio.size() - e.usados;
      e.usados = e.inicio.size();
      return static_cast<la_ssize_t>(n);
    }
    ssize_t n;
    do {
      n = ::read(e.fd, e.bloque.data(), e.pedido);
    } while (n < 0 && errno == EINTR);
    e.pedido = std::min(e.pedido * 2, e.bloque.size());
    if (n < 0) {
      e.errorSistema = errno;
      return -1;
    }
    if (n == 0) e.finVisto = true;
    *bufer = e.bloque.data();
    return n;
  }

  // Skipping a member's data moves forward over it without reading it.
  static la_int64_t Saltar(archive*, void* datos, la_int64_t pedido) {
    auto& e = *static_cast<Estado*>(datos);
    if (e.usados < e.inicio.size()) {
      const auto n =
          std::min<la_int64_t>(pedido, static_cast<la_int64_t>(e.inicio.size() - e.usados));
      e.usados += static_cast<std::size_t>(n);
      return n;
    }
    if (::lseek(e.fd, static_cast<off_t>(pedido), SEEK_CUR) < 0) return 0;
    return pedido;
  }

  // 7-Zip keeps its table of contents at the end: that format alone needs to seek.
  static la_int64_t Buscar(archive*, void* datos, la_int64_t desplazamiento, int desde) {
    auto& e = *static_cast<Estado*>(datos);
    if (desde == SEEK_CUR) {
      const off_t actual = ::lseek(e.fd, 0, SEEK_CUR);
      if (actual < 0) return ARCHIVE_FATAL;
      desplazamiento += actual - static_cast<la_int64_t>(e.inicio.size() - e.usados);
      desde = SEEK_SET;
    }
    e.usados = e.inicio.size();
    const off_t donde = ::lseek(e.fd, static_cast<off_t>(desplazamiento), desde);
    if (donde < 0) {
      e.errorSistema = errno;
      return ARCHIVE_FATAL;
    }
    return donde;
  }

  // A 7-Zip archive says in its first 32 bytes where its table of contents ends.
  bool SieteZipCorto() const {
    struct stat datos {};
    if (inicio.size() < 28 || ::fstat(fd, &datos) != 0) return false;
    const auto numero = [&](std::size_t desde) {
      std::uint64_t valor = 0;
      for (std::size_t i = 0; i < 8; ++i)
        valor |= static_cast<std::uint64_t>(static_cast<unsigned char>(inicio[desde + i]))
                 << (8 * i);
      return valor;
    };
    const std::uint64_t desplazamiento = numero(12);
    const std::uint64_t largo = numero(20);
    const auto tamano = static_cast<std::uint64_t>(datos.st_size);
    return desplazamiento > tamano || largo > tamano || 32 + desplazamiento + largo > tamano;
  }

  // `destino.size()` bytes from `desde`, the descriptor left where it stands.
  bool LeerEn(std::uint64_t desde, std::string& destino) const {
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

  // The failure code of a 7-Zip header libarchive should not be given; 0 leaves the verdict to
  // it, as for no header, one it cannot decrypt, or a failed read.
  std::int32_t RevisarSieteZip() const {
    struct stat datos {};
    if (inicio.size() < 32 || ::fstat(fd, &datos) != 0) return 0;
    const std::uint64_t desplazamiento = Le(inicio, 12, 8);
    const std::uint64_t largo = Le(inicio, 20, 8);
    const auto tamano = static_cast<std::uint64_t>(datos.st_size);
    if (largo == 0) return 0;
    if (desplazamiento > tamano - 32) return kArchivoTruncado;
    // libarchive would read on to the file's end, acting on what is there, and then say so.
    if (largo > tamano - 32 - desplazamiento) return kArchivoTruncado;
    if (largo > kMaxCabecera7z) return kArchivoDaniado;
    std::string cabecera(largo, '\0');
    if (!LeerEn(32 + desplazamiento, cabecera)) return 0;
    // libarchive checks this sum only once it has read the whole header.
    if (Crc32(cabecera) != Le(inicio, 28, 4)) return kArchivoDaniado;
    Lector7z lector(cabecera);
    if (cabecera[0] != static_cast<char>(k7zCabeceraCodificada))
      return JuzgarCabecera(lector) != Juicio::kAceptable ? kArchivoDaniado : 0;

    // A packed header: its streams information, then the header it unpacks to.
    lector.Byte();
    Flujos7z flujos;
    if (!LeerFlujos(lector, flujos) || flujos.carpetas.empty() || flujos.empaquetados.empty())
      return kArchivoDaniado;
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
    if (!LeerEn(32 + flujos.posicion, empaquetada)) return 0;
    const auto desempaquetada =
        Desempaquetar(carpeta.coders.front().first, carpeta.coders.front().second, empaquetada,
                      carpeta.tamanos.front());
    // 7-Zip packs its headers with LZMA; libarchive would unpack other coders too.
    if (!desempaquetada) return kArchivoDaniado;
    Lector7z desempaquetado(*desempaquetada);
    return JuzgarCabecera(desempaquetado) != Juicio::kAceptable ? kArchivoDaniado : 0;
  }

  // The failure code of what libarchive just refused.
  std::int32_t Fallo() const {
    if (errorSistema != 0) return CodigoDeErrno(errorSistema);
    const char* texto = archive_error_string(lector.get());
    const std::string_view mensaje = texto != nullptr ? texto : "";
    // libarchive 3.6 asks the chosen format here and crashes when none was chosen yet.
    const bool conFormato = abierto && archive_read_has_encrypted_entries(lector.get()) > 0;
    if (conFormato || Contiene(mensaje, "encrypt") || Contiene(mensaje, "passphrase"))
      return kMiembroCifrado;
    if (Contiene(mensaje, "crc") || Contiene(mensaje, "checksum")) return kArchivoDaniado;
    if (empaque == Empaque::kSieteZip && SieteZipCorto()) return kArchivoTruncado;
    // The packer failed after the file's end was reached: it wanted bytes that are not there.
    if (finVisto || Contiene(mensaje, "truncat") || Contiene(mensaje, "premature"))
      return kArchivoTruncado;
    return kArchivoDaniado;
  }

  // A new libarchive reader over the file; from its first byte, or from the bytes handed over.
  std::int32_t Empezar(bool desdeElPrincipio) {
    lector.reset();
    if (desdeElPrincipio) {
      if (::lseek(fd, 0, SEEK_SET) < 0) return CodigoDeErrno(errno);
      usados = inicio.size();
    }
    pedido = kPrimerBloque;
    finVisto = false;
    abierto = false;
    lector.reset(archive_read_new());
    if (!lector) return CodigoDeErrno(ENOMEM);
    archive* a = lector.get();
    switch (empaque) {
      case Empaque::kZip:
        archive_read_support_format_zip_streamable(a);
        break;
      case Empaque::kSieteZip:
        archive_read_support_format_7zip(a);
        archive_read_set_seek_callback(a, &Estado::Buscar);
        break;
      case Empaque::kRar:
        archive_read_support_format_rar(a);
        archive_read_support_format_rar5(a);
        break;
      case Empaque::kLha:
        archive_read_support_format_lha(a);
        break;
      case Empaque::kGzip:
        archive_read_support_filter_gzip(a);
        archive_read_support_format_raw(a);
        break;
      case Empaque::kBzip2:
        archive_read_support_filter_bzip2(a);
        archive_read_support_format_raw(a);
        break;
      default:
        return kArchivoDaniado;
    }
    archive_read_set_read_callback(a, &Estado::Leer);
    archive_read_set_skip_callback(a, &Estado::Saltar);
    archive_read_set_callback_data(a, this);
    if (archive_read_open1(a) != ARCHIVE_OK) return Fallo();
    abierto = true;
    return 0;
  }

  // Moves to the next member; false at the end or on a failure (then in `codigo`).
  bool Siguiente(archive_entry*& miembro, std::int32_t& codigo) {
    const int r = archive_read_next_header(lector.get(), &miembro);
    if (r == ARCHIVE_EOF) return false;
    // A warning is about the member's name or attributes, never about its bytes.
    if (r < ARCHIVE_WARN) {
      codigo = Fallo();
      return false;
    }
    return true;
  }
};

MiembroArchivo::MiembroArchivo(int fd, std::string inicio, Empaque empaque,
                               std::string_view rutaArchivo)
    : estado_(std::make_unique<Estado>()) {
  estado_->fd = fd;
  estado_->inicio = std::move(inicio);
  estado_->empaque = empaque;
  estado_->base = std::string(Base(rutaArchivo));
}

MiembroArchivo::~MiembroArchivo() = default;

std::int32_t MiembroArchivo::Abrir() {
  Estado& e = *estado_;
  const std::int32_t codigo = [&]() -> std::int32_t {
    if (e.empaque == Empaque::kArc) return kEmpaqueArc;
    if (e.empaque == Empaque::kArj) return kEmpaqueArj;
    const bool solo = e.empaque == Empaque::kGzip || e.empaque == Empaque::kBzip2;
    if (e.empaque == Empaque::kSieteZip)
      if (const std::int32_t c = e.RevisarSieteZip(); c != 0) return c;
    if (const std::int32_t c = e.Empezar(false); c != 0) return c;

    // First pass, forward: the member named like the archive is taken where it stands.
    struct Visto {
      int indice;
      la_int64_t tamano;
    };
    std::vector<Visto> cuentan;
    archive_entry* miembro = nullptr;
    std::int32_t fallo = 0;
    for (int i = 0; e.Siguiente(miembro, fallo); ++i) {
      if (archive_entry_filetype(miembro) != AE_IFREG) continue;
      const bool conTamano = archive_entry_size_is_set(miembro) != 0;
      if (conTamano && archive_entry_size(miembro) == 0) continue;
      const char* nombre = archive_entry_pathname(miembro);
      const std::string_view visto = nombre != nullptr ? nombre : "";
      if (solo || IgualSinCaso(Base(visto), e.base)) {
        if (archive_entry_is_encrypted(miembro)) return kMiembroCifrado;
        if (!solo) miembro_ = visto;
        return 0;
      }
      cuentan.push_back({i, conTamano ? archive_entry_size(miembro) : 0});
    }
    if (fallo != 0) return fallo;
    if (cuentan.empty()) return kArchivoSinLista;

    // Else the only member or the largest: read again from the start up to it.
    const auto elegido =
        std::max_element(cuentan.begin(), cuentan.end(), [](const Visto& a, const Visto& b) {
          return a.tamano < b.tamano;
        })->indice;
    if (const std::int32_t c = e.Empezar(true); c != 0) return c;
    for (int i = 0; i <= elegido; ++i)
      if (!e.Siguiente(miembro, fallo)) return fallo != 0 ? fallo : kArchivoTruncado;
    if (archive_entry_is_encrypted(miembro)) return kMiembroCifrado;
    const char* nombre = archive_entry_pathname(miembro);
    miembro_ = nombre != nullptr ? nombre : "";
    return 0;
  }();
  e.fallo = codigo;
  return codigo;
}

std::int64_t MiembroArchivo::Leer(unsigned char* destino, std::size_t largo) {
  Estado& e = *estado_;
  if (e.fallo == 0 && !e.lector) e.fallo = kArchivoDaniado;
  if (e.fallo != 0) return -e.fallo;
  const la_ssize_t n = archive_read_data(e.lector.get(), destino, largo);
  if (n < 0) {
    e.fallo = e.Fallo();
    return -e.fallo;
  }
  return n;
}
