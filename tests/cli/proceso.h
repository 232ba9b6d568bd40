#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct SalidaProceso {
  std::string salida;   // stdout
  std::string errores;  // stderr
  int codigo = -1;      // exit status; -1 when the child did not exit normally
};

// Runs `programa` with `argumentos`, waits for it and returns what it wrote and its exit status.
[[nodiscard]] SalidaProceso EjecutarProceso(const std::string& programa,
                                            const std::vector<std::string>& argumentos);

// A scratch folder, removed with everything in it when the object goes.
class CarpetaTemporal final {
 public:
  CarpetaTemporal();
  ~CarpetaTemporal();
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  // The path of `nombre` inside the folder, whether or not it was written.
  [[nodiscard]] std::string Ruta(const std::string& nombre) const {
    return (ruta_ / nombre).string();
  }

  // Writes `bytes` exactly as given and returns the file's path.
  [[nodiscard]] std::string Escribir(const std::string& nombre, std::string_view bytes) const;

 private:
  std::filesystem::path ruta_;
};

// Holds an exclusive flock on a file for as long as it lives, as a writer would.
class BloqueoExclusivo final {
 public:
  explicit BloqueoExclusivo(const std::string& ruta);
  ~BloqueoExclusivo();
  BloqueoExclusivo(const BloqueoExclusivo&) = delete;
  BloqueoExclusivo& operator=(const BloqueoExclusivo&) = delete;

 private:
  int descriptor_;
};
