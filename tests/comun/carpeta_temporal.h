// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
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

// A settings folder of a test's own: XDG_CONFIG_HOME points at a scratch folder while this lives,
// and gets its earlier value back (or none) after.
class PerfilTemporal final {
 public:
  PerfilTemporal();
  ~PerfilTemporal();
  PerfilTemporal(const PerfilTemporal&) = delete;
  PerfilTemporal& operator=(const PerfilTemporal&) = delete;

  // $XDG_CONFIG_HOME, the program's folder in it and its store file, whether or not written.
  [[nodiscard]] std::string Raiz() const { return carpeta_.Ruta().string(); }
  [[nodiscard]] std::string Carpeta() const { return carpeta_.Ruta("Tervanik"); }
  [[nodiscard]] std::string Archivo() const { return carpeta_.Ruta("Tervanik/NodeList.conf"); }

  // Writes the store file exactly as given, with its folder, and returns its path.
  std::string Guardar(std::string_view contenido) const;

 private:
  CarpetaTemporal carpeta_;
  std::optional<std::string> anterior_;
};
