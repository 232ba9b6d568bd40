// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Replaces a list by a ZIP of it named as distributed: NODELIST.123 becomes NODELIST.Z23, with
// the list inside under its own name. Returns the ZIP's path.
std::string Empaquetar(const std::string& ruta);
