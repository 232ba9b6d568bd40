// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

struct RutasListas;

// The name search: every entry of both lists whose name, location or sysop holds `texto`,
// written as it is found. Returns the exit status.
[[nodiscard]] int BuscarNombre(const RutasListas& rutas, std::string_view texto, bool json,
                               bool completo, std::ostream& destino);

// The address lookup with every field of both entries. Returns the exit status.
[[nodiscard]] int BuscarCompleto(const RutasListas& rutas,
                                 const std::vector<std::string>& direcciones, bool json,
                                 std::ostream& destino);
