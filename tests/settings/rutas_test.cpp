// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/rutas.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <functional>
#include <optional>
#include <string>

#include "settings/almacen_config.h"
#include "tests/comun/casos.h"
#include "tests/settings/config_temporal.h"
#include "tests/settings/mensaje_de.h"

// For gtest's messages; found by lookup in the namespace of Rutas.
void PrintTo(const Rutas& rutas, std::ostream* os) {
  *os << '{' << rutas.nodelist.toStdString() << ", " << rutas.pointlist.toStdString() << '}';
}

namespace {

using RutasTest = ConfigTemporal;

const std::optional<std::string> kFalloNodeList = "Failed to set data for 'NodeList'";

Rutas Par(const char* nodelist, const char* pointlist) {
  return {QString::fromUtf8(nodelist), QString::fromUtf8(pointlist)};
}

TEST_F(RutasTest, ElPrimerArranqueCreaLaClaveConDosTextosVacios) {
  AlmacenConfig almacen;
  ComprobarConfig(almacen);
  ASSERT_TRUE(QFileInfo(Archivo()).isFile());
  EXPECT_EQ(LeerRutas(almacen), Par("", ""));

  // Two values holding the empty text, not two missing values.
  MudarACarpetaNueva();
  const QSettings guardado(Archivo(), QSettings::IniFormat);
  for (const QString& nombre : {kValorNodeList, kValorPointList}) {
    const QVariant valor = guardado.value(nombre);
    EXPECT_EQ(valor.typeId(), QMetaType::QString) << nombre.toStdString();
    EXPECT_EQ(valor.toString(), QString()) << nombre.toStdString();
  }
}

// The start-up check must leave a store that opens exactly as it found it.
struct CasoArranque {
  const char* nombre;
  const char* contenido;
};

class ArranqueTest : public ConfigTemporal, public ::testing::WithParamInterface<CasoArranque> {};

TEST_P(ArranqueTest, NoTocaUnaClaveQueSeAbre) {
  const QByteArray contenido = GetParam().contenido;
  EscribirArchivo(contenido);
  struct stat antes {};
  ASSERT_EQ(::stat(QFile::encodeName(Archivo()).constData(), &antes), 0);

  AlmacenConfig almacen;
  ComprobarConfig(almacen);

  struct stat despues {};
  ASSERT_EQ(::stat(QFile::encodeName(Archivo()).constData(), &despues), 0);
  EXPECT_EQ(LeerArchivo(), contenido);
  EXPECT_EQ(despues.st_ino, antes.st_ino);
  EXPECT_EQ(despues.st_mtim.tv_sec, antes.st_mtim.tv_sec);
  EXPECT_EQ(despues.st_mtim.tv_nsec, antes.st_mtim.tv_nsec);
}

INSTANTIATE_TEST_SUITE_P(
    Claves, ArranqueTest,
    ::testing::Values(CasoArranque{"Ambas", "[General]\nNodeList=/n\nPointList=/p\n"},
                      CasoArranque{"SoloNodeList", "[General]\nNodeList=/n\n"},
                      CasoArranque{"PointListVacia", "[General]\nPointList=\n"},
                      CasoArranque{"ArchivoVacio", ""},
                      CasoArranque{"NoEsTexto",
                                   "[General]\nNodeList=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"},
                      CasoArranque{"SeccionSinCerrar", "[General\nNodeList=/n\n"}),
    casos::PorNombre());

TEST_F(RutasTest, UnaClaveConUnSoloValorLeeVacioElOtro) {
  EscribirArchivo("[General]\nNodeList=/fido/NODELIST.345\n");
  AlmacenConfig almacen;
  ComprobarConfig(almacen);
  EXPECT_EQ(LeerRutas(almacen), Par("/fido/NODELIST.345", ""));
  EXPECT_EQ(LeerRutas(almacen), Par("/fido/NODELIST.345", ""));
}

TEST_F(RutasTest, LoGuardadoSeLeeDesdeCualquierAlmacen) {
  AlmacenConfig busqueda;
  ComprobarConfig(busqueda);
  {
    AlmacenConfig config;
    GuardarRutas(config, QStringLiteral("/n1"), QStringLiteral("/p1"));
    EXPECT_EQ(LeerRutas(config), Par("/n1", "/p1"));
  }
  EXPECT_EQ(LeerRutas(busqueda), Par("/n1", "/p1"));

  // Both held open at once: each sees what the other wrote last.
  AlmacenConfig config;
  EXPECT_EQ(LeerRutas(config), Par("/n1", "/p1"));
  GuardarRutas(busqueda, QStringLiteral("/n2"), QString());
  EXPECT_EQ(LeerRutas(config), Par("/n2", ""));
  GuardarRutas(config, QString(), QStringLiteral("/p3"));
  EXPECT_EQ(LeerRutas(busqueda), Par("", "/p3"));

  MudarACarpetaNueva();
  AlmacenConfig nuevo;
  EXPECT_EQ(LeerRutas(nuevo), Par("", "/p3"));
}

TEST_F(RutasTest, UnCambioHechoFueraSeVeEnLaSiguienteLectura) {
  AlmacenConfig almacen;
  GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
  ASSERT_EQ(LeerRutas(almacen), Par("/n", "/p"));
  EscribirArchivo("[General]\nNodeList=/otra/NODELIST.001\nPointList=/otra/POINTS.001\n");
  EXPECT_EQ(LeerRutas(almacen), Par("/otra/NODELIST.001", "/otra/POINTS.001"));
}

TEST_F(RutasTest, UnValorIlegibleFallaEnCadaBusquedaHastaQueSeGuarda) {
  struct Caso {
    QByteArray contenido;
    std::string mensaje;
  };
  const Caso casos[] = {
      {"[General]\nNodeList=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nPointList=/p\n",
       "Invalid data type for 'NodeList'"},
      {"[General]\nNodeList=/n\nPointList=@ByteArray(/p)\n", "Invalid data type for 'PointList'"},
      {"[General\nNodeList=/n\n", "Failed to get data for 'NodeList'"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.mensaje);
    EscribirArchivo(caso.contenido);
    AlmacenConfig busqueda;
    AlmacenConfig config;
    for (AlmacenConfig* almacen : {&busqueda, &busqueda, &config})
      EXPECT_EQ(MensajeDe([&] { static_cast<void>(LeerRutas(*almacen)); }), caso.mensaje);
    GuardarRutas(config, QStringLiteral("/n2"), QStringLiteral("/p2"));
    EXPECT_EQ(LeerRutas(busqueda), Par("/n2", "/p2"));
  }
}

TEST_F(RutasTest, BorradaMientrasSeTieneLeeVacioYGuardarLaRehace) {
  struct Caso {
    const char* nombre;
    std::function<bool(const ConfigTemporal&)> borrar;
  };
  const Caso casos[] = {
      {"archivo", [](const ConfigTemporal& c) { return QFile::remove(c.Archivo()); }},
      {"carpeta", [](const ConfigTemporal& c) { return QDir(c.Carpeta()).removeRecursively(); }},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    AlmacenConfig almacen;
    GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
    ASSERT_EQ(LeerRutas(almacen), Par("/n", "/p"));
    ASSERT_TRUE(caso.borrar(*this));
    EXPECT_EQ(LeerRutas(almacen), Par("", ""));
    EXPECT_FALSE(QFileInfo::exists(Archivo()));
    GuardarRutas(almacen, QStringLiteral("/n2"), QStringLiteral("/p2"));
    EXPECT_TRUE(QFileInfo(Archivo()).isFile());
    EXPECT_EQ(LeerRutas(almacen), Par("/n2", "/p2"));
  }
}

// Refusals built from the layout on disk: permission bits mean nothing to root.
struct Estorbo {
  const char* nombre;
  std::function<void(const ConfigTemporal&)> poner;
  std::function<bool(const ConfigTemporal&)> sigue;
};

const Estorbo kCarpetaEnLugarDelArchivo{
    "CarpetaEnLugarDelArchivo",
    [](const ConfigTemporal& c) {
      QFile::remove(c.Archivo());
      ASSERT_TRUE(QDir().mkpath(c.Archivo()));
    },
    [](const ConfigTemporal& c) { return QFileInfo(c.Archivo()).isDir(); }};

const Estorbo kArchivoEnLugarDeLaCarpeta{
    "ArchivoEnLugarDeLaCarpeta",
    [](const ConfigTemporal& c) {
      ASSERT_TRUE(QDir(c.Carpeta()).removeRecursively());
      QFile archivo(c.Carpeta());
      ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    },
    [](const ConfigTemporal& c) { return QFileInfo(c.Carpeta()).isFile(); }};

// Opening a FIFO to read it would wait for a writer for ever.
const Estorbo kFifoEnLugarDelArchivo{
    "FifoEnLugarDelArchivo",
    [](const ConfigTemporal& c) {
      QFile::remove(c.Archivo());
      ASSERT_TRUE(QDir().mkpath(c.Carpeta()));
      ASSERT_EQ(::mkfifo(QFile::encodeName(c.Archivo()).constData(), 0600), 0);
    },
    [](const ConfigTemporal& c) {
      struct stat datos {};
      return ::stat(QFile::encodeName(c.Archivo()).constData(), &datos) == 0 &&
             S_ISFIFO(datos.st_mode);
    }};

// Every open of a path that links to itself fails with ELOOP.
const Estorbo kBucleEnLugarDelArchivo{
    "BucleEnLugarDelArchivo",
    [](const ConfigTemporal& c) {
      QFile::remove(c.Archivo());
      ASSERT_TRUE(QDir().mkpath(c.Carpeta()));
      ASSERT_TRUE(QFile::link(c.Archivo(), c.Archivo()));
    },
    [](const ConfigTemporal& c) { return QFileInfo(c.Archivo()).isSymLink(); }};

struct CasoRechazo {
  Estorbo estorbo;
  bool abiertaAntes;  // the store had opened the key before it was broken
  std::optional<std::string> errorLectura;
};

void PrintTo(const CasoRechazo& caso, std::ostream* os) {
  *os << caso.estorbo.nombre << (caso.abiertaAntes ? " (ya abierta)" : "");
}

class RechazoTest : public ConfigTemporal, public ::testing::WithParamInterface<CasoRechazo> {};

TEST_P(RechazoTest, NadaSeAbreNiSeGuarda) {
  const CasoRechazo& caso = GetParam();
  AlmacenConfig almacen;
  if (caso.abiertaAntes) GuardarRutas(almacen, QStringLiteral("/n"), QStringLiteral("/p"));
  caso.estorbo.poner(*this);

  EXPECT_FALSE(almacen.AbrirClave(false));
  EXPECT_FALSE(almacen.AbrirClave(true));
  if (!caso.abiertaAntes) {
    EXPECT_EQ(MensajeDe([&] { ComprobarConfig(almacen); }), kFalloNodeList);
  }
  Rutas leidas;
  EXPECT_EQ(MensajeDe([&] { leidas = LeerRutas(almacen); }), caso.errorLectura);
  EXPECT_EQ(leidas, Par("", ""));
  EXPECT_EQ(MensajeDe([&] { GuardarRutas(almacen, QStringLiteral("/n2"), QStringLiteral("/p2")); }),
            kFalloNodeList);
  EXPECT_TRUE(caso.estorbo.sigue(*this));
}

INSTANTIATE_TEST_SUITE_P(
    Estructura, RechazoTest,
    ::testing::Values(
        CasoRechazo{kCarpetaEnLugarDelArchivo, false, std::nullopt},
        CasoRechazo{kArchivoEnLugarDeLaCarpeta, false, std::nullopt},
        CasoRechazo{kCarpetaEnLugarDelArchivo, true, "Failed to get data for 'NodeList'"},
        CasoRechazo{kArchivoEnLugarDeLaCarpeta, true, std::nullopt},
        CasoRechazo{kFifoEnLugarDelArchivo, false, std::nullopt},
        CasoRechazo{kFifoEnLugarDelArchivo, true, "Failed to get data for 'NodeList'"},
        CasoRechazo{kBucleEnLugarDelArchivo, false, std::nullopt}),
    [](const ::testing::TestParamInfo<CasoRechazo>& info) {
      return std::string(info.param.estorbo.nombre) + (info.param.abiertaAntes ? "YaAbierta" : "");
    });

TEST(RutaEnBytesTest, DaLosBytesUtf8DelNombre) {
  EXPECT_EQ(RutaEnBytes(QStringLiteral("/fido/NODELIST.345")), "/fido/NODELIST.345");
  EXPECT_EQ(RutaEnBytes(QStringLiteral("/Año/ñ")), "/A\xc3\xb1o/\xc3\xb1");
  EXPECT_EQ(RutaEnBytes(QString()), "");
}

}  // namespace
