// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reglas.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

// The title has always been taken from at most this much of the path.
constexpr std::size_t kLargoMaximoRuta = 255;

}  // namespace

std::string TituloDePrograma(std::string_view rutaPrograma) {
  // Linux paths need no OEM-to-ANSI step: their bytes are taken as they are.
  std::string_view nombre = rutaPrograma.substr(0, kLargoMaximoRuta);
  if (const auto barra = nombre.rfind('/'); barra != std::string_view::npos) {
    nombre.remove_prefix(barra + 1);
  }
  nombre = nombre.substr(0, nombre.find('.'));

  std::string titulo(nombre);
  // File names are UTF-8 here: lowering only 'A'-'Z' leaves every byte of a multibyte character
  // alone, where a single-byte code page's lower-casing would garble it.
  for (std::size_t i = 1; i < titulo.size(); ++i) {
    if (titulo[i] >= 'A' && titulo[i] <= 'Z') titulo[i] = static_cast<char>(titulo[i] - 'A' + 'a');
  }
  return titulo;
}

std::string ConPuntoFinal(std::string_view mensaje) {
  std::string texto(mensaje);
  if (!texto.empty() && static_cast<unsigned char>(texto.back()) > '.') texto += '.';
  return texto;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t producto = static_cast<std::int64_t>(a) * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    producto = -producto;
    divisor = -divisor;
  }
  const std::int64_t mitad = divisor / 2;
  const std::int64_t resultado =
      producto >= 0 ? (producto + mitad) / divisor : (producto - mitad) / divisor;
  if (resultado > std::numeric_limits<int>::max() || resultado < std::numeric_limits<int>::min()) {
    return -1;
  }
  return static_cast<int>(resultado);
}

int AnchoDeAjuste(int anchoPantalla) {
  return anchoPantalla / 2;
}

DisposicionError CalcularDisposicion(const MedidasError& medidas) {
  // Dialog units: a quarter of cx across, an eighth of cy down.
  DisposicionError d;
  d.margenH = MulDiv(8, medidas.cx, 4);
  d.margenV = MulDiv(8, medidas.cy, 8);
  d.espacioH = MulDiv(10, medidas.cx, 4);
  d.espacioV = MulDiv(10, medidas.cy, 8);
  const int anchoBoton = std::max(MulDiv(50, medidas.cx, 4), medidas.anchoOk + 8);
  const int altoBoton = MulDiv(14, medidas.cy, 8);

  const int anchoBloque = medidas.anchoTexto + kLadoIcono + d.espacioH;
  const int altoBloque = std::max(medidas.altoTexto, kLadoIcono);

  d.anchoCliente = std::max(anchoBloque, anchoBoton) + 2 * d.margenH;
  d.altoCliente = altoBloque + altoBoton + d.espacioV + 2 * d.margenV;
  d.icono = {d.margenH, d.margenV, kLadoIcono, kLadoIcono};
  d.texto = {d.margenH + kLadoIcono + d.espacioH, d.margenV, medidas.anchoTexto, medidas.altoTexto};
  d.boton = {(d.anchoCliente - anchoBoton) / 2, altoBloque + d.margenV + d.espacioV, anchoBoton,
             altoBoton};
  return d;
}

Punto PosicionDialogo(int anchoDialogo, int altoDialogo, const Rectangulo& pantalla) {
  return {pantalla.x + std::max(0, (pantalla.ancho - anchoDialogo) / 2),
          pantalla.y + std::max(0, (pantalla.alto - altoDialogo) / 2)};
}
