// SPDX-License-Identifier: GPL-3.0-or-later
// Files nobody should point the program at, and files built to hurt: each search ends, with a
// result or an exact message, in bounded memory.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/entries/busqueda.h"
#include "lookup/entries/campos.h"
#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/fallos_sistema.h"
#include "tests/comun/proceso.h"
#include "tests/lookup/lists/listas_minimas.h"

namespace {

using namespace std::string_literals;

ResultadoBusqueda Buscar(const std::string& nodos, const std::string& puntos,
                         std::vector<std::string>* mensajes = nullptr) {
  return EjecutarBusqueda(nodos, puntos, "2:5020/52.10", [&](const std::string& m) {
    if (mensajes != nullptr) mensajes->push_back(m);
  });
}

// Writes `total` bytes of `relleno` in large pieces, without holding the file in memory.
std::string Rellenar(const std::string& ruta, std::size_t total, char relleno) {
  std::ofstream salida(ruta, std::ios::binary);
  const std::string trozo(1 << 20, relleno);
  for (std::size_t escrito = 0; escrito < total; escrito += trozo.size())
    salida.write(trozo.data(),
                 static_cast<std::streamsize>(std::min(trozo.size(), total - escrito)));
  return ruta;
}

// What a search over a hostile file may cost above the same search over the small lists. The
// hostile files below are a few times larger, so a reader that held one whole would break it.
constexpr long kExtraMaximoKb = 8 * 1024;
constexpr std::size_t kMasQueElLimite = 4u * kExtraMaximoKb * 1024;

class HostilesTest : public ::testing::Test {
 protected:
  void TearDown() override { resultadoES = 0; }

  // A search over `nodos` and `puntos` in a child, next to the same search over the small lists:
  // what the hostile files cost above that.
  void MideFrenteALasPequenas(const std::string& nodos, const std::string& puntos,
                              const std::function<bool(const ResultadoBusqueda&)>& esperado,
                              const char* nombre) {
    const MedidaHijo base =
        MedirEnOtroProceso([&] { return Buscar(nodelist, pointlist).ejecutada; });
    const MedidaHijo medida = MedirEnOtroProceso([&] { return esperado(Buscar(nodos, puntos)); });
    ASSERT_TRUE(base.correcta);
    EXPECT_TRUE(medida.correcta) << nombre << ": not the expected result";
    const long extraKb = medida.picoKb - base.picoKb;
    std::printf("[ measure  ] %s: %.2f s, peak %ld KiB (%+ld KiB over the small lists)\n", nombre,
                medida.segundos, medida.picoKb, extraKb);
    RecordProperty(std::string(nombre) + "_peak_kib", std::to_string(medida.picoKb));
    EXPECT_LT(extraKb, kExtraMaximoKb) << nombre << ": memory grew with the file";
  }

  CarpetaTemporal carpeta;
  const std::string nodelist = carpeta.Escribir("NODELIST.345", kNodos);
  const std::string pointlist = carpeta.Escribir("POINTS.345", kPuntos);
};

bool SinNadaEncontrado(const ResultadoBusqueda& r) {
  return r.ejecutada && r.nodo == DatosNodo{} && r.punto == DatosPunto{};
}

TEST_F(HostilesTest, LoQueNoEsUnArchivoNormalCuentaComoAusenteSinAbrirse) {
  ASSERT_EQ(::mkfifo(carpeta.Ruta("fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", carpeta.Ruta("a-zero"));
  std::filesystem::create_symlink(carpeta.Ruta("bucle"), carpeta.Ruta("bucle"));
  for (const std::string& ruta :
       {"/dev/zero"s, "/dev/urandom"s, "/dev/null"s, carpeta.Ruta("fifo"), carpeta.Ruta("a-zero"),
        carpeta.Ruta("bucle"), carpeta.Ruta().string()}) {
    SCOPED_TRACE(ruta);
    EXPECT_FALSE(ExisteArchivo(ruta));
    const fallos::Inyeccion cuenta(fallos::Falla{fallos::Llamada::Abrir, ruta, 1000, 1, 0});
    std::vector<std::string> mensajes;
    EXPECT_FALSE(Buscar(ruta, ruta, &mensajes).ejecutada);
    EXPECT_EQ(mensajes, (std::vector<std::string>{kFaltaNodelist, kFaltaPointlist}));
    EXPECT_EQ(cuenta.Llamadas(), 0) << "it was opened";
  }
}

TEST_F(HostilesTest, UnaLineaSinFinMayorQueElLimiteDeMemoria) {
  const std::string enorme = Rellenar(carpeta.Ruta("una-linea"), kMasQueElLimite, 'A');
  MideFrenteALasPequenas(enorme, enorme, SinNadaEncontrado, "32 MiB, one line, both lists");
}

TEST_F(HostilesTest, UnArchivoDispersoDeCerosMayorQueElLimiteDeMemoria) {
  const std::string ceros = carpeta.Ruta("ceros");
  { std::ofstream crear(ceros); }
  ASSERT_EQ(::truncate(ceros.c_str(), kMasQueElLimite), 0);
  MideFrenteALasPequenas(
      ceros, pointlist,
      [](const ResultadoBusqueda& r) {
        return r.ejecutada && r.nodo == DatosNodo{} && r.punto.nombre == "Stas O";
      },
      "32 MiB sparse NUL nodelist");
}

TEST_F(HostilesTest, CienMilComas) {
  const std::string comas(100'000, ',');
  const std::string nodos = carpeta.Escribir(
      "nodos", comas + "\r\nHost,5020," + comas + "\r\n" + comas + "\r\n,52," + comas + "\r\n");
  const std::string puntos = carpeta.Escribir(
      "puntos", "Boss,2:5020/52\r\n" + comas + "\r\n,10,Nick,City,Name,Phone" + comas + "\r\n");
  const ResultadoBusqueda r = Buscar(nodos, puntos);
  ASSERT_TRUE(r.ejecutada);
  EXPECT_EQ(r.nodo, (DatosNodo{"", "", ""}));
  EXPECT_EQ(r.punto, (DatosPunto{"Name", "Nick", "City", "Phone"}));
}

TEST_F(HostilesTest, UnCampoMasLargoQueLoQueSeGuardaDeUnaLinea) {
  const std::string largo(kLargoUtilLinea * 2, 'x');
  const std::string nodos =
      carpeta.Escribir("nodos", "Host,5020,N\r\n,52," + largo + ",City,Sysop\r\n,53,Next,C,S\r\n");
  const ResultadoBusqueda r = Buscar(nodos, pointlist);
  // The line is cut where the lookup stops keeping it; nothing after the cut is invented.
  EXPECT_EQ(r.nodo.bbs, largo.substr(0, kLargoUtilLinea - 4));
  EXPECT_EQ(r.nodo.ciudad, "");
  EXPECT_EQ(r.nodo.sysop, "");
  EXPECT_EQ(r.punto.nombre, "Stas O") << "the rest of the long line was read past";
}

TEST_F(HostilesTest, CadaValorDeByteEnLosCamposVuelveTalCual) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    if (b != ',' && b != '\r' && b != '\n' && b != 0x1A && b != '_') bytes += static_cast<char>(b);
  // Lines of every byte before the entries must not stop or confuse the lookups.
  const std::string ruido = bytes + "\r\n" + bytes + "," + bytes + "\r\n";
  const std::string nodos = carpeta.Escribir(
      "nodos", ruido + "Host,5020,N\r\n" + ruido + ",52," + bytes + ",C," + bytes + "\r\n");
  const std::string puntos = carpeta.Escribir(
      "puntos", ruido + "Boss,2:5020/52\r\n,10," + bytes + ",C," + bytes + ",P\r\n");
  const ResultadoBusqueda r = Buscar(nodos, puntos);
  EXPECT_EQ(r.nodo.bbs, bytes);
  EXPECT_EQ(r.nodo.sysop, bytes);
  EXPECT_EQ(r.punto.nick, bytes);
  EXPECT_EQ(r.punto.nombre, bytes);
}

TEST_F(HostilesTest, BasuraBinaria) {
  std::mt19937 azar(20261209);
  std::string basura(4u << 20, '\0');
  for (auto& b : basura)
    b = static_cast<char>(azar());
  std::string limpia = basura;
  std::erase(limpia, '\x1A');
  const std::string soloBasura = carpeta.Escribir("basura", basura);
  EXPECT_TRUE(SinNadaEncontrado(Buscar(soloBasura, soloBasura)));

  // Random bytes hold a 0x1A every 256 bytes or so, and the data ends there.
  const std::string conEntradasDetras = carpeta.Escribir("detras", basura + "\r\n" + kNodos);
  EXPECT_EQ(Buscar(conEntradasDetras, pointlist).nodo, DatosNodo{});

  std::string puntos(kPuntos);
  puntos.pop_back();
  const std::string sinMarca = carpeta.Escribir("limpia", limpia + "\r\n" + kNodos);
  const std::string puntosSinMarca = carpeta.Escribir("limpia-puntos", limpia + "\r\n" + puntos);
  const ResultadoBusqueda r = Buscar(sinMarca, puntosSinMarca);
  EXPECT_EQ(r.nodo.bbs, "Mister Postman");
  EXPECT_EQ(r.punto.nombre, "Stas O");
  EXPECT_EQ(DescriptoresAbiertos(sinMarca), 0);
}

}  // namespace
