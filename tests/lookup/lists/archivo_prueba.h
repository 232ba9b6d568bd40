// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/lookup/lists/lista_prueba.h"

inline std::string Datos(const std::string& nombre) {
  return TEST_DATA_DIR "/" + nombre;
}

// Every line as the lookups read them, and the name the reader gives what it read. (Not
// "Lineas": tests/comun has one of that name and parameter, and the linker would take either.)
inline std::pair<std::vector<std::string>, std::string> LineasLeidas(const std::string& ruta) {
  return ConLista(ruta, [](LectorLista& lector) {
    auto lineas = LeerTodo(lector);
    return std::make_pair(lineas, lector.Nombre());
  });
}

struct CasoFormato {
  const char* nombre;
  const char* archivo;
  const char* miembro;  // empty: a lone compressed file, named by its own path
};

class FormatoTest : public testing::TestWithParam<CasoFormato> {};

// Every format a list travels in, each row named by its format.
inline const auto kFormatos = testing::Values(
    CasoFormato{"Zip", "pnt5020-113.zip", "PNT5020.113"},
    CasoFormato{"SieteZip", "pnt5020-113.7z", "PNT5020.113"},
    CasoFormato{"SieteZipConCabeceraLzma", "pnt5020-113-lzma.7z", "PNT5020.113"},
    CasoFormato{"Rar", "pnt5020-113.rar", "PNT5020.113"},
    CasoFormato{"Lha", "pnt5020-113.lzh", "PNT5020.113"}, CasoFormato{"Gzip", "pnt5020-113.gz", ""},
    CasoFormato{"Bzip2", "pnt5020-113.bz2", ""});
