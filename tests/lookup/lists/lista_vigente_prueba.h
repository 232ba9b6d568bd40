// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"

inline const std::string kSemana362 = LeerArchivo(TEST_DATA_DIR "/listas/nodelist.362");
inline const std::string kSemana003 = LeerArchivo(TEST_DATA_DIR "/listas/nodelist.003");

class ListaVigenteTest : public testing::Test {
 protected:
  // Two weeks across the year's end; the newer list was copied last year, so it is older on disk.
  void SemanasDeFinDeAnio() {
    Fechar(carpeta.Escribir("NODELIST.362", kSemana362), 2021, 6, 1);
    Fechar(carpeta.Escribir("NODELIST.003", kSemana003), 2020, 6, 1);
  }
  std::string Nombre(const std::string& ruta) const {
    return ruta.empty() ? "" : std::filesystem::path(ruta).filename().string();
  }

  CarpetaTemporal carpeta;
};

class ListaVigenteFallosTest : public testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }

  CarpetaTemporal carpeta;
};
