// SPDX-License-Identifier: GPL-3.0-or-later
// Lists rewritten in place while a search reads them: the search reads them again, and never
// answers from a mix of the two files.

#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/busqueda_completa.h"
#include "lookup/entries/por_nombre.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/casos.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/lookup/entries/error_de.h"
#include "tests/lookup/lists/diffs_prueba.h"

namespace {

using fallos::Antes;
using fallos::Llamada;

// Last week's list, written days ago: a rewrite now gives it another time even where the kernel
// keeps times to a timer tick.
constexpr std::time_t kSemanaPasada = 1'700'000'000;

// Writes `bytes` over the file from its first byte, as a tosser or `unzip -o` does, from a thread
// of its own while the reader waits in its read.
void Reescribir(const std::string& ruta, const std::string& bytes) {
  std::thread escritor([&] {
    const int fd = ::open(ruta.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
  });
  escritor.join();
}

// The entry of 2:5020/52 starts 33 bytes before the 64 KiB mark: both a 128-byte and a 64 KiB
// reader have read its system and city, and not its sysop, when their read at the mark comes.
constexpr std::size_t kMarca = 64 * 1024;
std::string Nodelist(const std::string& sistema, const std::string& ciudad,
                     const std::string& sysop) {
  std::string texto = "Zone,2,Europe,Brussels,Coord,32-1,9600\r\nHost,5020,Moscow_Net,Moscow,X\r\n";
  const std::string entrada = "Hub,52," + sistema + "," + ciudad + "," + sysop + ",7-095,9600\r\n";
  while (texto.size() + 100 < kMarca - 33)
    texto += ",100,Station,Moscow,Sysop,7-095,9600\r\n";
  texto += ";" + std::string(kMarca - 33 - texto.size() - 3, ' ') + "\r\n";
  return texto + entrada + ",53,Station,Moscow,Sysop,7-095,9600\r\n";
}

const std::string kVieja = Nodelist("Mister_Postman", "Moscow", "Volodya_Rusinov");
const std::string kNueva = Nodelist("Newest_Postman", "Samara", "Ivan_Petrovitch");
// The 128-byte reader's read at the mark, and the 64 KiB reader's.
constexpr int kLecturaCorta = kMarca / 128 + 1;
constexpr int kLecturaLarga = 2;

struct Hallado {
  std::string sistema, ciudad, sysop;
  int veces = 0;  // how many matches the name search gave
  bool operator==(const Hallado&) const = default;
};

void PrintTo(const Hallado& h, std::ostream* os) {
  *os << h.sistema << " | " << h.ciudad << " | " << h.sysop << " x" << h.veces;
}

struct CasoComando {
  const char* nombre;
  int lectura;  // the read before which the list is rewritten
  std::function<Hallado(const std::string& nodos, const std::string& puntos)> buscar;
};

using casos::PrintTo;

const Informar kSinFaltas = [](const std::string& m) { ADD_FAILURE() << "unexpected: " << m; };

class LecturaCambianteTest : public testing::TestWithParam<CasoComando> {
 protected:
  void SetUp() override { Fechar(nodelist, kSemanaPasada); }
  void TearDown() override { resultadoES = 0; }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", kVieja);
  const std::string pointlist = carpeta.Escribir("POINTS.345", "Boss,2:5020/52\r\n,1,P,C,N,1\r\n");
};

TEST_P(LecturaCambianteTest, ReescritaEnSuSitioRespondeLaNuevaEntera) {
  const Antes antes(Llamada::Leer, nodelist, GetParam().lectura,
                    [&] { Reescribir(nodelist, kNueva); });
  EXPECT_EQ(GetParam().buscar(nodelist, pointlist),
            (Hallado{"Newest Postman", "Samara", "Ivan Petrovitch", 1}));
  EXPECT_EQ(DescriptoresAbiertos(nodelist), 0);
}

TEST_P(LecturaCambianteTest, CambiadaEnCadaLecturaEsUnErrorDeLectura) {
  int vez = 0;
  const Antes antes(
      Llamada::Leer, nodelist, 1,
      [&] {
        Reescribir(nodelist, ++vez % 2 == 0 ? kVieja : kNueva);
        Fechar(nodelist, kSemanaPasada + vez);
      },
      true);
  const auto error = ErrorDe([&] { (void)GetParam().buscar(nodelist, pointlist); });
  EXPECT_EQ(error.first, kListaCambiante);
  EXPECT_EQ(error.second, "List changed while it was read");
  EXPECT_EQ(DescriptoresAbiertos(nodelist), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Comandos, LecturaCambianteTest,
    testing::Values(
        CasoComando{"Busqueda", kLecturaCorta,
                    [](const std::string& nodos, const std::string& puntos) {
                      const DatosNodo n =
                          EjecutarBusqueda(nodos, puntos, "2:5020/52", kSinFaltas).nodo;
                      return Hallado{n.bbs, n.ciudad, n.sysop, 1};
                    }},
        CasoComando{"Completa", kLecturaCorta,
                    [](const std::string& nodos, const std::string& puntos) {
                      const EntradaNodo n =
                          EjecutarBusquedaCompleta(nodos, puntos, "2:5020/52", kSinFaltas).nodo;
                      return Hallado{n.bbs, n.ciudad, n.sysop, 1};
                    }},
        CasoComando{"PorNombre", kLecturaLarga,
                    [](const std::string& nodos, const std::string& puntos) {
                      const Coincidencias c =
                          BuscarCoincidencias(nodos, puntos, "postman", 50, kSinFaltas);
                      if (c.filas.empty()) return Hallado{};
                      const Coincidencia& f = c.filas.front();
                      return Hallado{f.sistema, f.lugar, f.sysop, static_cast<int>(c.filas.size())};
                    }}),
    casos::PorNombre());

// A 7-Zip pointlist unpacked over by a ZIP of the same node's section: the 7-Zip reader meets
// the other file as damage before its close, and the search reads the ZIP.
TEST(ArchivoCambianteTest, ArchivoDaniadoPorLaReescrituraSeLeeOtraVez) {
  const CarpetaTemporal carpeta;
  const std::string nodos =
      carpeta.Escribir("NODELIST", "Host,5020,Moscow_Net,Moscow,X\r\n,113,Ochki,Moscow,Y\r\n");
  const std::string puntos = carpeta.Ruta("PNT5020.7Z");
  std::filesystem::copy_file(TEST_DATA_DIR "/listas/pnt5020.7z", puntos);
  Fechar(puntos, kSemanaPasada);
  const Antes antes(Llamada::Leer, puntos, 3, [&] {
    Reescribir(puntos, LeerArchivo(TEST_DATA_DIR "/listas/pnt5020-113.zip"));
  });
  const ResultadoBusqueda r = EjecutarBusqueda(nodos, puntos, "2:5020/113.13", kSinFaltas);
  EXPECT_EQ(r.punto.nombre, "Peter Trofimov");
  EXPECT_EQ(r.archivos.pointlist, puntos + ":PNT5020.113");
}

// A list of more than one 64 KiB read, of the tests' chains: week `semana` in its first lines
// (the diff's part), and `cola` in its last one, which the diff copies.
std::vector<std::string> SemanaLarga(int semana, const std::string& cola) {
  std::vector<std::string> lineas = Semana(semana);
  lineas.erase(lineas.begin());
  lineas.pop_back();
  while (lineas.size() < 2000)
    lineas.push_back(",3,Relleno,Sitio,Alguien,1-1-1-3,9600");
  lineas.push_back(",4,Final,Sitio," + cola + ",1-1-1-4,9600");
  char crc[16];
  std::snprintf(crc, sizeof crc, " : %05u", static_cast<unsigned>(CrcBitABit(UnirCrLf(lineas))));
  lineas.insert(lineas.begin(), ";A Lista de prueba, semana " + std::to_string(semana) + crc);
  return lineas;
}

// The full list rewritten while its diff is applied: the torn list fails the result's CRC, and
// that refusal is no news for the user; the chain is built again from the new list.
TEST(CadenaCambianteTest, ListaReescritaMientrasSeAplicaSuDiff) {
  const CarpetaTemporal carpeta;
  const std::vector<std::string> vieja = SemanaLarga(1, "Igual");
  const std::vector<std::string> siguiente = SemanaLarga(2, "Igual");
  const std::string lista = carpeta.Escribir("NODELIST.001", UnirCrLf(vieja));
  Fechar(lista, kSemanaPasada);
  carpeta.Escribir("NODEDIFF.002",
                   UnirCrLf({vieja[0], "D1", "A1", siguiente[0], "C2", "D1", "A1", siguiente[3],
                             "C" + std::to_string(vieja.size() - 4)}));
  const std::string puntos = carpeta.Escribir("POINTS", "Boss,1:1/1\r\n,1,P,S,A,-,300\r\n");
  // Its first line read to rank it and to chain it, then the chain's first 64 KiB.
  const Antes antes(Llamada::Leer, lista, 4,
                    [&] { Reescribir(lista, UnirCrLf(SemanaLarga(9, "Otra"))); });
  std::vector<AvisoDiff> avisos;
  const ResultadoBusqueda r =
      EjecutarBusqueda(carpeta.Ruta("NODELIST"), puntos, "1:1/1", kSinFaltas,
                       [&](const AvisoDiff& aviso) { avisos.push_back(aviso); });
  EXPECT_EQ(r.nodo.sysop, "Sysop 9");
  EXPECT_EQ(r.archivos.nodelist, lista);
  EXPECT_TRUE(avisos.empty()) << avisos.front().motivo;
}

}  // namespace
