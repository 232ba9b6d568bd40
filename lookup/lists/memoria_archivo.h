// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What unpacking an archive member costs, read from the archive's own headers before libarchive
// acts on them: a header may declare a window of up to 4 GiB, which libarchive takes whole.

// The most one member may ask for: 7-Zip's largest default dictionary (-mx9), far past what a
// list needs (7-Zip sizes its dictionary down to the file: a 3 MB list gets one of 4 MB at most).
inline constexpr std::uint64_t kMaxMemoriaMiembro = 64 * 1024 * 1024;

// Bytes of memory a coder needs for its window or model, from its properties: LZMA (5 bytes),
// LZMA2 (1 byte) and PPMd (5 bytes, 7-Zip's; 2 bytes, ZIP's). Nothing for bad properties.
[[nodiscard]] std::optional<std::uint64_t> DiccionarioLzma(std::string_view propiedades) noexcept;
[[nodiscard]] std::optional<std::uint64_t> DiccionarioLzma2(std::string_view propiedades) noexcept;
[[nodiscard]] std::optional<std::uint64_t> MemoriaPpmd7z(std::string_view propiedades) noexcept;

// kArchivoExcesivo when some member of the ZIP archive open on `fd` is packed with LZMA (14), XZ
// (95) or PPMd (98) and asks for more than kMaxMemoriaMiembro; else 0. Every local header in the
// file counts, as libarchive's streaming reader finds them; read with pread, the descriptor's
// offset stays where it is.
[[nodiscard]] std::int32_t RevisarZip(int fd);
