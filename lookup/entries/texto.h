// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// List texts are bytes. For display: valid UTF-8 stays as it is, anything else is read as
// Windows-1252, the code page the lists were written for. Every byte yields a character.
[[nodiscard]] std::string DecodificarTexto(std::string_view bytes);
