// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What each flag of an entry means, in Spanish, one line per flag in list order: the flag as
// written, ": ", its meaning ("CM: acepta correo a cualquier hora"). The flags FTS-5001 defines,
// "Txy" online hours as a span in UTC wherever they stand, the flags after "U" (or written "Uxxx")
// as user flags, anything else as a flag it does not define. Empty flags give no line.
[[nodiscard]] std::vector<std::string> SignificadoFlags(const std::vector<std::string>& flags);
