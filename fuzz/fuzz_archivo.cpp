// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a list file, archive or not, read through LectorLista: the read ends, fails only
// with an archive's own codes, leaves no descriptor behind, reads the same twice, and a file that
// is no archive gives the lines of the plain model. The first-line date is checked on the same
// bytes: a date it finds exists.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/apoyo.h"
#include "fuzz/modelo.h"
#include "lookup/lists/archivo.h"
#include "lookup/lists/lector_lista.h"
#include "lookup/lists/lista_vigente.h"

namespace {

// A member that unpacks without end is read this far: past it nothing new is learnt.
constexpr std::size_t kTopeBytes = 4 * 1024 * 1024;

struct Lectura {
  std::vector<std::string> lineas;
  std::string nombre;
  std::int32_t codigo = 0;
};

Lectura LeerTodo(const std::string& ruta) {
  Lectura lectura;
  std::size_t bytes = 0;
  try {
    LectorLista lector;
    lector.Asignar(ruta);
    lector.Abrir();
    ComprobarES();
    for (;;) {
      const bool fin = lector.FinDeArchivo();
      ComprobarES();
      if (fin || bytes > kTopeBytes) break;
      lectura.lineas.push_back(lector.LeerLinea());
      bytes += lectura.lineas.back().size() + 1;
    }
    lectura.nombre = lector.Nombre();
    lector.Cerrar();
    ComprobarES();
  } catch (const ErrorEntradaSalida& error) {
    lectura.codigo = error.codigo();
  }
  return lectura;
}

bool Bisiesto(int anio) {
  return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tam) {
  const auto bytes = Bytes(datos, tam);
  if (const auto fecha = FechaDeCabecera(bytes)) {
    static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    EXIGIR(fecha->mes >= 1 && fecha->mes <= 12 && fecha->anio >= 1970 && fecha->anio <= 2107);
    const int dias = kDias[fecha->mes - 1] + (fecha->mes == 2 && Bisiesto(fecha->anio) ? 1 : 0);
    EXIGIR(fecha->dia >= 1 && fecha->dia <= dias);
  }

  ArchivoTemporal& archivo = Temporal();
  archivo.Escribir(bytes);
  const int libre = PrimerDescriptorLibre();
  const Lectura primera = LeerTodo(archivo.Ruta());
  EXIGIR(PrimerDescriptorLibre() == libre);
  EXIGIR(resultadoES == 0);

  const bool esArchivo = EmpaqueDe(bytes.substr(0, LectorLista::kTamBufer)) != Empaque::kNinguno;
  if (!esArchivo) {
    EXIGIR(primera.codigo == 0);
    EXIGIR(primera.lineas == modelo::Lineas(bytes));
    EXIGIR(primera.nombre == archivo.Ruta());
    return 0;
  }
  // A scratch file never fails to read: only the archive itself can be refused.
  EXIGIR(primera.codigo == 0 ||
         (primera.codigo >= kArchivoTruncado && primera.codigo <= kEmpaqueArj) ||
         primera.codigo == kArchivoExcesivo);
  if (primera.codigo == 0) EXIGIR(primera.nombre.starts_with(archivo.Ruta()));

  const Lectura segunda = LeerTodo(archivo.Ruta());
  EXIGIR(segunda.codigo == primera.codigo);
  EXIGIR(segunda.lineas == primera.lineas);
  EXIGIR(PrimerDescriptorLibre() == libre);
  return 0;
}
