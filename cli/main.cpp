// SPDX-License-Identifier: GPL-3.0-or-later
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "cli/buscar.h"
#include "cli/opciones.h"
#include "cli/salida.h"
#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "settings/almacen_config.h"

namespace {

[[nodiscard]] int Buscar(const Opciones& opciones) {
  const RutasListas rutas = ResolverRutas(opciones);
  if (opciones.buscar)
    return BuscarNombre(rutas, *opciones.buscar, opciones.json, opciones.completo, std::cout);
  if (opciones.completo)
    return BuscarCompleto(rutas, opciones.direcciones, opciones.json, std::cout);
  Salida salida(std::cout, opciones.json ? Formato::kJson : Formato::kTexto);
  const Informar informar = [](const std::string& mensaje) { std::cerr << mensaje << '\n'; };
  const Avisar avisar = AvisarUnaVez(std::cerr);

  int codigo = kSalidaCorrecta;
  for (const std::string& direccion : opciones.direcciones) {
    const ResultadoBusqueda resultado =
        EjecutarBusqueda(rutas.nodelist, rutas.pointlist, direccion, informar, avisar);
    if (resultado.ejecutada) {
      salida.Escribir(direccion, resultado);
    } else {
      codigo = kSalidaFaltaLista;
    }
  }
  return codigo;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app;
  Opciones opciones;
  DeclararOpciones(app, opciones);
  // The tool's one guard: every failure below ends here as a message and an exit status.
  try {
    app.parse(argc, argv);
    return Buscar(opciones);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kSalidaCorrecta : kSalidaUsoIncorrecto;
  } catch (const ErrorEntradaSalida& error) {
    std::cerr << error.mensaje() << '\n';
    return kSalidaErrorES;
  } catch (const ErrorAlmacen& error) {
    std::cerr << error.mensaje() << '\n';
    return kSalidaErrorES;
  }
}
