#include "tests/lookup/archivo_temporal.h"

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
  std::error_code ignorado;
  std::filesystem::remove_all(ruta_, ignorado);
}

std::string CarpetaTemporal::Escribir(const std::string& nombre, std::string_view bytes) const {
  const auto ruta = ruta_ / nombre;
  std::ofstream salida(ruta, std::ios::binary | std::ios::trunc);
  salida.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!salida) throw std::runtime_error("cannot write " + ruta.string());
  return ruta.string();
}

namespace {

template <typename F>
void PorCadaDescriptor(const std::string& ruta, F&& hacer) {
  const auto buscado = std::filesystem::weakly_canonical(ruta);
  for (const auto& entrada : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const auto destino = std::filesystem::read_symlink(entrada.path(), error);
    if (!error && destino == buscado) hacer(entrada.path().filename().string());
  }
}

}  // namespace

int DescriptoresAbiertos(const std::string& ruta) {
  int cuenta = 0;
  PorCadaDescriptor(ruta, [&](const std::string&) { ++cuenta; });
  return cuenta;
}

long PosicionLeida(const std::string& ruta) {
  long posicion = -1;
  PorCadaDescriptor(ruta, [&](const std::string& fd) {
    std::ifstream info("/proc/self/fdinfo/" + fd);
    std::string campo;
    while (info >> campo)
      if (campo == "pos:") info >> posicion;
  });
  return posicion;
}
