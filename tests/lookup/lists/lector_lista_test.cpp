// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/lists/lector_lista.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/comun/archivos.h"
#include "tests/comun/casos.h"
#include "tests/comun/proceso.h"
#include "tests/lookup/lists/error_de.h"
#include "tests/lookup/lists/lista_prueba.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> LineasDe(const std::string& bytes) {
  ListaAbierta lista(bytes);
  auto lineas = LeerTodo(lista.lector);
  CerrarLista(lista.lector);
  return lineas;
}

using CasoLineas = casos::Fila<std::string, std::vector<std::string>>;

class LineasTest : public ::testing::TestWithParam<CasoLineas> {};

TEST_P(LineasTest, CortaLasLineasComoSeEspera) {
  EXPECT_EQ(LineasDe(GetParam().entrada), GetParam().esperado);
}

const std::string k127(127, 'x');

INSTANTIATE_TEST_SUITE_P(
    Reglas, LineasTest,
    ::testing::Values(
        CasoLineas{"Vacio", "", {}}, CasoLineas{"CrLfSinFinal", "A\r\nB", {"A", "B"}},
        CasoLineas{"CrLfAlFinal", "A\r\n", {"A"}},
        CasoLineas{"LineaVaciaAlFinal", "A\r\n\r\n", {"A", ""}},
        CasoLineas{"CrSolo", "A\rB\r\n", {"A", "B"}},
        // Unix line ends: without LF as a line end this whole list would be one line.
        CasoLineas{"LfSolo", "A\nB\n", {"A", "B"}},
        CasoLineas{"LfLuegoCr", "A\n\rB", {"A", "", "B"}},
        CasoLineas{"CrCrLf", "A\r\r\nB", {"A", "", "B"}},
        CasoLineas{"FinDeDatosTrasLinea",
                   "A\x1A"
                   "B\r\n",
                   {"A"}},
        CasoLineas{"FinDeDatosDentroDeLinea",
                   "AB\x1A"
                   "CD\r\nEF",
                   {"AB"}},
        CasoLineas{"EmpiezaConFinDeDatos",
                   "\x1A"
                   "A\r\n",
                   {}},
        CasoLineas{"CrLfYFinDeDatos", "A\r\nB\r\n\x1A", {"A", "B"}},
        CasoLineas{"CrFinDeDatos", "A\r\x1A", {"A"}},
        CasoLineas{"ByteCero", "A\0B\r\nC"s, {"A\0B"s, "C"}},
        CasoLineas{"BytesAltos", "\x80\xFF\xE9\r\n", {"\x80\xFF\xE9"}},
        // CR ends block 1, LF begins block 2.
        CasoLineas{"CrLfEntreBloques", k127 + "\r\nB", {k127, "B"}},
        CasoLineas{
            "LfAlInicioDeBloque", std::string(128, 'y') + "\nB", {std::string(128, 'y'), "B"}},
        CasoLineas{"Linea300", std::string(300, 'a') + "\r\nB", {std::string(300, 'a'), "B"}},
        CasoLineas{"Linea10000", std::string(10000, 'b') + "\r\n", {std::string(10000, 'b')}}),
    casos::PorNombre());

// The scan looks at many bytes at once; a line end must be seen wherever it falls in a block.
TEST(LineasPosicionTest, FinDeLineaEnCadaPosicion) {
  for (std::size_t largo = 0; largo < 160; ++largo) {
    const std::string texto(largo, 'a');
    EXPECT_EQ(LineasDe(texto + "\rB"), (std::vector<std::string>{texto, "B"})) << largo;
    EXPECT_EQ(LineasDe(texto + "\nB"), (std::vector<std::string>{texto, "B"})) << largo;
    const auto antes = largo == 0 ? std::vector<std::string>{} : std::vector<std::string>{texto};
    EXPECT_EQ(LineasDe(texto + "\x1A"
                               "B"),
              antes)
        << largo;
  }
}

class LectorTest : public ::testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }
  CarpetaTemporal carpeta;
  LectorLista lector;
};

TEST_F(LectorTest, AlFinalCadaLecturaDaVacioSinError) {
  AbrirLista(lector, carpeta.Escribir("l",
                                      "A\x1A"
                                      "B\r\nC"));
  EXPECT_EQ(lector.LeerLinea(), "A");
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(lector.FinDeArchivo());
    EXPECT_EQ(lector.LeerLinea(), "");
  }
  EXPECT_EQ(resultadoES, 0);
}

TEST_F(LectorTest, LeeHaciaDelanteEnBloquesDe128) {
  const std::string ruta =
      carpeta.Escribir("l", std::string(126, 'a') + "\r\n" + std::string(200, 'b') + "\r\nC");
  AbrirLista(lector, ruta);
  EXPECT_EQ(PosicionLeida(ruta), 0) << "opening reads nothing";
  EXPECT_FALSE(lector.FinDeArchivo());
  EXPECT_EQ(PosicionLeida(ruta), 128);
  EXPECT_EQ(lector.LeerLinea(), std::string(126, 'a'));
  EXPECT_EQ(PosicionLeida(ruta), 128) << "the line end fills the first block exactly";
  EXPECT_FALSE(lector.FinDeArchivo());
  EXPECT_EQ(PosicionLeida(ruta), 256) << "the end test looks one block ahead";
  EXPECT_EQ(lector.LeerLinea(), std::string(200, 'b'));
  EXPECT_EQ(lector.LeerLinea(), "C");
  EXPECT_TRUE(lector.FinDeArchivo());
}

TEST_F(LectorTest, ErroresDeAperturaYCierre) {
  const std::string ruta = carpeta.Escribir("l", "A\r\n");

  lector.Asignar(ruta + ".missing");
  EXPECT_EQ(ErrorDe([&] { lector.Abrir(), ComprobarES(); }), std::make_pair(2, "File not found"s));
  EXPECT_FALSE(lector.Abierto());

  lector.Asignar(ruta + "/below-a-file");
  EXPECT_EQ(ErrorDe([&] { lector.Abrir(), ComprobarES(); }),
            std::make_pair(3, "Invalid filename"s));

  lector.Asignar("bad\0name"s);
  EXPECT_EQ(ErrorDe([&] { lector.Abrir(), ComprobarES(); }).first, 3);

  AbrirLista(lector, ruta);
  CerrarLista(lector);
  EXPECT_EQ(ErrorDe([&] { lector.Cerrar(), ComprobarES(); }),
            std::make_pair(103, "I/O error 103"s));
}

TEST_F(LectorTest, LectorCerradoDaFinYError104) {
  lector.Asignar(carpeta.Escribir("l", "A\r\n"));
  EXPECT_TRUE(lector.FinDeArchivo());
  EXPECT_EQ(ErrorDe([] { ComprobarES(); }), std::make_pair(104, "I/O error 104"s));
  EXPECT_EQ(ErrorDe([&] { (void)lector.LeerLinea(); }), std::make_pair(104, "I/O error 104"s));
  EXPECT_EQ(resultadoES, 0) << "the check clears what it raised";
}

TEST_F(LectorTest, LoQueNoEsUnArchivoNormalNoSeAbre) {
  // The existence test already says no to these; this is the path that changed in between.
  ASSERT_EQ(::mkfifo(carpeta.Ruta("fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", carpeta.Ruta("cero"));
  for (const std::string& ruta :
       {carpeta.Ruta().string(), carpeta.Ruta("fifo"), carpeta.Ruta("cero"), "/dev/urandom"s}) {
    SCOPED_TRACE(ruta);
    lector.Asignar(ruta);
    EXPECT_EQ(ErrorDe([&] { lector.Abrir(), ComprobarES(); }), std::make_pair(2, "File not found"s))
        << "a FIFO without a writer would block here, a device would read for ever";
    EXPECT_FALSE(lector.Abierto());
    EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
  }
}

TEST_F(LectorTest, ArchivoBloqueadoParaEscribirDaError32) {
  const std::string ruta = carpeta.Escribir("l", "A\r\n");
  const BloqueoExclusivo otro(ruta);
  lector.Asignar(ruta);
  EXPECT_EQ(ErrorDe([&] { lector.Abrir(), ComprobarES(); }), std::make_pair(32, "I/O error 32"s));
  EXPECT_FALSE(lector.Abierto());
  EXPECT_EQ(DescriptoresAbiertos(ruta), 1) << "only the writer's own descriptor";
}

TEST_F(LectorTest, MientrasLeeOtrosLeenPeroNoBloqueanParaEscribir) {
  const std::string ruta = carpeta.Escribir("l", "A\r\n");
  AbrirLista(lector, ruta);
  const int otro = ::open(ruta.c_str(), O_RDONLY);
  ASSERT_GE(otro, 0);
  EXPECT_EQ(::flock(otro, LOCK_SH | LOCK_NB), 0);
  ::flock(otro, LOCK_UN);
  EXPECT_NE(::flock(otro, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(errno, EWOULDBLOCK);
  lector.Cerrar();
  ComprobarES();
  EXPECT_EQ(::flock(otro, LOCK_EX | LOCK_NB), 0) << "closing drops the lock";
  ::close(otro);
}

TEST_F(LectorTest, AsignarSueltaElArchivoQueSeguiaAbierto) {
  const std::string ruta = carpeta.Escribir("l", "A\r\n");
  AbrirLista(lector, ruta);
  lector.Asignar(ruta);
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
  EXPECT_FALSE(lector.Abierto());
}

TEST_F(LectorTest, AbrirDeNuevoVuelveAlPrincipio) {
  AbrirLista(lector, carpeta.Escribir("l", "A\r\nB\r\n"));
  EXPECT_EQ(lector.LeerLinea(), "A");
  lector.Abrir();
  ComprobarES();
  EXPECT_EQ(lector.LeerLinea(), "A");
}

TEST_F(LectorTest, RutaLargaSeAbreEntera) {
  // Linux paths run far past 259 bytes; cutting one would open some other file.
  std::filesystem::path ruta = carpeta.Ruta();
  for (int i = 0; i < 6; ++i) {
    ruta /= std::string(60, static_cast<char>('a' + i));
    std::filesystem::create_directory(ruta);
  }
  ruta /= "lista";
  ASSERT_GT(ruta.string().size(), 300u);
  { std::ofstream(ruta, std::ios::binary) << "LARGA\r\n"; }
  ASSERT_TRUE(ExisteArchivo(ruta.string()));
  AbrirLista(lector, ruta.string());
  EXPECT_EQ(lector.LeerLinea(), "LARGA");
}

TEST_F(LectorTest, UnFalloQuedaPendienteHastaLaSiguienteComprobacion) {
  LectorLista otro;
  otro.Cerrar();  // 103, not checked
  lector.Asignar(carpeta.Escribir("l", "A\r\n"));
  lector.Abrir();
  EXPECT_EQ(ErrorDe([] { ComprobarES(); }).first, 103);
  EXPECT_NO_THROW(ComprobarES());
}

TEST(CodigoDeErrnoTest, CadaErrnoDiceLoQueEs) {
  const std::vector<std::pair<int, std::string>> casos{
      {ENOENT, "File not found"},         {ENOTDIR, "Invalid filename"},
      {ENAMETOOLONG, "Invalid filename"}, {ELOOP, "Invalid filename"},
      {EMFILE, "Too many open files"},    {ENFILE, "Too many open files"},
      {EACCES, "File access denied"},     {EPERM, "File access denied"},
      {EWOULDBLOCK, "I/O error 32"}};
  for (const auto& [numero, mensaje] : casos)
    EXPECT_EQ(MensajeError(CodigoDeErrno(numero)), mensaje) << "errno " << numero;

  // Others must never borrow a message of the table (EIO is 5, like "access denied").
  for (const int numero : {EIO, EISDIR, ENOSPC, EBADF, ENXIO, EOVERFLOW}) {
    const auto codigo = CodigoDeErrno(numero);
    EXPECT_EQ(MensajeError(codigo), "I/O error " + std::to_string(codigo)) << "errno " << numero;
    for (const int propio : {32, 103, 104})
      EXPECT_NE(codigo, propio);
  }
}

TEST(MensajeErrorTest, Tabla) {
  EXPECT_EQ(MensajeError(100), "Read beyond end of file");
  EXPECT_EQ(MensajeError(101), "Disk full");
  EXPECT_EQ(MensajeError(106), "Invalid numeric input");
  EXPECT_EQ(MensajeError(-7), "I/O error -7");
}

class ExisteArchivoTest : public ::testing::Test {
 protected:
  CarpetaTemporal carpeta;
};

TEST_F(ExisteArchivoTest, SoloArchivosNormalesConFechaDos) {
  const std::string archivo = carpeta.Escribir("lista", "A");
  EXPECT_TRUE(ExisteArchivo(archivo));
  EXPECT_FALSE(ExisteArchivo(""));
  EXPECT_FALSE(ExisteArchivo(carpeta.Ruta().string()));
  EXPECT_FALSE(ExisteArchivo(archivo + ".missing"));
  EXPECT_FALSE(ExisteArchivo(archivo + "\0.x"s)) << "a NUL would cut the path short";

  const auto enlace = (carpeta.Ruta() / "enlace").string();
  ASSERT_EQ(::symlink(archivo.c_str(), enlace.c_str()), 0);
  EXPECT_TRUE(ExisteArchivo(enlace));

  const auto fifo = (carpeta.Ruta() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ExisteArchivo(fifo));
}

TEST_F(ExisteArchivoTest, ComodinesSonLetrasCorrientes) {
  carpeta.Escribir("lista.001", "A");
  EXPECT_FALSE(ExisteArchivo((carpeta.Ruta() / "lista.*").string()));
  EXPECT_FALSE(ExisteArchivo((carpeta.Ruta() / "lista.00?").string()));
  EXPECT_TRUE(ExisteArchivo(carpeta.Escribir("a*b?", "A")));
}

TEST_F(ExisteArchivoTest, FechaFueraDelRangoDosCuentaComoAusente) {
  const std::string archivo = carpeta.Escribir("lista", "A");
  Fechar(archivo, 1979, 12, 30);
  EXPECT_FALSE(ExisteArchivo(archivo));
  Fechar(archivo, 1980, 1, 2);
  EXPECT_TRUE(ExisteArchivo(archivo));
  Fechar(archivo, 2107, 12, 30);
  EXPECT_TRUE(ExisteArchivo(archivo));
  Fechar(archivo, 2108, 1, 2);
  EXPECT_FALSE(ExisteArchivo(archivo));
}

}  // namespace
