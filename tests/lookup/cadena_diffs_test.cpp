// SPDX-License-Identifier: GPL-3.0-or-later
// Searches through a weekly list and the diffs beside it: which diffs form the chain, which are
// refused and said, which are left alone, the kept chain, and the real weekly pair
// (tests/data/nodediff, see SOURCES.txt there).

#include "lookup/cadena_diffs.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/busqueda.h"
#include "lookup/consulta.h"
#include "lookup/listado.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/lookup/diffs_prueba.h"

namespace {

using namespace std::string_literals;

const std::string kDatos = TEST_DATA_DIR "/nodediff/";

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
}

void Fechar(const std::string& ruta, std::time_t momento) {
  const timespec tiempos[2] = {{momento, 0}, {momento, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, ruta.c_str(), tiempos, 0), 0) << ruta;
}

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

TEST_F(CadenaTest, LaCadenaSigueLasPrimerasLineasNoLosNombres) {
  const std::string segunda = Diff("NODEDIFF.002", 2, 3);
  const std::string primera = Diff("NODEDIFF.003", 1, 2);
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 3");
  EXPECT_EQ(r.archivo, lista + "+" + primera + "+" + segunda);
  EXPECT_TRUE(r.avisos.empty());
}

TEST_F(CadenaTest, UnHuecoParaLaCadenaSinAviso) {
  const std::string primera = Diff("NODEDIFF.002", 1, 2);
  Diff("NODEDIFF.004", 3, 4);
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 2");
  EXPECT_EQ(r.archivo, lista + "+" + primera);
  EXPECT_TRUE(r.avisos.empty());
}

TEST_F(CadenaTest, CincuentaYDosDiffsSeguidos) {
  std::string esperado = lista;
  for (int semana = 1; semana <= 52; ++semana) {
    char nombre[16];
    std::snprintf(nombre, sizeof nombre, "NODEDIFF.%03d", semana + 1);
    esperado += "+" + Diff(nombre, semana, semana + 1);
  }
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 53");
  EXPECT_EQ(r.archivo, esperado);
  EXPECT_TRUE(r.avisos.empty());
}

TEST_F(CadenaTest, UnDiffRechazadoParaLaCadenaYSeDice) {
  const std::string primera = Diff("NODEDIFF.002", 1, 2);
  std::string mala = DiffEntre(Semana(2), Semana(3));
  mala.replace(mala.find("Sysop_3"), 7, "Sysop_X");
  const std::string rechazada = carpeta.Escribir("NODEDIFF.003", mala);
  Diff("NODEDIFF.004", 3, 4);
  for (int vez = 0; vez < 2; ++vez) {  // the kept chain says it again
    const Respuesta r = Buscar();
    EXPECT_EQ(r.nodo.sysop, "Sysop 2");
    EXPECT_EQ(r.archivo, lista + "+" + primera);
    ASSERT_EQ(r.avisos.size(), 1u);
    EXPECT_EQ(r.avisos[0].diff, rechazada);
    EXPECT_TRUE(r.avisos[0].motivo.starts_with("el CRC no coincide")) << r.avisos[0].motivo;
  }
}

struct CasoRechazo {
  const char* nombre;
  std::vector<std::string> ordenes;  // after the first line of week 1
  std::string enAviso;
};

class RechazoTest : public CadenaTest, public testing::WithParamInterface<CasoRechazo> {};

TEST_P(RechazoTest, LaBusquedaLeeLaListaDeAntesYLoDice) {
  std::vector<std::string> lineas = GetParam().ordenes;
  lineas.insert(lineas.begin(), Semana(1)[0]);
  const std::string diff = carpeta.Escribir("NODEDIFF.002", UnirCrLf(lineas));
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 1");
  EXPECT_EQ(r.archivo, lista);
  ASSERT_EQ(r.avisos.size(), 1u);
  EXPECT_EQ(r.avisos[0].diff, diff);
  EXPECT_NE(r.avisos[0].motivo.find(GetParam().enAviso), std::string::npos) << r.avisos[0].motivo;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RechazoTest,
    testing::Values(CasoRechazo{"OrdenX5", {"X5"}, "«X5»"}, CasoRechazo{"OrdenC0", {"C0"}, "«C0»"},
                    CasoRechazo{"OrdenA99999", {"A99999"}, "«A99999»"},
                    CasoRechazo{
                        "CopiaPasaDelFinal", {"D1", "A1", Semana(2)[0], "C9"}, "pasa del final"},
                    CasoRechazo{"AnadePasaDelDiff", {"D6", "A9", Semana(2)[0]}, "más líneas"},
                    CasoRechazo{"CrcDistinto", {"D1", "A1", Semana(2)[0], "C5"}, "CRC"}),
    [](const auto& info) { return std::string(info.param.nombre); });

struct CasoAjeno {
  const char* nombre;
  std::string bytes;
};

class AjenoTest : public CadenaTest, public testing::WithParamInterface<CasoAjeno> {};

TEST_P(AjenoTest, SeDejaSinAviso) {
  carpeta.Escribir("NODEDIFF.010", GetParam().bytes);
  const std::string diff = Diff("NODEDIFF.002", 1, 2);
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 2");
  EXPECT_EQ(r.archivo, lista + "+" + diff);
  EXPECT_TRUE(r.avisos.empty());
}

INSTANTIATE_TEST_SUITE_P(Casos, AjenoTest,
                         testing::Values(CasoAjeno{"Vacio", ""},
                                         CasoAjeno{"Binario",
                                                   "\x7F"
                                                   "ELF\x02\x01\x01\x00\x00\r\n\xFF\xFE"s},
                                         CasoAjeno{"DeOtraLista", DiffEntre(Semana(7), Semana(8))},
                                         CasoAjeno{"CabeceraEnorme",
                                                   std::string(5000, ';') + "\r\nC1\r\n"},
                                         CasoAjeno{"Arc",
                                                   "\x1A\x08"
                                                   "NODEDIFF.010"s +
                                                       std::string(40, '\0')}),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(CadenaTest, SoloUnNombreBaseOUnPatronLleganALosDiffs) {
  const std::string diff = Diff("NODEDIFF.002", 1, 2);
  for (const char* escrita : {"NODELIST", "nodelist", "NODELIST.*", "NODELIST.00?"}) {
    const Respuesta r = Buscar(escrita);
    EXPECT_EQ(r.nodo.sysop, "Sysop 2") << escrita;
    EXPECT_EQ(r.archivo, lista + "+" + diff) << escrita;
  }
  // A file named by its own path is read as it is; so is a list whose name has no LIST.
  EXPECT_EQ(Buscar("NODELIST.001").archivo, lista);
  std::filesystem::rename(lista, carpeta.Ruta("SEGMENTO.001"));
  EXPECT_EQ(Buscar("SEGMENTO").archivo, carpeta.Ruta("SEGMENTO.001"));
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
  const Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 1");
  EXPECT_EQ(r.archivo, lista);
}

TEST_F(CadenaTest, UnDiffBloqueadoSeDiceYNoQuedaGuardado) {
  const std::string diff = Diff("NODEDIFF.002", 1, 2);
  const int escritor = ::open(diff.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(escritor, 0);
  ASSERT_EQ(::flock(escritor, LOCK_EX), 0);
  Respuesta r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 1");
  ASSERT_EQ(r.avisos.size(), 1u);
  EXPECT_EQ(r.avisos[0], (AvisoDiff{diff, "no se puede leer: I/O error 32"}));
  // The writer is done, without touching the file: the next search reads the diff.
  ::close(escritor);
  r = Buscar();
  EXPECT_EQ(r.nodo.sysop, "Sysop 2");
  EXPECT_TRUE(r.avisos.empty());
}

// The window's search and its popup's name search run at once on two threads.
TEST_F(CadenaTest, DosHilosLeenLaMismaCadena) {
  Diff("NODEDIFF.002", 1, 2);
  Diff("NODEDIFF.003", 2, 3);
  std::vector<std::string> sysops[2];
  const auto porDireccion = [&] {
    for (int i = 0; i < 40; ++i)
      sysops[0].push_back(
          EjecutarBusqueda(carpeta.Ruta("NODELIST"), puntos, "1:1/1", kSinFaltas).nodo.sysop);
  };
  const auto porNombre = [&] {
    for (int i = 0; i < 40; ++i) {
      ConsultaNombre consulta("nodo uno");
      (void)BuscarPorNombre(
          carpeta.Ruta("NODELIST"), puntos, consulta, kSinFaltas,
          [&](const std::string&, std::string_view linea, std::size_t) {
            sysops[1].push_back(std::string(linea.substr(linea.find("Sysop"), 7)));
          },
          [](const std::string&, std::string_view) {});
    }
  };
  std::thread otro(porNombre);
  porDireccion();
  otro.join();
  EXPECT_EQ(sysops[0], std::vector<std::string>(40, "Sysop 3"));
  EXPECT_EQ(sysops[1], std::vector<std::string>(40, "Sysop_3"));
}

// --- The real weekly pair ---------------------------------------------------------------------

class ParRealTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    semana362 = new std::string(UnirCrLf(LineasDeArchivo(kDatos + "nodelist.362.bz2")));
    std::string texto;
    for (const std::string& linea : LineasDeArchivo(kDatos + "nodelist.003.bz2"))
      (texto += linea) += '\n';
    semana003 = new std::string(texto + "\x1A");
  }
  static void TearDownTestSuite() {
    delete semana362;
    delete semana003;
  }

  void SetUp() override {
    lista = carpeta.Escribir("NODELIST.362", *semana362);
    puntos = carpeta.Escribir("POINTS", "Boss,6:760/101\r\n,1,Punto,Sitio,Alguien,-,300\r\n");
    nueva = otra.Escribir("NODELIST.003", *semana003);
  }

  inline static std::string* semana362 = nullptr;
  inline static std::string* semana003 = nullptr;
  CarpetaTemporal carpeta;
  CarpetaTemporal otra;
  std::string lista;
  std::string puntos;
  std::string nueva;
};

TEST_F(ParRealTest, ResponeComoLaListaDeLaSemanaSiguiente) {
  for (const char* diff : {"NODEDIFF.003", "NODEDIFF.Z03"}) {
    std::filesystem::remove(carpeta.Ruta("NODEDIFF.003"));
    std::filesystem::remove(carpeta.Ruta("NODEDIFF.Z03"));
    const std::string ruta = carpeta.Escribir(diff, Leer(kDatos + diff));
    const std::string leido =
        ruta + (std::string_view(diff).ends_with("Z03") ? ":NODEDIFF.003" : "");
    // The last node of the list, one that changed that week, and one the diff deleted.
    for (const char* direccion : {"6:760/101", "1:1/120", "1:1/0", "2:5020/52", "3:640/1"}) {
      const Respuesta r = Buscar(carpeta.Ruta("NODELIST"), puntos, direccion);
      EXPECT_EQ(r.nodo, Buscar(nueva, puntos, direccion).nodo) << diff << " " << direccion;
      EXPECT_EQ(r.archivo, lista + "+" + leido);
      EXPECT_TRUE(r.avisos.empty());
    }
  }
  EXPECT_EQ(Buscar(carpeta.Ruta("NODELIST"), puntos, "1:1/120").nodo.sysop, "Mark Lewis");
}

TEST_F(ParRealTest, ElDiffSueltoYEmpaquetadoJuntosDanUnaSolaVez) {
  carpeta.Escribir("NODEDIFF.003", Leer(kDatos + "NODEDIFF.003"));
  carpeta.Escribir("NODEDIFF.Z03", Leer(kDatos + "NODEDIFF.Z03"));
  const Respuesta r = Buscar(carpeta.Ruta("NODELIST"), puntos, "1:1/120");
  EXPECT_EQ(r.nodo.sysop, "Mark Lewis");
  EXPECT_EQ(std::count(r.archivo.begin(), r.archivo.end(), '+'), 1) << r.archivo;
  EXPECT_TRUE(r.avisos.empty());
}

TEST_F(ParRealTest, UnArchivoDanadoNoSeAplicaYSeDice) {
  std::string zip = Leer(kDatos + "NODEDIFF.Z03");
  for (std::size_t i = zip.size() / 2; i < zip.size() / 2 + 64; ++i)
    zip[i] = static_cast<char>(zip[i] ^ 0x5A);
  const std::string diff = carpeta.Escribir("NODEDIFF.Z03", zip);
  const Respuesta r = Buscar(carpeta.Ruta("NODELIST"), puntos, "1:1/120");
  EXPECT_EQ(r.nodo.sysop, "Bruce Bodger");
  EXPECT_EQ(r.archivo, lista);
  ASSERT_EQ(r.avisos.size(), 1u);
  EXPECT_EQ(r.avisos[0].diff, diff + ":NODEDIFF.003");
  EXPECT_TRUE(r.avisos[0].motivo.starts_with("no se puede leer: Archive")) << r.avisos[0].motivo;
}

TEST_F(ParRealTest, LaEntradaEnteraYLaBusquedaPorNombreLeenLaListaNueva) {
  const std::string diff = carpeta.Escribir("NODEDIFF.003", Leer(kDatos + "NODEDIFF.003"));
  const ResultadoCompleto completo =
      EjecutarBusquedaCompleta(carpeta.Ruta("NODELIST"), puntos, "1:1/120", kSinFaltas);
  EXPECT_EQ(completo.nodo.sysop, "Mark Lewis");
  EXPECT_EQ(completo.archivos.nodelist, lista + "+" + diff);

  ConsultaNombre consulta("Mark Lewis");
  std::vector<std::string> halladas;
  EXPECT_TRUE(BuscarPorNombre(
      carpeta.Ruta("NODELIST"), puntos, consulta, kSinFaltas,
      [&](const std::string& direccion, std::string_view, std::size_t) {
        halladas.push_back(direccion);
      },
      [](const std::string&, std::string_view) {}));
  EXPECT_NE(std::find(halladas.begin(), halladas.end(), "1:1/120"), halladas.end());
}

}  // namespace
