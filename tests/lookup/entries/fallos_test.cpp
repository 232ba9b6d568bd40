// SPDX-License-Identifier: GPL-3.0-or-later
// System calls that fail under a search, one at a time, through the test-only interposer.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/lookup/entries/error_de.h"
#include "tests/lookup/lists/fallos_prueba.h"
#include "tests/lookup/lists/lista_vigente_prueba.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

using namespace std::string_literals;
using fallos::Antes;
using fallos::Falla;
using fallos::Inyeccion;
using fallos::Llamada;

class FallosTest : public ListasEnBloquesTest {
 protected:
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

TEST_F(ListaVigenteFallosTest, LaElegidaDesapareceAntesDeAbrirla) {
  const std::string vieja = carpeta.Escribir("NODELIST.362", ";A Friday, December 27, 1996\r\n");
  const std::string nueva =
      carpeta.Escribir("NODELIST.003", ";A Friday, January 3, 1997\r\n" + std::string(kNodos));
  const std::string puntos = carpeta.Escribir("POINTS.345", kPuntos);
  // The first open reads its date; the second is the search's own.
  const Antes borrar(Llamada::Abrir, nueva, 2, [&] { std::remove(nueva.c_str()); });
  EXPECT_EQ(
      ErrorDe([&] { (void)BuscarSinAvisos(carpeta.Ruta("NODELIST"), puntos, "2:5020/52.10"); }),
      std::make_pair(2, std::string("File not found")));
  EXPECT_EQ(DescriptoresAbiertos(puntos) + DescriptoresAbiertos(vieja), 0);
  EXPECT_EQ(resultadoES, 0);
}

}  // namespace
