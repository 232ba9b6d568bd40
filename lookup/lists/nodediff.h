// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class LectorLista;

// Why a diff gave no list.
enum class RechazoDiff {
  kNinguno,          // applied, and its result's CRC matches its first line
  kOtraLista,        // its first line is not the list's: it is for another list, never an error
  kOrdenMala,        // a line where a command belongs is not An, Cn or Dn with n from 1 to 32767
  kPasaDelFinal,     // a Cn or Dn runs past the end of the old list
  kFaltanLineas,     // an An asks for more lines than the diff holds
  kDemasiadoGrande,  // a line or the new list is past what a real list ever holds
  kSinCrc,           // the new list's first line ends in no CRC
  kCrcDistinto,      // the new list is not the one its first line announces
  kIlegible,         // the diff cannot be read (a damaged archive, an I/O failure)
};

struct DiffAplicado {
  RechazoDiff rechazo = RechazoDiff::kNinguno;
  // The new list, every line ended by CR LF; empty unless applied.
  std::string texto;
  // For the user: why the diff was refused (Spanish, bytes of the diff quoted only when printable).
  std::string motivo;
};

// The new list's longest line and size: real ones are under 200 bytes and 3 MB.
inline constexpr std::size_t kLargoMaximoLineaDiff = 64 * 1024;
inline constexpr std::size_t kTamMaximoListaDiff = 64 * 1024 * 1024;

// The CRC a list's first line announces: five decimal digits after its last ':', blanks
// around them allowed. Nothing when they are not there or are over 65535.
[[nodiscard]] std::optional<std::uint16_t> CrcDeCabecera(std::string_view primeraLinea) noexcept;

// The CRC of a list kept as AplicarDiff gives it (CR LF line ends): over every byte from the
// start of its second line to its end.
[[nodiscard]] std::uint16_t CrcDeLista(std::string_view texto) noexcept;

// True when the first line of `texto` (CR LF lines) announces the CRC of the rest.
[[nodiscard]] bool CrcCorrecto(std::string_view texto) noexcept;

// Carries out the commands of the diff that `diff` reads on the list that `lista` reads, both
// open and unread, without looking at the result's CRC: never a list to answer from by itself.
// `tamPrevisto`: about how large the new list will be, so its memory is taken once.
[[nodiscard]] DiffAplicado AplicarOrdenes(LectorLista& lista, LectorLista& diff,
                                          std::size_t tamPrevisto = 0);

// AplicarOrdenes, then the result's CRC checked against its first line. Failures reading the diff
// refuse it; failures reading the list are raised as ErrorEntradaSalida, as for any search of it.
[[nodiscard]] DiffAplicado AplicarDiff(LectorLista& lista, LectorLista& diff,
                                       std::size_t tamPrevisto = 0);
