// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// How many of this process's descriptors are open on `ruta`.
[[nodiscard]] int DescriptoresAbiertos(const std::string& ruta);

// The file offset of this process's (only) descriptor on `ruta`; -1 when none is open.
[[nodiscard]] long PosicionLeida(const std::string& ruta);
