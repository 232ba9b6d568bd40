// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/errores_lectura.h"

#include <cerrno>

thread_local std::int32_t resultadoES = 0;

namespace {

// errno values that have no code of their own are shifted out of the range of the table
constexpr std::int32_t kBaseErrno = 1000;

}  // namespace

ErrorEntradaSalida::ErrorEntradaSalida(std::int32_t codigo, const std::string& mensaje)
    : std::runtime_error(mensaje), codigo_(codigo) {}

std::string MensajeError(std::int32_t codigo) {
  switch (codigo) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    case kArchivoTruncado:
      return "Archive is truncated";
    case kArchivoDaniado:
      return "Archive is damaged";
    case kMiembroCifrado:
      return "Archive member is encrypted";
    case kArchivoSinLista:
      return "Archive holds no list";
    case kEmpaqueArc:
      return "ARC archives are not supported";
    case kEmpaqueArj:
      return "ARJ archives are not supported";
    case kListaCambiante:
      return "List changed while it was read";
    case kArchivoExcesivo:
      return "Archive needs too much memory";
    default:
      return "I/O error " + std::to_string(codigo);
  }
}

std::int32_t CodigoDeErrno(int numero) noexcept {
  switch (numero) {
    case ENOENT:
      return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
      return 5;
    case EWOULDBLOCK:
      return kArchivoBloqueado;
    default:
      return kBaseErrno + numero;
  }
}

void ComprobarES() {
  if (resultadoES == 0) return;
  const std::int32_t codigo = resultadoES;
  resultadoES = 0;
  throw ErrorEntradaSalida(codigo, MensajeError(codigo));
}
