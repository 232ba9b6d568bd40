// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The packers FidoNet lists are distributed with, told apart by their first bytes.
enum class Empaque { kNinguno, kZip, kSieteZip, kRar, kLha, kGzip, kBzip2, kArc, kArj };

[[nodiscard]] Empaque EmpaqueDe(std::string_view inicio) noexcept;

// The list member of an archive, read forward through libarchive from a descriptor its owner
// keeps (and reads with its own read()): nothing is unpacked to disk, and memory does not grow
// with the member. The list is the member named like the archive file (NODELIST.122 in
// NODELIST.Z22, in any letter case), else the only member, else the largest; folders and empty
// members never count.
class MiembroArchivo final {
 public:
  // `inicio`: the bytes already read from `fd`, which stands just past them.
  MiembroArchivo(int fd, std::string inicio, Empaque empaque, std::string_view rutaArchivo);
  ~MiembroArchivo();
  MiembroArchivo(const MiembroArchivo&) = delete;
  MiembroArchivo& operator=(const MiembroArchivo&) = delete;

  // Finds the list member; 0, or a failure code (also kept for every later Leer).
  [[nodiscard]] std::int32_t Abrir();
  // Up to `largo` bytes of the member; 0 at its end, or minus a failure code.
  [[nodiscard]] std::int64_t Leer(unsigned char* destino, std::size_t largo);
  // The member's name inside the archive; empty for a lone compressed file (gzip, bzip2).
  [[nodiscard]] const std::string& Miembro() const noexcept { return miembro_; }

 private:
  struct Estado;
  std::unique_ptr<Estado> estado_;
  std::string miembro_;
};
