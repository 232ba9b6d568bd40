#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A scratch folder for one test, removed with everything in it when the test ends.
class CarpetaTemporal final {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  [[nodiscard]] const std::filesystem::path& Ruta() const noexcept { return ruta_; }

  // Writes `bytes` exactly as given to a file in the folder and returns its path.
  std::string Escribir(const std::string& nombre, std::string_view bytes) const;

 private:
  std::filesystem::path ruta_;
};

// How many of this process's descriptors are open on `ruta`.
[[nodiscard]] int DescriptoresAbiertos(const std::string& ruta);

// The file offset of this process's (only) descriptor on `ruta`; -1 when none is open.
[[nodiscard]] long PosicionLeida(const std::string& ruta);
