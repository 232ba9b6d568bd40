// SPDX-License-Identifier: GPL-3.0-or-later
// Store files nobody wrote by hand: garbage, huge files, huge values.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <random>
#include <string>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/settings/config_temporal.h"
#include "tests/settings/mensaje_de.h"

namespace {

using HostilTest = ConfigTemporal;

// Qt keeps the parse of a store file once no object holds it only while the file holds few
// entries: about 512 KiB of garbage already lies past that, so this size takes the other path.
constexpr qsizetype kMuchasEntradas = 2 * 1024 * 1024;

QByteArray Basura(qsizetype tamano, unsigned semilla) {
  std::mt19937 azar(semilla);
  QByteArray bytes(tamano, '\0');
  for (auto& b : bytes)
    b = static_cast<char>(azar());
  return bytes;
}

TEST_F(HostilTest, BasuraFallaConSuMensajeYGuardarLaRehace) {
  struct Caso {
    qsizetype tamano;
    unsigned semilla;
  };
  for (const Caso caso :
       {Caso{64 * 1024, 1}, Caso{64 * 1024, 2}, Caso{64 * 1024, 3}, Caso{kMuchasEntradas, 7}}) {
    SCOPED_TRACE(caso.tamano);
    EscribirArchivo(Basura(caso.tamano, caso.semilla));
    MudarACarpetaNueva();
    AlmacenConfig almacen;
    ASSERT_TRUE(almacen.AbrirClave(false));
    Rutas leidas;
    const auto error = MensajeDe([&] { leidas = LeerRutas(almacen); });
    EXPECT_EQ(error, "Failed to get data for 'NodeList'");
    EXPECT_EQ(leidas, Rutas{});
    GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
    EXPECT_EQ(LeerRutas(almacen), (Rutas{QStringLiteral("/n"), QStringLiteral("/p")}));
  }
}

TEST_F(HostilTest, UnArchivoDeMuchasEntradas) {
  QByteArray contenido = "[General]\nNodeList=/fido/nodelist\nPointList=/fido/points\n[Relleno]\n";
  const QByteArray linea = "clave" + QByteArray(90, 'x') + "=valor\n";
  while (contenido.size() < kMuchasEntradas)
    contenido += linea;
  EscribirArchivo(contenido);
  MudarACarpetaNueva();
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(false));
  EXPECT_EQ(LeerRutas(almacen),
            (Rutas{QStringLiteral("/fido/nodelist"), QStringLiteral("/fido/points")}));
  GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
  EXPECT_EQ(LeerRutas(almacen), (Rutas{QStringLiteral("/n"), QStringLiteral("/p")}));
}

// Far longer than any line a reader would keep in a fixed buffer.
TEST_F(HostilTest, UnValorDeUnMegaVuelveEntero) {
  QString largo;
  largo.reserve(1024 * 1024);
  while (largo.size() < 1024 * 1024)
    largo += QStringLiteral("/fido/ñ=[]\\;\"#");
  AlmacenConfig almacen;
  GuardarRutas(almacen, largo, QStringLiteral("/p"));
  MudarACarpetaNueva();
  AlmacenConfig otro;
  const Rutas leidas = LeerRutas(otro);
  EXPECT_EQ(leidas.nodelist.size(), largo.size());
  EXPECT_TRUE(leidas.nodelist == largo) << "the long value came back changed";
  EXPECT_EQ(leidas.pointlist, QStringLiteral("/p"));
}

// A link to itself reads like a deleted file; the save puts a real file in its place.
TEST_F(HostilTest, UnBucleDeEnlacesMientrasSeTieneLaClave) {
  AlmacenConfig almacen;
  GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
  ASSERT_TRUE(QFile::remove(Archivo()));
  ASSERT_TRUE(QFile::link(Archivo(), Archivo()));
  EXPECT_FALSE(almacen.AbrirClave(false));
  EXPECT_EQ(LeerRutas(almacen), Rutas{});
  GuardarRutas(almacen, QStringLiteral("/n2"), QStringLiteral("/p2"));
  EXPECT_FALSE(QFileInfo(Archivo()).isSymLink());
  AlmacenConfig otro;
  EXPECT_EQ(LeerRutas(otro), (Rutas{QStringLiteral("/n2"), QStringLiteral("/p2")}));
}

}  // namespace
