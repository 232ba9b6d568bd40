// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target once on every file of the folders (or files) given: the committed seeds and
// the inputs that once broke a rule stay checked by every ordinary test run, without libFuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Entradas(const fs::path& ruta) {
  if (!fs::is_directory(ruta)) return {ruta};
  std::vector<fs::path> archivos;
  for (const auto& entrada : fs::directory_iterator(ruta))
    if (entrada.is_regular_file()) archivos.push_back(entrada.path());
  std::sort(archivos.begin(), archivos.end());
  return archivos;
}

std::vector<std::uint8_t> Contenido(const fs::path& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  if (!archivo) throw std::runtime_error("cannot read " + ruta.string());
  return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    std::size_t ejecutadas = 0;
    for (int i = 1; i < argc; ++i) {
      if (!fs::exists(argv[i])) {
        std::fprintf(stderr, "no such input folder or file: %s\n", argv[i]);
        return 2;
      }
      for (const auto& ruta : Entradas(argv[i])) {
        const auto bytes = Contenido(ruta);
        // Named first: a broken rule ends the process right away.
        std::fprintf(stderr, "%s (%zu bytes)\n", ruta.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++ejecutadas;
      }
    }
    std::printf("%zu inputs passed\n", ejecutadas);
    return ejecutadas == 0 ? 1 : 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 1;
  }
}
