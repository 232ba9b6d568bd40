// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/entrada_visible.h"

#include <array>

#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/direccion.h"
#include "lookup/entries/texto.h"

namespace {

std::vector<std::string> Decodificar(const std::vector<std::string>& textos) {
  std::vector<std::string> salida;
  salida.reserve(textos.size());
  for (const std::string& texto : textos)
    salida.push_back(DecodificarTexto(texto));
  return salida;
}

std::string Unir(const std::vector<std::string>& textos, std::string_view separador) {
  std::string salida;
  for (std::size_t i = 0; i < textos.size(); ++i) {
    if (i > 0) salida += separador;
    salida += textos[i];
  }
  return salida;
}

constexpr std::array<std::string_view, 12> kMeses{
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

std::string TextoFecha(const std::optional<FechaLista>& fecha) {
  if (!fecha) return "su primera línea no tiene fecha";
  return "lista del " + std::to_string(fecha->dia) + " de " +
         std::string(kMeses[static_cast<std::size_t>(fecha->mes - 1)]) + " de " +
         std::to_string(fecha->anio);
}

void Campo(std::string& texto, std::string_view rotulo, std::string_view valor) {
  ((((texto += rotulo) += ':') += valor.empty() ? "" : " ") += valor) += '\n';
}

void TextoNodo(std::string& texto, std::string_view direccion, const NodoVisible& n) {
  texto += "Nodo " + DecodificarTexto(direccion);
  if (!n.encontrado) {
    texto += ": no está en la nodelist.\n";
    return;
  }
  texto += '\n';
  Campo(texto, "Estado", n.estado);
  Campo(texto, "BBS", n.bbs);
  Campo(texto, "Ciudad", n.ciudad);
  Campo(texto, "Sysop", n.sysop);
  Campo(texto, "Teléfono", n.telefono);
  Campo(texto, "Velocidad", n.velocidad);
  Campo(texto, "Flags", Unir(n.flags, ","));
  Campo(texto, "Internet", n.internet.empty() ? "ninguno" : "");
  for (const ExtremoInternet& extremo : n.internet)
    texto += "  " + TextoExtremo(extremo) + '\n';
}

void TextoPunto(std::string& texto, std::string_view direccion, const PuntoVisible& p) {
  texto += "Punto " + DecodificarTexto(direccion);
  if (!p.encontrado) {
    texto += ": no está en la pointlist.\n";
    return;
  }
  texto += '\n';
  Campo(texto, "Estado", p.estado);
  Campo(texto, "Nombre", p.nombre);
  Campo(texto, "Nick", p.nick);
  Campo(texto, "Ciudad", p.ciudad);
  Campo(texto, "Teléfono", p.telefono);
  Campo(texto, "Velocidad", p.velocidad);
  Campo(texto, "Flags", Unir(p.flags, ","));
}

}  // namespace

NodoVisible Visible(const EntradaNodo& e) {
  return {DecodificarTexto(e.bbs),    DecodificarTexto(e.sysop),    DecodificarTexto(e.ciudad),
          DecodificarTexto(e.estado), DecodificarTexto(e.telefono), DecodificarTexto(e.velocidad),
          Decodificar(e.flags),       ExtremosInternet(e.flags),    e.estado != "?"};
}

PuntoVisible Visible(const EntradaPunto& e) {
  return {DecodificarTexto(e.nombre), DecodificarTexto(e.nick),
          DecodificarTexto(e.ciudad), DecodificarTexto(e.telefono),
          DecodificarTexto(e.estado), DecodificarTexto(e.velocidad),
          Decodificar(e.flags),       e.estado != "?"};
}

std::string TextoExtremo(const ExtremoInternet& extremo) {
  const std::string host = DecodificarTexto(extremo.host);
  const bool ipv6 = host.find(':') != std::string::npos;
  return extremo.protocolo + ' ' + (ipv6 ? '[' + host + ']' : host) + ':' +
         std::to_string(extremo.puerto);
}

std::string TextoEntradaCompleta(std::string_view direccion, const ResultadoCompleto& resultado) {
  if (!resultado.ejecutada) return "Todavía no hay ninguna búsqueda que mostrar.\n";
  std::string texto;
  TextoNodo(texto, SepararDireccion(direccion).parteNodo, Visible(resultado.nodo));
  texto += '\n';
  TextoPunto(texto, direccion, Visible(resultado.punto));
  texto += "\nArchivos leídos:\n";
  texto += "NodeList: " + DecodificarTexto(resultado.archivos.nodelist) + " (" +
           TextoFecha(resultado.fechas.nodelist) + ")\n";
  texto += "PointList: " + DecodificarTexto(resultado.archivos.pointlist) + " (" +
           TextoFecha(resultado.fechas.pointlist) + ")\n";
  return texto;
}
