// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/lector_lista.h"

#include "lookup/lists/archivo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

constexpr unsigned char kCR = 0x0D;
constexpr unsigned char kLF = 0x0A;
constexpr unsigned char kFinDatos = 0x1A;

// The first CR, LF or 0x1A in [p, fin), or fin. Scanning is most of the reader's own work, so
// sixteen bytes are tested at a time where the processor can.
const unsigned char* FinDeTexto(const unsigned char* p, const unsigned char* fin) noexcept {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8(static_cast<char>(kCR));
  const __m128i lf = _mm_set1_epi8(static_cast<char>(kLF));
  const __m128i finDatos = _mm_set1_epi8(static_cast<char>(kFinDatos));
  while (fin - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i marcas = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                        _mm_cmpeq_epi8(v, finDatos));
    const auto mascara = static_cast<unsigned>(_mm_movemask_epi8(marcas));
    if (mascara != 0) return p + std::countr_zero(mascara);
    p += 16;
  }
#endif
  while (p != fin && *p != kCR && *p != kLF && *p != kFinDatos)
    ++p;
  return p;
}

bool TieneCero(const std::string& ruta) {
  return ruta.find('\0') != std::string::npos;
}

std::int64_t Nanosegundos(const timespec& t) noexcept {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

thread_local bool cambioVisto = false;

}  // namespace

bool FechaDeDosValida(std::time_t momento) {
  std::tm local{};
  if (localtime_r(&momento, &local) == nullptr) return false;
  const int anio = local.tm_year + 1900;
  return anio >= 1980 && anio <= 2107;
}

bool ExisteArchivo(const std::string& ruta) {
  if (ruta.empty() || TieneCero(ruta)) return false;
  struct stat datos {};
  if (stat(ruta.c_str(), &datos) != 0) return false;
  return S_ISREG(datos.st_mode) && FechaDeDosValida(datos.st_mtime);
}

LectorLista::LectorLista() = default;

LectorLista::LectorLista(std::size_t tamBloque) : bufer_(std::max(tamBloque, kTamBufer)) {}

LectorLista::~LectorLista() {
  Soltar();
}

void LectorLista::Soltar() noexcept {
  textoAbierto_ = false;
  archivo_.reset();
  if (manejador_ >= 0) ::close(manejador_);
  manejador_ = -1;
}

void LectorLista::Asignar(std::string ruta) {
  // Only reached after a failed search; the old file is never read again.
  Soltar();
  posBufer_ = finBufer_ = 0;
  primerBloque_ = true;
  miembro_.clear();
  texto_.reset();
  ruta_ = std::move(ruta);
}

void LectorLista::AsignarTexto(std::shared_ptr<const std::string> texto, std::string nombre) {
  Asignar(std::move(nombre));
  texto_ = std::move(texto);
}

void LectorLista::Abrir() {
  if (Abierto()) Cerrar();
  posBufer_ = finBufer_ = 0;
  primerBloque_ = true;
  archivo_.reset();
  miembro_.clear();
  if (texto_) {
    posTexto_ = 0;
    textoAbierto_ = true;
    return;
  }
  if (TieneCero(ruta_)) {
    resultadoES = 3;
    return;
  }
  // The path passed the existence test, but may have become a FIFO or a device since: without
  // O_NONBLOCK a FIFO would block here until a writer came, so check what was opened first.
  int fd;
  do {
    fd = ::open(ruta_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    resultadoES = CodigoDeErrno(errno);
    return;
  }
  struct stat datos {};
  if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode)) {
    // Anything but a regular file counts as missing, as for the existence test.
    ::close(fd);
    resultadoES = 2;
    return;
  }
  // O_NONBLOCK changes nothing for a regular file's reads, so it can stay.
  // A shared lock keeps cooperating writers out while we read, and tells us when one is in.
  int bloqueo;
  do {
    bloqueo = ::flock(fd, LOCK_SH | LOCK_NB);
  } while (bloqueo != 0 && errno == EINTR);
  if (bloqueo != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    resultadoES = kArchivoBloqueado;
    return;
  }
  // Any other lock failure means the file system keeps no locks: read unlocked.
  manejador_ = fd;
  huella_ = HuellaDe(datos);
}

// The list inside an archive, through the same buffer as a plain file's bytes. `leidos`: the
// archive's first bytes, already in the buffer.
bool LectorLista::LeerArchivo(std::uint32_t leidos) {
  if (!archivo_) {
    const std::string inicio(reinterpret_cast<const char*>(bufer_.data()), leidos);
    archivo_ = std::make_unique<MiembroArchivo>(manejador_, inicio, EmpaqueDe(inicio), ruta_);
    if (const std::int32_t codigo = archivo_->Abrir(); codigo != 0 && !CambioDesdeQueSeAbrio()) {
      resultadoES = codigo;
      return false;
    }
    miembro_ = archivo_->Miembro();
  }
  const std::int64_t n = archivo_->Leer(bufer_.data(), bufer_.size());
  // An archive rewritten under its reader reads as damaged or cut: its data ends here, and the
  // reading that ends is noticed as changed and made again.
  if (n < 0 && CambioDesdeQueSeAbrio()) {
    bufer_[0] = kFinDatos;
    finBufer_ = 1;
    return true;
  }
  if (n < 0) {
    resultadoES = static_cast<std::int32_t>(-n);
    return false;
  }
  if (n == 0) {
    bufer_[0] = kFinDatos;
    finBufer_ = 1;
  } else {
    finBufer_ = static_cast<std::uint32_t>(n);
  }
  return true;
}

bool LectorLista::Rellenar() {
  posBufer_ = finBufer_ = 0;
  if (archivo_) return LeerArchivo(0);
  if (texto_) {
    const std::size_t n = std::min(bufer_.size(), texto_->size() - posTexto_);
    std::copy_n(texto_->data() + posTexto_, n, bufer_.data());
    posTexto_ += n;
    if (n == 0) bufer_[0] = kFinDatos;
    finBufer_ = static_cast<std::uint32_t>(std::max<std::size_t>(n, 1));
    return true;
  }
  ssize_t leidos;
  do {
    leidos = ::read(manejador_, bufer_.data(), bufer_.size());
  } while (leidos < 0 && errno == EINTR);
  if (leidos < 0) {
    resultadoES = CodigoDeErrno(errno);
    return false;
  }
  if (primerBloque_) {
    primerBloque_ = false;
    const std::string_view inicio(reinterpret_cast<const char*>(bufer_.data()),
                                  static_cast<std::size_t>(leidos));
    if (EmpaqueDe(inicio) != Empaque::kNinguno)
      return LeerArchivo(static_cast<std::uint32_t>(leidos));
  }
  if (leidos == 0) {
    // The end marker stands in for the missing bytes; the file is not touched again.
    bufer_[0] = kFinDatos;
    finBufer_ = 1;
  } else {
    finBufer_ = static_cast<std::uint32_t>(leidos);
  }
  return true;
}

// Makes sure the next byte (a file byte or the end marker) is in the buffer, without taking it.
bool LectorLista::HayByte() {
  if (!Abierto()) {
    resultadoES = kLectorCerrado;
    return false;
  }
  return posBufer_ < finBufer_ || Rellenar();
}

bool LectorLista::FinDeArchivo() {
  return !HayByte() || bufer_[posBufer_] == kFinDatos;
}

void LectorLista::LeerLinea(std::string& linea) {
  LeerLinea(linea, std::string::npos);
}

void LectorLista::LeerLinea(std::string& linea, std::size_t limite) {
  linea.clear();
  bool leido = true;
  for (;;) {
    if (!HayByte()) {
      leido = false;
      break;
    }
    const unsigned char* inicio = bufer_.data() + posBufer_;
    const unsigned char* fin = bufer_.data() + finBufer_;
    const unsigned char* p = FinDeTexto(inicio, fin);
    const auto largo = static_cast<std::size_t>(p - inicio);
    if (linea.size() < limite)
      linea.append(reinterpret_cast<const char*>(inicio), std::min(largo, limite - linea.size()));
    posBufer_ = static_cast<std::uint32_t>(p - bufer_.data());
    if (p != fin) break;
  }
  // A failed read leaves the reader where it was; otherwise step over the line end.
  if (leido) {
    const unsigned char fin = bufer_[posBufer_];
    if (fin == kLF) {
      ++posBufer_;
    } else if (fin == kCR) {
      ++posBufer_;
      if (HayByte() && bufer_[posBufer_] == kLF) ++posBufer_;
    }
  }
  ComprobarES();
}

std::string LectorLista::Principio(std::size_t tope) {
  std::string linea;
  while (linea.size() < tope && HayByte()) {
    const unsigned char* inicio = bufer_.data() + posBufer_;
    const unsigned char* fin =
        inicio + std::min<std::size_t>(finBufer_ - posBufer_, tope - linea.size());
    const unsigned char* p = FinDeTexto(inicio, fin);
    linea.append(reinterpret_cast<const char*>(inicio), static_cast<std::size_t>(p - inicio));
    posBufer_ = static_cast<std::uint32_t>(p - bufer_.data());
    if (p != fin) break;
  }
  return linea;
}

std::string LectorLista::LeerLinea() {
  std::string linea;
  LeerLinea(linea);
  return linea;
}

LectorLista::Huella LectorLista::HuellaDe(const struct stat& datos) noexcept {
  return {static_cast<std::uint64_t>(datos.st_dev), static_cast<std::uint64_t>(datos.st_ino),
          static_cast<std::int64_t>(datos.st_size), Nanosegundos(datos.st_mtim),
          Nanosegundos(datos.st_ctim)};
}

bool LectorLista::CambioDesdeQueSeAbrio() const noexcept {
  if (manejador_ < 0) return false;
  struct stat abierto {};
  struct stat enLaRuta {};
  if (::fstat(manejador_, &abierto) != 0 || ::stat(ruta_.c_str(), &enLaRuta) != 0) return true;
  return HuellaDe(abierto) != huella_ || HuellaDe(enLaRuta) != huella_;
}

void NotarSiCambio(const LectorLista& lector) noexcept {
  if (lector.CambioDesdeQueSeAbrio()) cambioVisto = true;
}

void NotarCambio() noexcept {
  cambioVisto = true;
}

bool HuboCambio() noexcept {
  return cambioVisto;
}

void OlvidarCambio() noexcept {
  cambioVisto = false;
}

std::string LectorLista::Nombre() const {
  return miembro_.empty() ? ruta_ : ruta_ + ":" + miembro_;
}

void LectorLista::Cerrar() {
  if (!Abierto()) {
    resultadoES = kCerrarSinAbrir;
    return;
  }
  if (textoAbierto_) {
    textoAbierto_ = false;
    return;
  }
  archivo_.reset();
  const int fd = manejador_;
  manejador_ = -1;
  // Linux releases the descriptor even when close() reports EINTR.
  if (::close(fd) != 0 && errno != EINTR) resultadoES = CodigoDeErrno(errno);
}
