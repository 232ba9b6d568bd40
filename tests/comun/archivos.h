// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

// The bytes of a file, whole; empty when it cannot be read.
[[nodiscard]] std::string LeerArchivo(const std::string& ruta);

// Gives a file `momento`, or noon (local time) of a day, as its access and modification time.
void Fechar(const std::string& ruta, std::time_t momento);
void Fechar(const std::string& ruta, int anio, int mes, int dia);

// How many of this process's descriptors are open on `ruta`.
[[nodiscard]] int DescriptoresAbiertos(const std::string& ruta);

// The file offset of this process's (only) descriptor on `ruta`; -1 when none is open.
[[nodiscard]] long PosicionLeida(const std::string& ruta);
