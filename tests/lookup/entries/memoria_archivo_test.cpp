// SPDX-License-Identifier: GPL-3.0-or-later
// Archives whose headers ask for a window larger than a list needs are refused before anything
// is unpacked, in words of their own; the windows real archives use are read.

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"
#include "tests/lookup/entries/error_de.h"

namespace {

using namespace std::string_literals;

// CRC-32 (reflected, polynomial 0xEDB88320), bit by bit from its definition.
std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

std::string Le32(std::uint32_t valor) {
  std::string bytes;
  for (int i = 0; i < 4; ++i)
    bytes += static_cast<char>(valor >> (8 * i) & 0xFF);
  return bytes;
}

// A 7-Zip archive of tests/data/listas with `viejo` in its next header (the part the start
// header points at) written as `nuevo`, and both checksums made right again.
std::string SieteZip(const std::string& nombre, const std::string& viejo,
                     const std::string& nuevo) {
  std::string bytes = LeerArchivo(TEST_DATA_DIR "/listas/" + nombre);
  std::size_t cabecera = 0;
  for (int i = 7; i >= 0; --i)
    cabecera = cabecera << 8 | static_cast<unsigned char>(bytes[12 + i]);
  cabecera += 32;
  const std::size_t donde = bytes.find(viejo, cabecera);
  EXPECT_NE(donde, std::string::npos);
  bytes.replace(donde, viejo.size(), nuevo);
  bytes.replace(28, 4, Le32(Crc32(std::string_view(bytes).substr(cabecera))));
  bytes.replace(8, 4, Le32(Crc32(std::string_view(bytes).substr(12, 20))));
  return bytes;
}

// One ZIP member packed with `metodo`, its data beginning with `datos`.
std::string Zip(std::uint16_t metodo, const std::string& datos) {
  return "PK\x03\x04\x3F\x00\x00\x00"s + static_cast<char>(metodo) +
         "\x00\x00\x00\x00\x00\x00\x00\x00\x00"s + Le32(static_cast<std::uint32_t>(datos.size())) +
         Le32(100000) + "\x0C\x00\x00\x00"s + "NODELIST.345" + datos;
}

// The start of an .xz stream whose first block is LZMA2 with dictionary byte `diccionario`.
std::string Xz(char diccionario) {
  const std::string banderas("\x00\x01", 2);
  std::string bloque = "\x02\x00\x21\x01"s + diccionario + "\x00\x00\x00"s;
  bloque += Le32(Crc32(bloque));
  return "\xFD"
         "7zXZ"s +
         '\0' + banderas + Le32(Crc32(banderas)) + bloque;
}

using CasoMemoria = casos::Fila<std::string, std::int32_t>;

class MemoriaArchivoTest : public testing::TestWithParam<CasoMemoria> {};

TEST_P(MemoriaArchivoTest, UnaVentanaDeMasDe64MiBSeRechaza) {
  const CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("PNT5020.7Z", GetParam().entrada);
  const std::string pointlist = carpeta.Escribir("POINTS", "Boss,2:5020/113\r\n,8,P,C,N,1\r\n");
  if (GetParam().esperado == 0) {
    EXPECT_NO_THROW((void)EjecutarBusqueda(nodelist, pointlist, "2:5020/113.8", {}));
    return;
  }
  const auto error =
      ErrorDe([&] { (void)EjecutarBusqueda(nodelist, pointlist, "2:5020/113.8", {}); });
  EXPECT_EQ(error.first, GetParam().esperado);
  EXPECT_EQ(error.second, "Archive needs too much memory");
}

// LZMA2's dictionary byte b is (2 | b & 1) << (b / 2 + 11): 28 is 64 MiB, 29 is 96 MiB, 40 is 4
// GiB.
INSTANTIATE_TEST_SUITE_P(
    Casos, MemoriaArchivoTest,
    testing::Values(
        CasoMemoria{"SieteZipLzma2De4GiB",
                    SieteZip("pnt5020-113.7z", "\x21\x21\x01\x03", "\x21\x21\x01\x28"), 127},
        CasoMemoria{"SieteZipLzma2De96MiB",
                    SieteZip("pnt5020-113.7z", "\x21\x21\x01\x03", "\x21\x21\x01\x1D"), 127},
        CasoMemoria{"SieteZipLzma2De64MiBSeLee",
                    SieteZip("pnt5020-113.7z", "\x21\x21\x01\x03", "\x21\x21\x01\x1C"), 0},
        CasoMemoria{
            "CabeceraEmpaquetadaConLzmaDe4GiB",
            SieteZip("pnt5020-113-lzma.7z", "\x5D\x00\x00\x01\x00"s, "\x5D\xFF\xFF\xFF\xFF"), 127},
        CasoMemoria{"ZipLzmaDe4GiB", Zip(14, "\x09\x14\x05\x00\x5D\xFF\xFF\xFF\xFF"s), 127},
        CasoMemoria{"ZipXzDe4GiB", Zip(95, Xz('\x28')), 127},
        CasoMemoria{"ZipPpmdDe256MiB", Zip(98, "\xF8\x0F"s), 127}),
    casos::PorNombre());

}  // namespace
