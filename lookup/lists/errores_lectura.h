// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Pending I/O result of this thread: set by failing reader operations, read and cleared only by
// ComprobarES. 0 means nothing is pending.
extern thread_local std::int32_t resultadoES;

// Reader codes of our own, beside the platform's.
inline constexpr std::int32_t kCerrarSinAbrir = 103;
inline constexpr std::int32_t kLectorCerrado = 104;
inline constexpr std::int32_t kArchivoBloqueado = 32;

class ErrorEntradaSalida final : public std::runtime_error {
 public:
  ErrorEntradaSalida(std::int32_t codigo, const std::string& mensaje);

  [[nodiscard]] std::int32_t codigo() const noexcept { return codigo_; }
  [[nodiscard]] std::string mensaje() const { return what(); }

 private:
  std::int32_t codigo_;
};

// The user-facing text of a failure code ("File not found", "I/O error 32"...).
[[nodiscard]] std::string MensajeError(std::int32_t codigo);

// Translates an errno value into a failure code whose message tells the truth about it.
[[nodiscard]] std::int32_t CodigoDeErrno(int numero) noexcept;

// Raises the pending I/O result as ErrorEntradaSalida, clearing it.
void ComprobarES();

// Reader codes of the archives lists travel in, beside the platform's.
inline constexpr std::int32_t kArchivoTruncado = 120;
inline constexpr std::int32_t kArchivoDaniado = 121;
inline constexpr std::int32_t kMiembroCifrado = 122;
inline constexpr std::int32_t kArchivoSinLista = 123;
inline constexpr std::int32_t kEmpaqueArc = 124;
inline constexpr std::int32_t kEmpaqueArj = 125;
// A list rewritten in place under every one of a search's readings.
inline constexpr std::int32_t kListaCambiante = 126;
// An archive whose headers ask for more memory than unpacking a list needs (kMaxMemoriaMiembro).
inline constexpr std::int32_t kArchivoExcesivo = 127;
