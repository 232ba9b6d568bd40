// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/memoria_archivo.h"

#include <lzma.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lookup/lists/errores_lectura.h"

namespace {

std::uint64_t Le(std::string_view b, std::size_t desde, std::size_t largo) {
  std::uint64_t valor = 0;
  for (std::size_t i = 0; i < largo; ++i)
    valor |= std::uint64_t{static_cast<unsigned char>(b[desde + i])} << (8 * i);
  return valor;
}

// Up to `largo` bytes from `desde`; fewer at the file's end, none on a failure.
std::string LeerEn(int fd, std::uint64_t desde, std::size_t largo) {
  std::string bytes(largo, '\0');
  std::size_t hecho = 0;
  while (hecho < largo) {
    const ssize_t n =
        ::pread(fd, bytes.data() + hecho, largo - hecho, static_cast<off_t>(desde + hecho));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    hecho += static_cast<std::size_t>(n);
  }
  bytes.resize(hecho);
  return bytes;
}

constexpr std::uint16_t kZipLzma = 14;
constexpr std::uint16_t kZipXz = 95;
constexpr std::uint16_t kZipPpmd = 98;
constexpr std::size_t kCabeceraLocal = 30;
// A ZIP LZMA member starts with a 2-byte version and the 2-byte size of the properties.
constexpr std::size_t kPrefijoLzmaZip = 4;

struct LiberarOpciones {
  void operator()(void* p) const noexcept { std::free(p); }
};

// The window of the first block of an .xz stream: its block header lists the filters.
std::optional<std::uint64_t> DiccionarioXz(std::string_view datos) {
  if (datos.size() < LZMA_STREAM_HEADER_SIZE + 1) return std::nullopt;
  lzma_stream_flags banderas{};
  if (lzma_stream_header_decode(&banderas, reinterpret_cast<const std::uint8_t*>(datos.data())) !=
      LZMA_OK)
    return std::nullopt;
  const auto* bloque =
      reinterpret_cast<const std::uint8_t*>(datos.data()) + LZMA_STREAM_HEADER_SIZE;
  if (bloque[0] == 0) return 0;  // the index: no block at all
  std::array<lzma_filter, LZMA_FILTERS_MAX + 1> filtros{};
  lzma_block cabecera{};
  cabecera.version = 1;
  cabecera.check = banderas.check;
  cabecera.header_size = lzma_block_header_size_decode(bloque[0]);
  cabecera.filters = filtros.data();
  if (datos.size() < LZMA_STREAM_HEADER_SIZE + cabecera.header_size ||
      lzma_block_header_decode(&cabecera, nullptr, bloque) != LZMA_OK)
    return std::nullopt;
  std::uint64_t mayor = 0;
  for (const lzma_filter& filtro : filtros) {
    if (filtro.id == LZMA_VLI_UNKNOWN) break;
    const std::unique_ptr<void, LiberarOpciones> opciones(filtro.options);
    if (filtro.id == LZMA_FILTER_LZMA1 || filtro.id == LZMA_FILTER_LZMA2)
      mayor = std::max<std::uint64_t>(mayor,
                                      static_cast<lzma_options_lzma*>(filtro.options)->dict_size);
  }
  return mayor;
}

// What the member whose local header starts `cabecera` (30 bytes and on) asks for; 0 when its
// method keeps no window of a size it declares.
std::uint64_t MemoriaMiembroZip(int fd, std::uint64_t posicion, std::string_view cabecera) {
  const auto metodo = static_cast<std::uint16_t>(Le(cabecera, 8, 2));
  const bool cifrado = (Le(cabecera, 6, 2) & 1) != 0;
  if (cifrado || (metodo != kZipLzma && metodo != kZipXz && metodo != kZipPpmd)) return 0;
  const std::uint64_t datos = posicion + kCabeceraLocal + Le(cabecera, 26, 2) + Le(cabecera, 28, 2);
  const std::string inicio = LeerEn(fd, datos, 64);
  std::optional<std::uint64_t> memoria;
  if (metodo == kZipLzma && inicio.size() >= kPrefijoLzmaZip + 5)
    memoria = DiccionarioLzma(std::string_view(inicio).substr(kPrefijoLzmaZip, 5));
  else if (metodo == kZipXz)
    memoria = DiccionarioXz(inicio);
  else if (metodo == kZipPpmd && inicio.size() >= 2)
    // Bits 4 to 11 of the little-endian word: the model's size in MiB, less one.
    memoria = ((Le(inicio, 0, 2) >> 4 & 0xFF) + 1) << 20;
  // Properties that do not read are libarchive's to refuse.
  return memoria.value_or(0);
}

}  // namespace

std::optional<std::uint64_t> DiccionarioLzma(std::string_view propiedades) noexcept {
  if (propiedades.size() < 5) return std::nullopt;
  return Le(propiedades, 1, 4);
}

std::optional<std::uint64_t> DiccionarioLzma2(std::string_view propiedades) noexcept {
  if (propiedades.size() != 1) return std::nullopt;
  const auto b = static_cast<unsigned char>(propiedades[0]);
  if (b > 40) return std::nullopt;
  if (b == 40) return 0xFFFFFFFFu;
  return std::uint64_t{2u | (b & 1u)} << (b / 2 + 11);
}

std::optional<std::uint64_t> MemoriaPpmd7z(std::string_view propiedades) noexcept {
  if (propiedades.size() < 5) return std::nullopt;
  return Le(propiedades, 1, 4);
}

std::int32_t RevisarZip(int fd) {
  static constexpr std::string_view kFirma("PK\x03\x04", 4);
  constexpr std::size_t kTrozo = 64 * 1024;
  std::uint64_t desde = 0;
  for (;;) {
    const std::string trozo = LeerEn(fd, desde, kTrozo + kCabeceraLocal);
    for (std::size_t i = trozo.find(kFirma); i != std::string::npos && i < kTrozo;
         i = trozo.find(kFirma, i + 1)) {
      const std::string cabecera = i + kCabeceraLocal <= trozo.size()
                                       ? trozo.substr(i, kCabeceraLocal)
                                       : LeerEn(fd, desde + i, kCabeceraLocal);
      if (cabecera.size() == kCabeceraLocal &&
          MemoriaMiembroZip(fd, desde + i, cabecera) > kMaxMemoriaMiembro)
        return kArchivoExcesivo;
    }
    if (trozo.size() <= kTrozo) return 0;
    desde += kTrozo;
  }
}
