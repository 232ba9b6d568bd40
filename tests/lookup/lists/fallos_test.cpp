// SPDX-License-Identifier: GPL-3.0-or-later
// System calls that fail under the reader, one at a time, through the test-only interposer.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/lookup/error_de.h"
#include "tests/lookup/lista_prueba.h"

namespace {

using namespace std::string_literals;
using fallos::Antes;
using fallos::Falla;
using fallos::Inyeccion;
using fallos::Llamada;

// Both entries stand several 128-byte blocks into their files, so a read can fail half-way.
std::string Nodelist() {
  std::string texto =
      "Zone,2,Europe,Brussels,Coord,32-1,9600\r\n"
      "Host,5020,Moscow_Net,Moscow,Host_Sysop,7-095-1,9600\r\n";
  // Named numbers: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + std::string&&.
  for (int n = 100; n < 140; ++n) {
    const std::string numero = std::to_string(n);
    texto += "," + numero + ",Station_" + numero + ",Moscow,Sysop,7-095,9600\r\n";
  }
  return texto + "Hub,52,Mister_Postman,Moscow,Volodya_Rusinov,7-095-745,9600\r\n\x1A";
}

std::string Pointlist() {
  std::string texto = "Boss,2:5020/52\r\n";
  for (int n = 1; n < 40; ++n) {
    const std::string numero = std::to_string(n);
    texto += "," + numero + ",Nick,Moscow,Someone_Else,-Unpublished-,9600\r\n";
  }
  return texto + ",40,Home,Moscow,Stas_O,7-095-40,9600\r\n\x1A";
}

class FallosTest : public ::testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }

  ResultadoBusqueda Buscar() {
    return EjecutarBusqueda(nodelist, pointlist, "2:5020/52.40",
                            [this](const std::string& m) { mensajes.push_back(m); });
  }

  // The search fails with `codigo` and leaves no list file open.
  void FallaCon(std::int32_t codigo) {
    const auto error = ErrorDe([&] { (void)Buscar(); });
    EXPECT_EQ(error.first, codigo);
    EXPECT_EQ(error.second, MensajeError(codigo));
    EXPECT_EQ(resultadoES, 0) << "the raise clears the pending result";
    EXPECT_EQ(DescriptoresAbiertos(nodelist), 0) << "the nodelist was left open";
    EXPECT_EQ(DescriptoresAbiertos(pointlist), 0) << "the pointlist was left open";
    EXPECT_TRUE(mensajes.empty());
  }

  void EncuentraTodo() {
    const ResultadoBusqueda r = Buscar();
    ASSERT_TRUE(r.ejecutada);
    EXPECT_EQ(r.nodo.bbs, "Mister Postman");
    EXPECT_EQ(r.punto.nombre, "Stas O");
    EXPECT_EQ(DescriptoresAbiertos(nodelist), 0);
    EXPECT_EQ(DescriptoresAbiertos(pointlist), 0);
  }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", Nodelist());
  const std::string pointlist = carpeta.Escribir("POINTS.345", Pointlist());
  std::vector<std::string> mensajes;
};

TEST_F(FallosTest, SinFallosLaBusquedaEncuentraAmbos) {
  EncuentraTodo();
}

TEST_F(FallosTest, UnaLecturaQueFallaEnMedioDeCadaLista) {
  for (const auto& ruta : {nodelist, pointlist}) {
    SCOPED_TRACE(ruta);
    {
      const Inyeccion inyeccion(Falla{Llamada::Leer, ruta, 4, 1, EIO});
      FallaCon(1000 + EIO);
      EXPECT_EQ(inyeccion.Fallidas(), 1);
      EXPECT_EQ(inyeccion.Llamadas(), 4) << "nothing was read after the failure";
    }
    EncuentraTodo();
  }
}

TEST_F(FallosTest, UnaAperturaQueFallaDiceLoQueEs) {
  struct Caso {
    int error;
    std::int32_t codigo;
  };
  // The file passed the existence test; these are what can still happen to the open after it.
  for (const Caso caso : {Caso{ENOENT, 2}, Caso{ENOTDIR, 3}, Caso{EMFILE, 4}, Caso{ENFILE, 4},
                          Caso{EACCES, 5}, Caso{EIO, 1000 + EIO}}) {
    for (const auto& ruta : {nodelist, pointlist}) {
      SCOPED_TRACE(ruta + " errno " + std::to_string(caso.error));
      const Inyeccion inyeccion(Falla{Llamada::Abrir, ruta, 1, 1, caso.error});
      FallaCon(caso.codigo);
    }
  }
  EncuentraTodo();
}

TEST_F(FallosTest, UnCierreQueFallaSeInformaYElArchivoQuedaCerrado) {
  for (const auto& ruta : {nodelist, pointlist}) {
    SCOPED_TRACE(ruta);
    const Inyeccion inyeccion(Falla{Llamada::Cerrar, ruta, 1, 1, EIO});
    FallaCon(1000 + EIO);
    EXPECT_EQ(inyeccion.Fallidas(), 1);
  }
  EncuentraTodo();
}

TEST_F(FallosTest, UnaLlamadaInterrumpidaSeRepiteSinAvisar) {
  for (const Llamada llamada : {Llamada::Abrir, Llamada::Leer, Llamada::Bloquear}) {
    for (const auto& ruta : {nodelist, pointlist}) {
      SCOPED_TRACE(ruta + " call " + std::to_string(static_cast<int>(llamada)));
      const Inyeccion inyeccion(Falla{llamada, ruta, 1, 3, EINTR});
      EncuentraTodo();
      EXPECT_EQ(inyeccion.Fallidas(), 3);
    }
  }
}

TEST_F(FallosTest, UnCierreInterrumpidoYaHaCerrado) {
  const Inyeccion inyeccion(Falla{Llamada::Cerrar, nodelist, 1, 1, EINTR});
  EncuentraTodo();
  EXPECT_EQ(inyeccion.Fallidas(), 1);
  EXPECT_EQ(inyeccion.Llamadas(), 1) << "a second close could hit another thread's descriptor";
}

TEST_F(FallosTest, UnSistemaDeArchivosSinBloqueosSeLeeIgual) {
  for (const int error : {ENOLCK, EINVAL, EBADF}) {
    const Inyeccion inyeccion(Falla{Llamada::Bloquear, pointlist, 1, 1, error});
    EncuentraTodo();
    EXPECT_EQ(inyeccion.Fallidas(), 1);
  }
}

TEST_F(FallosTest, UnBloqueoDeOtroProgramaDaError32) {
  int tubo[2];
  int respuesta[2];
  ASSERT_EQ(::pipe(tubo), 0);
  ASSERT_EQ(::pipe(respuesta), 0);
  const pid_t hijo = ::fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    // The writer: holds the nodelist locked until told to let go.
    const int fd = ::open(nodelist.c_str(), O_RDWR);
    const char listo = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? 'y' : 'n';
    (void)!::write(respuesta[1], &listo, 1);
    char fin;
    (void)!::read(tubo[0], &fin, 1);
    ::_exit(0);
  }
  char listo = 0;
  ASSERT_EQ(::read(respuesta[0], &listo, 1), 1);
  ASSERT_EQ(listo, 'y');
  FallaCon(32);
  (void)!::write(tubo[1], "x", 1);
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  for (const int fd : {tubo[0], tubo[1], respuesta[0], respuesta[1]})
    ::close(fd);
  EncuentraTodo();
}

// The reader itself: a failed read keeps its place, and the next read goes on from there.
TEST_F(FallosTest, UnaLecturaFallidaDejaElLectorAbiertoDondeEstaba) {
  const std::string ruta =
      carpeta.Escribir("l", std::string(100, 'a') + "\r\n" + std::string(300, 'b') + "\r\nC\r\n");
  LectorLista lector;
  AbrirLista(lector, ruta);
  EXPECT_EQ(lector.LeerLinea(), std::string(100, 'a'));
  {
    const Inyeccion inyeccion(Falla{Llamada::Leer, ruta, 2, 2, EIO});
    for (int vez = 0; vez < 2; ++vez)
      EXPECT_EQ(ErrorDe([&] { (void)lector.LeerLinea(); }).first, 1000 + EIO);
    EXPECT_TRUE(lector.Abierto());
    EXPECT_EQ(PosicionLeida(ruta), 256) << "a failed read moved the file";
  }
  // 26 + 128 bytes of the line came before the failure; the rest follows.
  EXPECT_EQ(lector.LeerLinea(), std::string(300 - 26 - 128, 'b'));
  EXPECT_EQ(lector.LeerLinea(), "C");
  EXPECT_TRUE(lector.FinDeArchivo());
  lector.Cerrar();
  ComprobarES();
}

TEST_F(FallosTest, ElFinDeArchivoQueFallaDaFinYElError) {
  LectorLista lector;
  AbrirLista(lector, nodelist);
  const Inyeccion inyeccion(Falla{Llamada::Leer, nodelist, 1, 1, EIO});
  EXPECT_TRUE(lector.FinDeArchivo());
  EXPECT_EQ(ErrorDe([] { ComprobarES(); }).first, 1000 + EIO);
  EXPECT_FALSE(lector.FinDeArchivo()) << "the failure was not remembered as an end";
}

// What happens to the file while a search reads it.
TEST_F(FallosTest, CambiadaPorUnFifoOUnDispositivoJustoAntesDeAbrir) {
  for (const std::string& destino : {"fifo"s, "/dev/zero"s, "carpeta"s}) {
    SCOPED_TRACE(destino);
    const std::string copia = carpeta.Escribir("copia", Nodelist());
    const Antes antes(Llamada::Abrir, nodelist, 1, [&] {
      std::filesystem::remove(nodelist);
      if (destino == "fifo")
        ASSERT_EQ(::mkfifo(nodelist.c_str(), 0600), 0);
      else if (destino == "carpeta")
        std::filesystem::create_directory(nodelist);
      else
        std::filesystem::create_symlink(destino, nodelist);
    });
    FallaCon(2);
    std::filesystem::remove(nodelist);
    std::filesystem::rename(copia, nodelist);
  }
}

TEST_F(FallosTest, CortadaMientrasSeLeeTerminaSinResultadoDeNodo) {
  const Antes antes(Llamada::Leer, nodelist, 3,
                    [&] { ASSERT_EQ(::truncate(nodelist.c_str(), 0), 0); });
  const ResultadoBusqueda r = Buscar();
  EXPECT_TRUE(r.ejecutada);
  EXPECT_EQ(r.nodo, DatosNodo{}) << "the entry was cut away before it was reached";
  EXPECT_EQ(r.punto.nombre, "Stas O");
}

// The path names another file by the end of the reading: the search reads again, the new one.
TEST_F(FallosTest, ReemplazadaMientrasSeLeeSeLeeLaNueva) {
  const Antes antes(Llamada::Leer, pointlist, 2, [&] {
    const std::string nueva =
        carpeta.Escribir("nueva", "Boss,2:5020/52\r\n,40,New,City,New_Name,1\r\n");
    std::filesystem::rename(nueva, pointlist);
  });
  EXPECT_EQ(Buscar().punto.nombre, "New Name");
  EXPECT_EQ(DescriptoresAbiertos(pointlist), 0);
}

}  // namespace
