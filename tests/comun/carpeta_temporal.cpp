// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/comun/carpeta_temporal.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <system_error>

CarpetaTemporal::CarpetaTemporal() {
  std::string plantilla = (std::filesystem::temp_directory_path() / "buscarpunto-XXXXXX").string();
  if (mkdtemp(plantilla.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  ruta_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal() {
  // A destructor must not throw; a leftover scratch folder is harmless.
  std::error_code noImporta;
  std::filesystem::remove_all(ruta_, noImporta);
}

std::string CarpetaTemporal::Escribir(const std::string& nombre, std::string_view bytes) const {
  const auto ruta = ruta_ / nombre;
  std::ofstream salida(ruta, std::ios::binary | std::ios::trunc);
  salida.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  salida.close();
  if (!salida) throw std::runtime_error("cannot write " + ruta.string());
  return ruta.string();
}

PerfilTemporal::PerfilTemporal() {
  if (const char* valor = ::getenv("XDG_CONFIG_HOME")) anterior_ = valor;
  ::setenv("XDG_CONFIG_HOME", Raiz().c_str(), 1);
}

PerfilTemporal::~PerfilTemporal() {
  if (anterior_) {
    ::setenv("XDG_CONFIG_HOME", anterior_->c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

std::string PerfilTemporal::Guardar(std::string_view contenido) const {
  std::filesystem::create_directories(Carpeta());
  return carpeta_.Escribir("Tervanik/NodeList.conf", contenido);
}
