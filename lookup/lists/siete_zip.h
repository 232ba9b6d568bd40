// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// A 7-Zip archive's header, checked before libarchive reads it. `fd`: the open archive;
// `inicio`: its first bytes (the start header is the first 32).

// The failure code of a header libarchive should not be given (one declaring more members,
// streams or folders than a list archive holds, a wrong checksum, one running past the file's
// end); 0 leaves the verdict to libarchive, as for no header, one it cannot decrypt, or a failed
// read.
[[nodiscard]] std::int32_t RevisarSieteZip(int fd, std::string_view inicio);

// True when the start header places the table of contents past the file's end.
[[nodiscard]] bool SieteZipCorto(int fd, std::string_view inicio);
