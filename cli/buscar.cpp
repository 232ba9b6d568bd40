// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/buscar.h"

#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/opciones.h"
#include "cli/salida.h"
#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/consulta_nombre.h"
#include "lookup/entries/entrada_visible.h"
#include "lookup/entries/internet.h"
#include "lookup/entries/por_nombre.h"
#include "lookup/entries/recorrido.h"
#include "lookup/entries/significado_flags.h"
#include "lookup/entries/texto.h"

namespace {

using Json = nlohmann::ordered_json;

const Informar kInformar = [](const std::string& mensaje) { std::cerr << mensaje << '\n'; };

std::string Unir(const std::vector<std::string>& textos, std::string_view separador) {
  std::string salida;
  for (const std::string& texto : textos) {
    if (!salida.empty() || &texto != &textos.front()) salida += separador;
    salida += texto;
  }
  return salida;
}

Json JsonNodo(const NodoVisible& n, bool completo) {
  Json nodo;
  nodo["bbs"] = n.bbs;
  nodo["sysop"] = n.sysop;
  nodo["ciudad"] = n.ciudad;
  if (!completo) return nodo;
  nodo["estado"] = n.estado;
  nodo["telefono"] = n.telefono;
  nodo["velocidad"] = n.velocidad;
  nodo["flags"] = n.flags;
  Json internet = Json::array();
  for (const ExtremoInternet& extremo : n.internet) {
    Json objeto;
    objeto["protocolo"] = extremo.protocolo;
    objeto["host"] = DecodificarTexto(extremo.host);
    objeto["puerto"] = extremo.puerto;
    internet.push_back(std::move(objeto));
  }
  nodo["internet"] = std::move(internet);
  return nodo;
}

Json JsonPunto(const PuntoVisible& p, bool completo) {
  Json punto;
  punto["nombre"] = p.nombre;
  punto["nick"] = p.nick;
  punto["ciudad"] = p.ciudad;
  punto["telefono"] = p.telefono;
  if (!completo) return punto;
  punto["estado"] = p.estado;
  punto["velocidad"] = p.velocidad;
  punto["flags"] = p.flags;
  return punto;
}

// What each flag means, one an indented line under the flags.
void Significados(std::ostream& destino, const std::vector<std::string>& flags) {
  for (const std::string& linea : SignificadoFlags(flags))
    destino << "  " << linea << '\n';
}

// A field of an entry that is not in the list shows "?", a list of them too.
std::string Lista(const std::vector<std::string>& textos, bool encontrado,
                  std::string_view separador) {
  return encontrado ? Unir(textos, separador) : "?";
}

void TextoNodo(std::ostream& destino, const NodoVisible& n, bool completo) {
  destino << "Datos del nodo:\n"
          << "BBS: " << n.bbs << '\n'
          << "Sysop: " << n.sysop << '\n'
          << "Ciudad: " << n.ciudad << '\n';
  if (!completo) return;
  std::vector<std::string> extremos;
  for (const ExtremoInternet& extremo : n.internet)
    extremos.push_back(TextoExtremo(extremo));
  destino << "Estado: " << n.estado << '\n'
          << "Teléfono: " << n.telefono << '\n'
          << "Velocidad: " << n.velocidad << '\n'
          << "Flags: " << Lista(n.flags, n.encontrado, ",") << '\n';
  Significados(destino, n.flags);
  destino << "Internet: " << Lista(extremos, n.encontrado, ", ") << '\n';
}

void TextoPunto(std::ostream& destino, const PuntoVisible& p, bool completo) {
  destino << "Datos del punto:\n"
          << "Nombre: " << p.nombre << '\n'
          << "Nick: " << p.nick << '\n'
          << "Ciudad: " << p.ciudad << '\n'
          << "Teléfono: " << p.telefono << '\n';
  if (!completo) return;
  destino << "Estado: " << p.estado << '\n'
          << "Velocidad: " << p.velocidad << '\n'
          << "Flags: " << Lista(p.flags, p.encontrado, ",") << '\n';
  Significados(destino, p.flags);
}

// Writes one match of the name search: a line, a block (--completo) or a JSON object.
class SalidaNombres final {
 public:
  SalidaNombres(std::ostream& destino, bool json, bool completo)
      : destino_(destino), json_(json), completo_(completo) {}

  void Nodo(const std::string& direccion, const EntradaNodo& entrada) {
    const NodoVisible n = json_ ? Visible(entrada) : SinControles(Visible(entrada));
    if (json_) {
      Json linea;
      linea["direccion"] = DecodificarTexto(direccion);
      linea["nodo"] = JsonNodo(n, completo_);
      destino_ << linea.dump() << '\n';
    } else if (completo_) {
      Separar();
      destino_ << "Dirección: " << TextoVisible(direccion) << '\n';
      TextoNodo(destino_, n, true);
    } else {
      destino_ << TextoVisible(direccion) << "\tBBS: " << n.bbs << "\tSysop: " << n.sysop
               << "\tCiudad: " << n.ciudad << '\n';
    }
  }

  void Punto(const std::string& direccion, const EntradaPunto& entrada) {
    const PuntoVisible p = json_ ? Visible(entrada) : SinControles(Visible(entrada));
    if (json_) {
      Json linea;
      linea["direccion"] = DecodificarTexto(direccion);
      linea["punto"] = JsonPunto(p, completo_);
      destino_ << linea.dump() << '\n';
    } else if (completo_) {
      Separar();
      destino_ << "Dirección: " << TextoVisible(direccion) << '\n';
      TextoPunto(destino_, p, true);
    } else {
      destino_ << TextoVisible(direccion) << "\tNombre: " << p.nombre << "\tNick: " << p.nick
               << "\tCiudad: " << p.ciudad << "\tTeléfono: " << p.telefono << '\n';
    }
  }

 private:
  void Separar() {
    if (hayBloques_) destino_ << '\n';
    hayBloques_ = true;
  }

  std::ostream& destino_;
  bool json_;
  bool completo_;
  bool hayBloques_ = false;
};

}  // namespace

int BuscarNombre(const RutasListas& rutas, std::string_view texto, bool json, bool completo,
                 std::ostream& destino) {
  ConsultaNombre consulta(texto);
  SalidaNombres salida(destino, json, completo);
  const bool ejecutada = BuscarPorNombre(
      rutas.nodelist, rutas.pointlist, consulta, kInformar,
      [&](const std::string& direccion, std::string_view linea, std::size_t inicioCampos) {
        salida.Nodo(direccion, LeerEntradaNodo(linea, inicioCampos));
      },
      [&](const std::string& direccion, std::string_view linea) {
        salida.Punto(direccion, LeerEntradaPunto(linea));
      },
      AvisarUnaVez(std::cerr));
  destino.flush();
  return ejecutada ? kSalidaCorrecta : kSalidaFaltaLista;
}

int BuscarCompleto(const RutasListas& rutas, const std::vector<std::string>& direcciones, bool json,
                   std::ostream& destino) {
  int codigo = kSalidaCorrecta;
  bool hayBloques = false;
  const Avisar avisar = AvisarUnaVez(std::cerr);
  for (const std::string& direccion : direcciones) {
    const ResultadoCompleto resultado =
        EjecutarBusquedaCompleta(rutas.nodelist, rutas.pointlist, direccion, kInformar, avisar);
    if (!resultado.ejecutada) {
      codigo = kSalidaFaltaLista;
      continue;
    }
    const NodoVisible nodo = Visible(resultado.nodo);
    const PuntoVisible punto = Visible(resultado.punto);
    if (json) {
      Json linea;
      linea["direccion"] = DecodificarTexto(direccion);
      linea["nodo"] = JsonNodo(nodo, true);
      linea["punto"] = JsonPunto(punto, true);
      linea["archivos"] = {{"nodelist", DecodificarTexto(resultado.archivos.nodelist)},
                           {"pointlist", DecodificarTexto(resultado.archivos.pointlist)}};
      destino << linea.dump() << '\n';
    } else {
      if (hayBloques) destino << '\n';
      destino << "Dirección de Punto: " << TextoVisible(direccion) << '\n';
      TextoNodo(destino, SinControles(nodo), true);
      TextoPunto(destino, SinControles(punto), true);
    }
    hayBloques = true;
    // Keeps earlier results on screen ahead of an error that ends the run.
    destino.flush();
  }
  return codigo;
}
