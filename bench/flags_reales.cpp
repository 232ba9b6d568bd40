// SPDX-License-Identifier: GPL-3.0-or-later
// Over whole nodelists: the nodes with an internet protocol flag, how many get endpoints and by
// which host rule, how many are left without one and why, and which flags have no words.
// Usage: buscarpunto-bench-flags NODELIST...

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lookup/entries/internet.h"
#include "lookup/entries/recorrido.h"
#include "lookup/entries/significado_flags.h"
#include "lookup/lists/lector_lista.h"

namespace {

constexpr const char* kProtocolos[] = {"IBN", "IFC", "ITN", "IVM", "IFT"};

std::string Mayusculas(std::string texto) {
  for (char& c : texto)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return texto;
}

struct Flag {
  std::string nombre;  // upper case
  std::string valor;
  bool conValor = false;
};

Flag Partir(const std::string& flag) {
  const auto dosPuntos = flag.find(':');
  if (dosPuntos == std::string::npos) return {Mayusculas(flag), {}, false};
  return {Mayusculas(flag.substr(0, dosPuntos)), flag.substr(dosPuntos + 1), true};
}

bool EsProtocolo(const std::string& nombre) {
  return std::find(std::begin(kProtocolos), std::end(kProtocolos), nombre) != std::end(kProtocolos);
}

// A value that writes no host: nothing, a port alone or ":port".
bool SinHostPropio(const std::string& valor) {
  return valor.empty() || valor.front() == ':' ||
         std::all_of(valor.begin(), valor.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string HostDeIna(const std::string& valor) {
  if (valor.starts_with('[')) return valor.substr(0, valor.find(']') + 1);
  return valor.substr(0, valor.find(':'));
}

struct Cuentas {
  int nodos = 0, conProtocolo = 0, conExtremos = 0, variosIna = 0, otroFlag = 0, nombre = 0;
  int sinExtremo = 0, soloIp = 0, solo000 = 0, ipY000 = 0, rechazado = 0, nada = 0;
  int extremos = 0;
  std::map<std::string, int> porProtocolo, sinDefinir;
  std::vector<std::string> ejemplosRechazo, ejemplosNada, ejemplosNombre;
};

void Contar(Cuentas& c, const std::string& direccion, const EntradaNodo& e) {
  ++c.nodos;
  for (const std::string& linea : SignificadoFlags(e.flags))
    if (linea.ends_with(": flag que FTS-5001 no define"))
      ++c.sinDefinir[linea.substr(0, linea.find(':'))];
  std::vector<Flag> flags;
  for (const std::string& flag : e.flags)
    flags.push_back(Partir(flag));
  const bool conProtocolo =
      std::any_of(flags.begin(), flags.end(), [](const Flag& f) { return EsProtocolo(f.nombre); });
  if (!conProtocolo) return;
  ++c.conProtocolo;
  const std::vector<ExtremoInternet> extremos = ExtremosInternet(e.flags, e.bbs);
  std::set<std::string> inas;
  for (const Flag& f : flags)
    if (f.nombre == "INA" && EsHostInternet(HostDeIna(f.valor)))
      inas.insert(Mayusculas(HostDeIna(f.valor)));
  if (!extremos.empty()) {
    ++c.conExtremos;
    c.extremos += static_cast<int>(extremos.size());
    for (const ExtremoInternet& x : extremos)
      ++c.porProtocolo[x.protocolo];
    if (inas.size() >= 2) ++c.variosIna;
    if (inas.empty()) {
      const bool sinNombre = ExtremosInternet(e.flags, "").empty();
      const bool prestado = std::any_of(flags.begin(), flags.end(), [](const Flag& f) {
        return EsProtocolo(f.nombre) && SinHostPropio(f.valor);
      });
      if (sinNombre) {
        ++c.nombre;
        if (c.ejemplosNombre.size() < 20) c.ejemplosNombre.push_back(direccion);
      } else if (prestado)
        ++c.otroFlag;
    }
    return;
  }
  ++c.sinExtremo;
  const bool ip = std::any_of(flags.begin(), flags.end(),
                              [](const Flag& f) { return f.nombre == "IP" && f.conValor; });
  const bool cero = e.telefono.starts_with("000-");
  const bool escrito = std::any_of(flags.begin(), flags.end(), [](const Flag& f) {
    return (EsProtocolo(f.nombre) || f.nombre == "INA") && !SinHostPropio(f.valor);
  });
  if (ip && cero)
    ++c.ipY000;
  else if (ip)
    ++c.soloIp;
  else if (cero)
    ++c.solo000;
  else if (escrito) {
    ++c.rechazado;
    if (c.ejemplosRechazo.size() < 8) c.ejemplosRechazo.push_back(direccion);
  } else {
    ++c.nada;
    if (c.ejemplosNada.size() < 5) c.ejemplosNada.push_back(direccion);
  }
}

std::string Unir(const std::vector<std::string>& textos) {
  std::string salida;
  for (const std::string& t : textos)
    salida += (salida.empty() ? "" : " ") + t;
  return salida;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    LectorLista lector(64 * 1024);
    lector.Asignar(argv[i]);
    lector.Abrir();
    Cuentas c;
    RecorrerNodelist(lector, [&](const PosicionNodo& posicion, std::string_view linea) {
      Contar(c, DireccionNodo(posicion), LeerEntradaNodo(linea, posicion.inicioCampos));
    });
    lector.Cerrar();
    std::printf("%s\n  nodes %d, with a protocol flag %d\n", argv[i], c.nodos, c.conProtocolo);
    std::printf("  with endpoints %d (%d endpoints:", c.conExtremos, c.extremos);
    for (const auto& [protocolo, cuantos] : c.porProtocolo)
      std::printf(" %s %d", protocolo.c_str(), cuantos);
    std::printf(
        ")\n    on two or more INA hosts %d; host borrowed from another protocol flag %d;"
        " host from the system name only %d [%s]\n",
        c.variosIna, c.otroFlag, c.nombre, Unir(c.ejemplosNombre).c_str());
    std::printf(
        "  without an endpoint %d: IP:host only %d, 000- phone only %d, both %d,"
        " host written but refused %d [%s], no host written anywhere %d [%s]\n",
        c.sinExtremo, c.soloIp, c.solo000, c.ipY000, c.rechazado, Unir(c.ejemplosRechazo).c_str(),
        c.nada, Unir(c.ejemplosNada).c_str());
    std::vector<std::pair<int, std::string>> sinDefinir;
    int total = 0;
    for (const auto& [flag, cuantos] : c.sinDefinir) {
      sinDefinir.emplace_back(cuantos, flag);
      total += cuantos;
    }
    std::sort(sinDefinir.rbegin(), sinDefinir.rend());
    std::printf("  flags with no words: %d uses of %zu names; most used:", total,
                sinDefinir.size());
    for (std::size_t j = 0; j < sinDefinir.size() && j < 12; ++j)
      std::printf(" %s %d", sinDefinir[j].second.c_str(), sinDefinir[j].first);
    std::printf("\n");
  }
  return 0;
}
