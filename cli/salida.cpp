// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/salida.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/texto.h"

namespace {

struct TextosVisibles {
  std::string direccion;
  std::string bbs;
  std::string sysop;
  std::string ciudadNodo;
  std::string nombre;
  std::string nick;
  std::string ciudadPunto;
  std::string telefono;
  std::string archivoNodelist;
  std::string archivoPointlist;
};

// The address is decoded too: it comes from the command line as bytes, like the lists.
// Plain text without control characters (TextoVisible); JSON escapes its own.
TextosVisibles Decodificar(std::string_view direccion, const ResultadoBusqueda& resultado,
                           std::string (*decodificar)(std::string_view)) {
  return {decodificar(direccion),
          decodificar(resultado.nodo.bbs),
          decodificar(resultado.nodo.sysop),
          decodificar(resultado.nodo.ciudad),
          decodificar(resultado.punto.nombre),
          decodificar(resultado.punto.nick),
          decodificar(resultado.punto.ciudad),
          decodificar(resultado.punto.telefono),
          decodificar(resultado.archivos.nodelist),
          decodificar(resultado.archivos.pointlist)};
}

void EscribirTexto(std::ostream& destino, const TextosVisibles& t) {
  destino << "Dirección de Punto: " << t.direccion << '\n'
          << "Datos del nodo:\n"
          << "BBS: " << t.bbs << '\n'
          << "Sysop: " << t.sysop << '\n'
          << "Ciudad: " << t.ciudadNodo << '\n'
          << "Datos del punto:\n"
          << "Nombre: " << t.nombre << '\n'
          << "Nick: " << t.nick << '\n'
          << "Ciudad: " << t.ciudadPunto << '\n'
          << "Teléfono: " << t.telefono << '\n';
}

void EscribirJson(std::ostream& destino, const TextosVisibles& t) {
  nlohmann::ordered_json nodo;
  nodo["bbs"] = t.bbs;
  nodo["sysop"] = t.sysop;
  nodo["ciudad"] = t.ciudadNodo;
  nlohmann::ordered_json punto;
  punto["nombre"] = t.nombre;
  punto["nick"] = t.nick;
  punto["ciudad"] = t.ciudadPunto;
  punto["telefono"] = t.telefono;
  nlohmann::ordered_json archivos;
  archivos["nodelist"] = t.archivoNodelist;
  archivos["pointlist"] = t.archivoPointlist;
  nlohmann::ordered_json linea;
  linea["direccion"] = t.direccion;
  linea["nodo"] = std::move(nodo);
  linea["punto"] = std::move(punto);
  linea["archivos"] = std::move(archivos);
  destino << linea.dump() << '\n';
}

}  // namespace

void Salida::Escribir(std::string_view direccion, const ResultadoBusqueda& resultado) {
  const TextosVisibles textos = Decodificar(
      direccion, resultado,
      formato_ == Formato::kJson ? [](std::string_view b) { return DecodificarTexto(b); }
                                 : TextoVisible);
  if (formato_ == Formato::kJson) {
    EscribirJson(destino_, textos);
  } else {
    if (hayBloques_) destino_ << '\n';
    EscribirTexto(destino_, textos);
  }
  hayBloques_ = true;
  // Keeps earlier results on screen ahead of an error that ends the run.
  destino_.flush();
}

Avisar AvisarUnaVez(std::ostream& destino) {
  auto dichos = std::make_shared<std::set<AvisoDiff>>();
  return [&destino, dichos](const AvisoDiff& aviso) {
    if (dichos->insert(aviso).second)
      destino << "No se aplica " << TextoVisible(aviso.diff) << ": " << aviso.motivo << '\n';
  };
}
