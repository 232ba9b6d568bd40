// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

struct ResultadoCompleto;

// The search window's status line after a search of `direccion` that completed: whether the
// nodelist holds the node and the pointlist the point (or that no point was asked for), with the
// files read when both are there.
[[nodiscard]] QString TextoEstado(std::string_view direccion, const ResultadoCompleto& resultado);

// The status line while a search runs, and after one that ended with a message.
[[nodiscard]] QString TextoEstadoIncompleto();

// A list's files as the search named them ("/fido/NODELIST.362+/fido/NODEDIFF.003"), without
// their folders ("NODELIST.362 + NODEDIFF.003").
[[nodiscard]] QString NombresSinCarpeta(const std::string& archivos);
