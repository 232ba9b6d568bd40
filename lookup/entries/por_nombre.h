// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/entries/busqueda.h"

class ConsultaNombre;

using AlEncontrarNodo = std::function<void(const std::string& direccion, std::string_view linea,
                                           std::size_t inicioCampos)>;
using AlEncontrarPunto = std::function<void(const std::string& direccion, std::string_view linea)>;

// Every entry of both lists whose system name, location or sysop holds the text of `consulta`,
// in list order, the nodelist's first. False when a list file was missing (reported as by
// ElegirListasLeibles); refused diffs go to `avisar`; I/O failures are raised as
// ErrorEntradaSalida.
bool BuscarPorNombre(const std::string& rutaNodelist, const std::string& rutaPointlist,
                     ConsultaNombre& consulta, const Informar& informar,
                     const AlEncontrarNodo& alNodo, const AlEncontrarPunto& alPunto,
                     const Avisar& avisar = {});

// One entry a name search found, as bytes: its address as the name search gives it and the three
// fields the name is looked for in.
struct Coincidencia {
  std::string direccion;
  std::string sysop;
  std::string sistema;
  std::string lugar;

  bool operator==(const Coincidencia&) const = default;
};

struct Coincidencias {
  bool ejecutada = false;  // false: a list file was missing
  std::vector<Coincidencia> filas;
  std::size_t resto = 0;  // matches past the first `maximo`
};

// The first `maximo` entries of both lists whose system name, location or sysop holds `texto`
// (BuscarPorNombre), and how many more there are. I/O failures are raised as ErrorEntradaSalida.
[[nodiscard]] Coincidencias BuscarCoincidencias(const std::string& rutaNodelist,
                                                const std::string& rutaPointlist,
                                                std::string_view texto, std::size_t maximo,
                                                const Informar& informar);
