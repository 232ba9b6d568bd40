// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/cadena_diffs.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <optional>
#include <tuple>

#include "lookup/lists/archivo.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/nodediff.h"

namespace {

// A first line longer than this is no list's header, and matches nothing.
constexpr std::size_t kTopeCabecera = 1024;
// Applying reads whole lists, so in large blocks.
constexpr std::size_t kBloque = 64 * 1024;
// A nodelist's chain and a pointlist's: each keeps one list in memory.
constexpr std::size_t kCadenasGuardadas = 2;

struct Sello {
  std::string ruta;
  std::int64_t tam = 0;
  std::int64_t segundos = 0;
  std::int64_t nanosegundos = 0;

  bool operator==(const Sello&) const = default;
};

std::optional<Sello> Sellar(const std::string& ruta) {
  struct stat datos {};
  if (::stat(ruta.c_str(), &datos) != 0) return std::nullopt;
  return Sello{ruta, datos.st_size, datos.st_mtim.tv_sec, datos.st_mtim.tv_nsec};
}

std::size_t TamArchivo(const std::string& ruta) {
  struct stat datos {};
  return ::stat(ruta.c_str(), &datos) == 0 ? static_cast<std::size_t>(datos.st_size) : 0;
}

struct Guardada {
  std::vector<Sello> clave;  // the list first, then every diff beside it
  ListaElegida lista;
};

struct Guardadas {
  std::mutex cerrojo;
  std::vector<std::shared_ptr<const Guardada>> cadenas;  // the latest last
};

Guardadas& Memoria() {
  static Guardadas guardadas;
  return guardadas;
}

struct Cabecera {
  std::optional<std::string> linea;  // nothing: unreadable (codigo says why), or no header
  std::int32_t codigo = 0;
};

// The first line of a file, read as a list is; raises nothing, as when ranking lists.
Cabecera LeerCabecera(const std::string& ruta) {
  const std::int32_t pendiente = resultadoES;
  resultadoES = 0;
  Cabecera cabecera;
  {
    LectorLista lector;
    lector.Asignar(ruta);
    lector.Abrir();
    std::string linea;
    if (resultadoES == 0) linea = lector.Principio(kTopeCabecera + 1);
    if (resultadoES == 0 && linea.size() <= kTopeCabecera) cabecera.linea = std::move(linea);
  }
  cabecera.codigo = resultadoES;
  resultadoES = pendiente;
  return cabecera;
}

struct Diff {
  std::string ruta;
  Cabecera cabecera;
  bool probado = false;
};

bool Pasajero(std::int32_t codigo) {
  return codigo != 0 && codigo != kEmpaqueArc && codigo != kEmpaqueArj;
}

// `fiable` turns false when a read failed in a way that may pass (a lock, a permission, a file
// being written): a chain built so is not kept, as the same files may give another one.
ListaElegida Encadenar(const std::string& ruta, const std::vector<std::string>& rutasDiffs,
                       bool& fiable) {
  ListaElegida lista{ruta, nullptr, {}, {}};
  const Cabecera inicial = LeerCabecera(ruta);
  fiable = !Pasajero(inicial.codigo);
  if (!inicial.linea) return lista;
  std::string cabecera = *inicial.linea;

  std::vector<Diff> diffs;
  for (const std::string& r : rutasDiffs)
    if (r != ruta) diffs.push_back({r, LeerCabecera(r)});

  for (;;) {
    bool aplicado = false;
    std::vector<AvisoDiff> avisos;
    for (Diff& diff : diffs) {
      if (diff.probado || diff.cabecera.linea != cabecera) continue;
      diff.probado = true;
      LectorLista vieja(kBloque);
      AsignarLista(vieja, lista);
      vieja.Abrir();
      ComprobarES();
      LectorLista lector(kBloque);
      lector.Asignar(diff.ruta);
      lector.Abrir();
      if (const std::int32_t codigo = resultadoES; codigo != 0) {
        resultadoES = 0;
        fiable = false;
        avisos.push_back({diff.ruta, "no se puede leer: " + MensajeError(codigo)});
        continue;
      }
      // A diff changes about 1% of a list: the old list's size is room enough nearly always.
      const std::size_t previsto =
          (lista.texto ? lista.texto->size() : TamArchivo(ruta)) + TamArchivo(diff.ruta);
      DiffAplicado resultado = AplicarDiff(vieja, lector, previsto);
      if (vieja.CambioDesdeQueSeAbrio() || lector.CambioDesdeQueSeAbrio()) {
        NotarCambio();
        fiable = false;
      }
      if (resultado.rechazo == RechazoDiff::kOtraLista) continue;
      if (resultado.rechazo != RechazoDiff::kNinguno) {
        fiable = fiable && resultado.rechazo != RechazoDiff::kIlegible;
        avisos.push_back({lector.Nombre(), resultado.motivo});
        continue;
      }
      lista.nombre = (lista.texto ? lista.nombre : vieja.Nombre()) + '+' + lector.Nombre();
      cabecera = resultado.texto.substr(0, resultado.texto.find("\r\n"));
      // The list before it goes with its reader: two lists at most at a time.
      lista.texto = std::make_shared<const std::string>(std::move(resultado.texto));
      aplicado = true;
      break;
    }
    if (aplicado) continue;
    lista.avisos = std::move(avisos);
    break;
  }
  // A diff that could not even be opened may be the next one: the user should know.
  for (const Diff& diff : diffs)
    if (Pasajero(diff.cabecera.codigo)) {
      fiable = false;
      lista.avisos.push_back(
          {diff.ruta, "no se puede leer: " + MensajeError(diff.cabecera.codigo)});
    }
  return lista;
}

}  // namespace

void AsignarLista(LectorLista& lector, const ListaElegida& lista) {
  if (lista.texto)
    lector.AsignarTexto(lista.texto, lista.nombre);
  else
    lector.Asignar(lista.ruta);
}

ListaElegida AplicarDiffs(const std::string& ruta, const std::vector<std::string>& diffs) {
  std::vector<Sello> clave;
  if (auto sello = Sellar(ruta)) clave.push_back(std::move(*sello));
  for (const std::string& diff : diffs)
    if (auto sello = Sellar(diff)) clave.push_back(std::move(*sello));

  Guardadas& memoria = Memoria();
  std::shared_ptr<const Guardada> hallada;
  {
    const std::lock_guard<std::mutex> cerrojo(memoria.cerrojo);
    for (const auto& guardada : memoria.cadenas)
      if (guardada->clave == clave) hallada = guardada;
    if (!hallada) {
      // The chain from the same list is out of date: let it go before a new one is made.
      std::erase_if(memoria.cadenas, [&](const auto& g) { return g->lista.ruta == ruta; });
    }
  }
  // Kept texts are checked again before a search answers from them.
  if (hallada && (!hallada->lista.texto || CrcCorrecto(*hallada->lista.texto)))
    return hallada->lista;

  bool fiable = true;
  auto nueva =
      std::make_shared<Guardada>(Guardada{std::move(clave), Encadenar(ruta, diffs, fiable)});
  ListaElegida lista = nueva->lista;
  if (!fiable) return lista;
  const std::lock_guard<std::mutex> cerrojo(memoria.cerrojo);
  std::erase_if(memoria.cadenas, [&](const auto& g) { return g->lista.ruta == ruta; });
  memoria.cadenas.push_back(std::move(nueva));
  if (memoria.cadenas.size() > kCadenasGuardadas) memoria.cadenas.erase(memoria.cadenas.begin());
  return lista;
}
