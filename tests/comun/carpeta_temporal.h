// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A scratch folder for one test, removed with everything in it when the object goes.
class CarpetaTemporal final {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  [[nodiscard]] const std::filesystem::path& Ruta() const noexcept { return ruta_; }

  // The path of `nombre` inside the folder, whether or not it was written.
  [[nodiscard]] std::string Ruta(const std::string& nombre) const {
    return (ruta_ / nombre).string();
  }

  // Writes `bytes` exactly as given to a file in the folder and returns its path.
  std::string Escribir(const std::string& nombre, std::string_view bytes) const;

 private:
  std::filesystem::path ruta_;
};
