// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/archivo.h"

#include <archive.h>
#include <archive_entry.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "lookup/lists/errores_lectura.h"
#include "lookup/lists/memoria_archivo.h"
#include "lookup/lists/siete_zip.h"

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

  // The failure code of what libarchive just refused.
  std::int32_t Fallo() const {
    if (errorSistema != 0) return CodigoDeErrno(errorSistema);
    const char* texto = archive_error_string(lector.get());
    const std::string_view mensaje = texto != nullptr ? texto : "";
    // libarchive 3.6 asks the chosen format here and crashes when none was chosen yet.
    const bool conFormato = abierto && archive_read_has_encrypted_entries(lector.get()) > 0;
    if (conFormato || Contiene(mensaje, "encrypt") || Contiene(mensaje, "passphrase"))
      return kMiembroCifrado;
    // RAR5: libarchive takes windows of up to 64 MiB and refuses larger ones in these words.
    if (Contiene(mensaje, "dictionary size")) return kArchivoExcesivo;
    if (Contiene(mensaje, "crc") || Contiene(mensaje, "checksum")) return kArchivoDaniado;
    if (empaque == Empaque::kSieteZip && SieteZipCorto(fd, inicio)) return kArchivoTruncado;
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
      if (const std::int32_t c = RevisarSieteZip(e.fd, e.inicio); c != 0) return c;
    if (e.empaque == Empaque::kZip)
      if (const std::int32_t c = RevisarZip(e.fd); c != 0) return c;
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
