#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "lookup/nodelist.h"
#include "lookup/pointlist.h"

inline constexpr const char* kFaltaNodelist = "No se encuentra el archivo de NodeList";
inline constexpr const char* kFaltaPointlist = "No se encuentra el archivo de PointList";

struct ResultadoBusqueda {
  bool ejecutada = false;
  DatosNodo nodo;
  DatosPunto punto;
};

// Shows one message and returns once the user has seen it.
using Informar = std::function<void(const std::string& mensaje)>;

// One whole search. Missing list files are reported through `informar` (NodeList first) and
// leave `ejecutada` false; I/O failures are raised as ErrorEntradaSalida.
[[nodiscard]] ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                                 const std::string& rutaPointlist,
                                                 std::string_view direccion,
                                                 const Informar& informar);
