// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/lectura_prevista.h"

#include <cstddef>
#include <vector>

#include "lookup/lists/cadena_diffs.h"
#include "lookup/lists/lector_lista.h"

namespace {

// A first line is under 80 bytes in every real list; this is room to spare.
constexpr std::size_t kTopeCabecera = 256;

std::string Carpeta(const std::string& ruta) {
  const std::size_t barra = ruta.rfind('/');
  return barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
}

// The reader's name for what it read, "list+diff+diff", each part with the folder its file lies
// in: the diffs always lie beside the list, so only that folder is taken off, whatever the
// member of an archive or a file name holds.
std::string SinCarpetas(const std::string& nombre, const std::string& carpeta) {
  const std::string separador = "+" + carpeta;
  std::string salida;
  std::size_t desde = 0;
  while (true) {
    const std::size_t siguiente = nombre.find(separador, desde);
    std::string parte = nombre.substr(
        desde, siguiente == std::string::npos ? std::string::npos : siguiente - desde);
    if (desde == 0 && parte.starts_with(carpeta)) parte.erase(0, carpeta.size());
    if (!salida.empty()) salida += " + ";
    salida += parte;
    if (siguiente == std::string::npos) return salida;
    desde = siguiente + separador.size();
  }
}

}  // namespace

LecturaPrevista PreverLectura(const std::string& ruta) {
  const std::string vigente = ListaVigente(ruta);
  if (!ExisteArchivo(vigente)) return {};
  const std::vector<std::string> diffs = DiffsVigentes(ruta);
  const ListaElegida lista =
      diffs.empty() ? ListaElegida{vigente, nullptr, {}, {}} : AplicarDiffs(vigente, diffs);
  LectorLista lector;
  AsignarLista(lector, lista);
  lector.Abrir();
  ComprobarES();
  const std::string cabecera = lector.Principio(kTopeCabecera);
  ComprobarES();
  LecturaPrevista prevista{true, SinCarpetas(lector.Nombre(), Carpeta(vigente)),
                           FechaDeCabecera(cabecera)};
  lector.Cerrar();
  ComprobarES();
  return prevista;
}
