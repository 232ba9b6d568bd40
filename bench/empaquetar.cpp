// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/empaquetar.h"

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::string Empaquetar(const std::string& ruta) {
  std::ifstream entrada(ruta, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(entrada),
                          std::istreambuf_iterator<char>()};
  const std::string nombre = std::filesystem::path(ruta).filename().string();
  const std::string zip = ruta.substr(0, ruta.size() - 3) + "Z" + ruta.substr(ruta.size() - 2);
  archive* a = archive_write_new();
  archive_entry* miembro = archive_entry_new();
  archive_write_set_format_zip(a);
  archive_entry_set_pathname(miembro, nombre.c_str());
  archive_entry_set_filetype(miembro, AE_IFREG);
  archive_entry_set_perm(miembro, 0644);
  archive_entry_set_size(miembro, static_cast<la_int64_t>(bytes.size()));
  const bool bien =
      archive_write_open_filename(a, zip.c_str()) == ARCHIVE_OK &&
      archive_write_header(a, miembro) == ARCHIVE_OK &&
      archive_write_data(a, bytes.data(), bytes.size()) == static_cast<la_ssize_t>(bytes.size()) &&
      archive_write_close(a) == ARCHIVE_OK;
  archive_entry_free(miembro);
  archive_write_free(a);
  if (!bien) throw std::runtime_error("cannot write " + zip);
  std::filesystem::remove(ruta);
  return zip;
}
