#include "lookup/busqueda.h"

#include "lookup/direccion.h"
#include "lookup/lector_lista.h"

ResultadoBusqueda EjecutarBusqueda(const std::string& rutaNodelist,
                                   const std::string& rutaPointlist, std::string_view direccion,
                                   const Informar& informar) {
  bool correcto = true;
  if (!ExisteArchivo(rutaNodelist)) {
    informar(kFaltaNodelist);
    correcto = false;
  }
  if (!ExisteArchivo(rutaPointlist)) {
    informar(kFaltaPointlist);
    correcto = false;
  }
  if (!correcto) return {};

  // Readers live for one search only: whatever ends it, no list file is left open.
  LectorLista lectorNodos;
  LectorLista lectorPuntos;
  lectorNodos.Asignar(rutaNodelist);
  lectorPuntos.Asignar(rutaPointlist);
  lectorNodos.Abrir();
  ComprobarES();
  lectorPuntos.Abrir();
  ComprobarES();

  const PartesDireccion partes = SepararDireccion(direccion);
  ResultadoBusqueda resultado;
  resultado.ejecutada = true;
  resultado.nodo = BuscarNodo(lectorNodos, partes.parteNodo);
  lectorNodos.Cerrar();
  ComprobarES();
  resultado.punto = BuscarPunto(lectorPuntos, partes.parteNodo, partes.partePunto);
  lectorPuntos.Cerrar();
  ComprobarES();
  return resultado;
}
