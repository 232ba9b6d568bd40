// SPDX-License-Identifier: GPL-3.0-or-later
// Searches through a weekly list and the diffs beside it: which diffs form the chain, which are
// refused and said, which are left alone, the kept chain, and the real weekly pair
// (tests/data/nodediff, see SOURCES.txt there).

#include "lookup/lists/cadena_diffs.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/proceso.h"
#include "tests/lookup/lists/diffs_prueba.h"

namespace {

using namespace std::string_literals;

const std::string kDatos = TEST_DATA_DIR "/nodediff/";

const Informar kSinFaltas = [](const std::string& m) { ADD_FAILURE() << "unexpected: " << m; };

struct Respuesta {
  DatosNodo nodo;
  std::string archivo;
  std::vector<AvisoDiff> avisos;
};

Respuesta Buscar(const std::string& nodos, const std::string& puntos, std::string_view direccion) {
  Respuesta r;
  const ResultadoBusqueda resultado = EjecutarBusqueda(
      nodos, puntos, direccion, kSinFaltas, [&](const AvisoDiff& a) { r.avisos.push_back(a); });
  EXPECT_TRUE(resultado.ejecutada);
  r.nodo = resultado.nodo;
  r.archivo = resultado.archivos.nodelist;
  return r;
}

// NODELIST.001 is week 1 of diffs_prueba.h; each test puts diffs beside it.
class CadenaTest : public testing::Test {
 protected:
  void SetUp() override {
    lista = carpeta.Escribir("NODELIST.001", UnirCrLf(Semana(1)));
    puntos = carpeta.Escribir("POINTS", "Boss,1:1/1\r\n,1,Punto,Sitio,Alguien,-,300\r\n");
  }

  std::string Diff(const std::string& nombre, int de, int a) {
    return carpeta.Escribir(nombre, DiffEntre(Semana(de), Semana(a)));
  }

  Respuesta Buscar(const std::string& escrita = "NODELIST") {
    return ::Buscar(carpeta.Ruta(escrita), puntos, "1:1/1");
  }

  CarpetaTemporal carpeta;
  std::string lista;
  std::string puntos;
};

std::string Nombre(int numero) {
  return "NODEDIFF." + std::to_string(1000 + numero).substr(1);
}

using Archivo = std::pair<std::string, std::string>;  // name, bytes

// NODEDIFF.nnn from week `de` to week `a`.
Archivo D(int numero, int de, int a) {
  return {Nombre(numero), DiffEntre(Semana(de), Semana(a))};
}

// A file for no list in a chain: left alone, unsaid.
Archivo Ajeno(std::string bytes) {
  return {"NODEDIFF.010", std::move(bytes)};
}

struct CasoCadena {
  const char* nombre;
  std::vector<Archivo> diffs;
  int semana;               // the week the search answers from
  std::vector<int> leidos;  // NODEDIFF.nnn applied, in order
  int rechazado;            // NODEDIFF.nnn said to be refused; 0: none
};

CasoCadena CincuentaYDos() {
  CasoCadena caso{"CincuentaYDos", {}, 53, {}, 0};
  for (int semana = 1; semana <= 52; ++semana) {
    caso.diffs.push_back(D(100 + semana, semana, semana + 1));
    caso.leidos.push_back(100 + semana);
  }
  return caso;
}

// NODEDIFF.003 from week 2 to 3 with its added node line altered: its CRC fails.
Archivo Alterado() {
  Archivo diff = D(3, 2, 3);
  diff.second.replace(diff.second.find("Sysop_"), 6, "Sysop-");
  return diff;
}

class CadenaTablaTest : public CadenaTest, public testing::WithParamInterface<CasoCadena> {};

// Which refusal it is matters to the diff alone (nodediff_test.cpp); here, what it does to the
// chain.
TEST_P(CadenaTablaTest, SigueLasPrimerasLineas) {
  for (const auto& [nombre, bytes] : GetParam().diffs)
    carpeta.Escribir(nombre, bytes);
  const Respuesta r = Buscar();
  std::string leido = lista;
  for (const int diff : GetParam().leidos)
    leido += "+" + carpeta.Ruta(Nombre(diff));
  EXPECT_EQ(r.nodo.sysop, "Sysop " + std::to_string(GetParam().semana));
  EXPECT_EQ(r.archivo, leido);
  ASSERT_EQ(r.avisos.size(), GetParam().rechazado == 0 ? 0u : 1u);
  if (r.avisos.empty()) return;
  EXPECT_EQ(r.avisos[0].diff, carpeta.Ruta(Nombre(GetParam().rechazado)));
  EXPECT_TRUE(r.avisos[0].motivo.starts_with("el CRC no coincide")) << r.avisos[0].motivo;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CadenaTablaTest,
    testing::Values(
        CasoCadena{"DosFueraDeOrden", {D(2, 2, 3), D(3, 1, 2)}, 3, {3, 2}, 0},
        CasoCadena{"Hueco", {D(2, 1, 2), D(4, 3, 4)}, 2, {2}, 0},
        CasoCadena{"RechazadoEnMedio", {D(2, 1, 2), Alterado(), D(4, 3, 4)}, 2, {2}, 3},
        CasoCadena{"Vacio", {D(2, 1, 2), Ajeno("")}, 2, {2}, 0},
        CasoCadena{"Binario", {D(2, 1, 2), Ajeno("\177ELF\2\1\1\0\0\r\n\377"s)}, 2, {2}, 0},
        CasoCadena{"DeOtraLista", {D(2, 1, 2), Ajeno(DiffEntre(Semana(7), Semana(8)))}, 2, {2}, 0},
        CasoCadena{
            "Arc", {D(2, 1, 2), Ajeno("\x1A\x08NODEDIFF.010"s + std::string(40, 0))}, 2, {2}, 0},
        CincuentaYDos()),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CadenaTest, SoloUnNombreBaseOUnPatronLleganALosDiffs) {
  const std::string diff = Diff("NODEDIFF.002", 1, 2);
  for (const char* escrita : {"NODELIST", "nodelist", "NODELIST.*", "NODELIST.00?"})
    EXPECT_EQ(Buscar(escrita).archivo, lista + "+" + diff) << escrita;
  // A file named by its own path is read as it is.
  EXPECT_EQ(Buscar("NODELIST.001").archivo, lista);
}

TEST_F(CadenaTest, LaCadenaGuardadaSigueALosArchivos) {
  const std::string diff = Diff("NODEDIFF.002", 1, 2);
  EXPECT_EQ(Buscar().nodo.sysop, "Sysop 2");
  // The same size, a later time: another diff.
  carpeta.Escribir("NODEDIFF.002", DiffEntre(Semana(1), Semana(3)));
  Fechar(diff, std::time(nullptr) + 60);
  EXPECT_EQ(Buscar().nodo.sysop, "Sysop 3");
  // A new diff that goes on from it counts at once.
  Diff("NODEDIFF.004", 3, 4);
  EXPECT_EQ(Buscar().nodo.sysop, "Sysop 4");
  std::filesystem::remove(diff);
  EXPECT_EQ(Buscar().archivo, lista);
  // A diff its writer holds locked is said, and the chain made without it is not kept.
  const std::string bloqueado = Diff("NODEDIFF.003", 1, 2);
  const Respuesta r = [&] {
    const BloqueoExclusivo escritor(bloqueado);
    return Buscar();
  }();
  EXPECT_EQ(r.archivo, lista);
  EXPECT_EQ(r.avisos, (std::vector<AvisoDiff>{{bloqueado, "no se puede leer: I/O error 32"}}));
  EXPECT_EQ(Buscar().nodo.sysop, "Sysop 2");
}

// The window's search and its popup's name search may run at once on two threads.
TEST_F(CadenaTest, DosHilosLeenLaMismaCadena) {
  Diff("NODEDIFF.002", 1, 2);
  Diff("NODEDIFF.003", 2, 3);
  std::vector<std::string> sysops[2];
  const auto buscar = [&](std::vector<std::string>& halladas) {
    for (int i = 0; i < 40; ++i)
      halladas.push_back(
          EjecutarBusqueda(carpeta.Ruta("NODELIST"), puntos, "1:1/1", kSinFaltas).nodo.sysop);
  };
  std::thread otro(buscar, std::ref(sysops[1]));
  buscar(sysops[0]);
  otro.join();
  EXPECT_EQ(sysops[0], std::vector<std::string>(40, "Sysop 3"));
  EXPECT_EQ(sysops[1], sysops[0]);
}

// Last week's list beside its real diff, still bzip2-packed as the reader takes it.
class ParRealTest : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(kDatos + "nodelist.362.bz2", lista); }

  CarpetaTemporal carpeta;
  const std::string lista = carpeta.Ruta("NODELIST.362");
  const std::string puntos =
      carpeta.Escribir("POINTS", "Boss,6:760/101\r\n,1,Punto,Sitio,Alguien,-,300\r\n");
};

TEST_F(ParRealTest, RespondeComoLaListaDeLaSemanaSiguiente) {
  // The last node of the list, one that changed that week, and one the diff deleted.
  const std::vector<std::string> direcciones{"6:760/101", "1:1/120", "1:1/0", "2:5020/52",
                                             "3:640/1"};
  std::vector<DatosNodo> esperados;
  for (const std::string& direccion : direcciones)
    esperados.push_back(Buscar(kDatos + "nodelist.003.bz2", puntos, direccion).nodo);
  // Packed, loose, and both: either counts, once.
  for (const auto& diffs : {std::vector<std::string>{"NODEDIFF.Z03"},
                            {"NODEDIFF.003"},
                            {"NODEDIFF.003", "NODEDIFF.Z03"}}) {
    std::vector<std::string> leidas;
    for (const std::string& diff : diffs) {
      std::filesystem::copy_file(kDatos + diff, carpeta.Ruta(diff));
      leidas.push_back(lista + "+" + carpeta.Ruta(diff) +
                       (diff.ends_with("Z03") ? ":NODEDIFF.003" : ""));
    }
    for (std::size_t i = 0; i < direcciones.size(); ++i) {
      const Respuesta r = Buscar(carpeta.Ruta("NODELIST"), puntos, direcciones[i]);
      EXPECT_EQ(r.nodo, esperados[i]) << direcciones[i];
      EXPECT_NE(std::find(leidas.begin(), leidas.end(), r.archivo), leidas.end()) << r.archivo;
      EXPECT_TRUE(r.avisos.empty());
    }
    for (const std::string& diff : diffs)
      std::filesystem::remove(carpeta.Ruta(diff));
  }
}

TEST_F(ParRealTest, UnArchivoDanadoNoSeAplicaYSeDice) {
  std::string zip = LeerArchivo(kDatos + "NODEDIFF.Z03");
  for (std::size_t i = zip.size() / 2; i < zip.size() / 2 + 64; ++i)
    zip[i] = static_cast<char>(zip[i] ^ 0x5A);
  const std::string diff = carpeta.Escribir("NODEDIFF.Z03", zip);
  const Respuesta r = Buscar(carpeta.Ruta("NODELIST"), puntos, "1:1/120");
  EXPECT_EQ(r.nodo, Buscar(lista, puntos, "1:1/120").nodo);
  EXPECT_EQ(r.archivo, lista);
  ASSERT_EQ(r.avisos.size(), 1u);
  EXPECT_EQ(r.avisos[0].diff, diff + ":NODEDIFF.003");
  EXPECT_TRUE(r.avisos[0].motivo.starts_with("no se puede leer: Archive")) << r.avisos[0].motivo;
}

}  // namespace
