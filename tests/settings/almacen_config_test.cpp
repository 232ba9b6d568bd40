// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/almacen_config.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "tests/comun/casos.h"
#include "tests/settings/config_temporal.h"
#include "tests/settings/mensaje_de.h"

namespace {

const QString kNodeList = QStringLiteral("NodeList");
const QString kPointList = QStringLiteral("PointList");

using AlmacenConfigTest = ConfigTemporal;

TEST_F(AlmacenConfigTest, SinAbrirNadaNiSeLeeNiSeEscribe) {
  AlmacenConfig almacen;
  EXPECT_FALSE(almacen.AbrirClave(false));
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QString());
  EXPECT_EQ(MensajeDe([&] { almacen.EscribirCadena(kPointList, QStringLiteral("/p")); }),
            "Failed to set data for 'PointList'");
  EXPECT_FALSE(QFileInfo::exists(Carpeta()));
}

TEST_F(AlmacenConfigTest, AbrirCreandoHaceLasCarpetasYUnArchivoVacio) {
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(true));
  const QFileInfo archivo(Archivo());
  EXPECT_TRUE(archivo.isFile());
  EXPECT_EQ(archivo.size(), 0);
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QString());

  AlmacenConfig otro;
  EXPECT_TRUE(otro.AbrirClave(false));
}

TEST_F(AlmacenConfigTest, AbrirCreandoNoTocaUnArchivoQueYaEsta) {
  const QByteArray contenido = "[General]\nNodeList=/n\n";
  EscribirArchivo(contenido);
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(true));
  EXPECT_EQ(LeerArchivo(), contenido);
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QStringLiteral("/n"));
}

// What a value written by hand or by another program reads as.
struct CasoLectura {
  const char* nombre;
  QByteArray contenido;
  QString valor;  // the value asked for
  QString texto;
  std::optional<std::string> error;
};

using casos::PrintTo;

class LecturaTest : public ConfigTemporal, public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaTest, DaElTextoOElError) {
  const CasoLectura& caso = GetParam();
  EscribirArchivo(caso.contenido);
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(false));
  // Twice: an error must come back at every read, not only the first.
  for (int vez = 0; vez < 2; ++vez) {
    QString leido;
    EXPECT_EQ(MensajeDe([&] { leido = almacen.LeerCadena(caso.valor); }), caso.error);
    EXPECT_EQ(leido, caso.texto);
  }
}

std::string TipoInvalido(const char* valor) {
  return std::string("Invalid data type for '") + valor + "'";
}

std::string FalloLeer(const char* valor) {
  return std::string("Failed to get data for '") + valor + "'";
}

INSTANTIATE_TEST_SUITE_P(
    Valores, LecturaTest,
    ::testing::Values(
        CasoLectura{"Ruta", "[General]\nNodeList=/home/u/NODELIST.345\n", kNodeList,
                    QStringLiteral("/home/u/NODELIST.345"), std::nullopt},
        CasoLectura{"NumeroSinMarca", "[General]\nNodeList=12\n", kNodeList, QStringLiteral("12"),
                    std::nullopt},
        CasoLectura{"ComaEntreComillas", "[General]\nNodeList=\"a, b\"\n", kNodeList,
                    QStringLiteral("a, b"), std::nullopt},
        CasoLectura{"ArrobaDoble", "[General]\nNodeList=@@Variant(x)\n", kNodeList,
                    QStringLiteral("@Variant(x)"), std::nullopt},
        CasoLectura{"VariableSinExpandir", "[General]\nNodeList=%TEMP%/NODELIST\n", kNodeList,
                    QStringLiteral("%TEMP%/NODELIST"), std::nullopt},
        CasoLectura{"CeroEnMedio", "[General]\nNodeList=/a\\0/b\n", kNodeList, QStringLiteral("/a"),
                    std::nullopt},
        CasoLectura{"CeroAlPrincipio", "[General]\nNodeList=\\0/b\n", kNodeList, QString(),
                    std::nullopt},
        CasoLectura{"Vacio", "[General]\nNodeList=\n", kNodeList, QString(), std::nullopt},
        CasoLectura{"ComillasVacias", "[General]\nNodeList=\"\"\n", kNodeList, QString(),
                    std::nullopt},
        CasoLectura{"BytesVacios", "[General]\nNodeList=@ByteArray()\n", kNodeList, QString(),
                    std::nullopt},
        CasoLectura{"Invalido", "[General]\nNodeList=@Invalid()\n", kNodeList, QString(),
                    std::nullopt},
        CasoLectura{"Ausente", "[General]\nNodeList=/n\n", kPointList, QString(), std::nullopt},
        CasoLectura{"ArchivoVacio", "", kNodeList, QString(), std::nullopt},
        CasoLectura{"Entero", "[General]\nNodeList=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n",
                    kNodeList, QString(), TipoInvalido("NodeList")},
        CasoLectura{"Lista", "[General]\nPointList=/a, /b\n", kPointList, QString(),
                    TipoInvalido("PointList")},
        CasoLectura{"Bytes", "[General]\nNodeList=@ByteArray(/n)\n", kNodeList, QString(),
                    TipoInvalido("NodeList")},
        CasoLectura{"Rectangulo", "[General]\nNodeList=@Rect(1 2 3 4)\n", kNodeList, QString(),
                    TipoInvalido("NodeList")},
        CasoLectura{"SeccionSinCerrar", "[General\nNodeList=/n\n", kNodeList, QString(),
                    FalloLeer("NodeList")},
        CasoLectura{"LineaSinIgual", "basura\n[General]\nPointList=/p\n", kPointList, QString(),
                    FalloLeer("PointList")}),
    casos::PorNombre());

// Texts go to disk and back unchanged, but for the cut at a zero character.
TEST_F(AlmacenConfigTest, LosTextosVuelvenDelDiscoComoSeGuardaron) {
  struct Caso {
    QString guardado;
    QString leido;
  };
  const Caso casos[] = {
      {QString(), QString()},
      {QStringLiteral("/home/u/fido/NODELIST.345"), QStringLiteral("/home/u/fido/NODELIST.345")},
      {QStringLiteral("  /con espacios  "), QStringLiteral("  /con espacios  ")},
      {QStringLiteral("/a, /b"), QStringLiteral("/a, /b")},
      {QStringLiteral("@Variant(\\0)"), QStringLiteral("@Variant(\\0)")},
      {QStringLiteral("@ByteArray(x)"), QStringLiteral("@ByteArray(x)")},
      {QStringLiteral("C:\\FIDO\\NODELIST.345"), QStringLiteral("C:\\FIDO\\NODELIST.345")},
      {QStringLiteral("punto;y coma=igual\"comilla\""),
       QStringLiteral("punto;y coma=igual\"comilla\"")},
      {QStringLiteral("/Año/ñandú €/点"), QStringLiteral("/Año/ñandú €/点")},
      {QStringLiteral("/dos\nlíneas\r"), QStringLiteral("/dos\nlíneas\r")},
      {QStringLiteral("[General]"), QStringLiteral("[General]")},
      {QString::fromUtf16(u"/a\0/b", 5), QStringLiteral("/a")},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.guardado.toStdString());
    {
      AlmacenConfig almacen;
      ASSERT_TRUE(almacen.AbrirClave(true));
      almacen.EscribirCadena(kNodeList, caso.guardado);
    }
    MudarACarpetaNueva();
    AlmacenConfig almacen;
    ASSERT_TRUE(almacen.AbrirClave(false));
    EXPECT_EQ(almacen.LeerCadena(kNodeList), caso.leido);
  }
}

TEST_F(AlmacenConfigTest, GuardarUnTextoCuraUnValorDeOtroTipo) {
  EscribirArchivo("[General]\nNodeList=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nPointList=/p\n");
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(false));
  ASSERT_TRUE(MensajeDe([&] { static_cast<void>(almacen.LeerCadena(kNodeList)); }));
  almacen.EscribirCadena(kNodeList, QStringLiteral("/n"));
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QStringLiteral("/n"));

  MudarACarpetaNueva();
  AlmacenConfig despues;
  ASSERT_TRUE(despues.AbrirClave(false));
  EXPECT_EQ(despues.LeerCadena(kNodeList), QStringLiteral("/n"));
  EXPECT_EQ(despues.LeerCadena(kPointList), QStringLiteral("/p"));
}

TEST_F(AlmacenConfigTest, GuardarEnUnArchivoDanadoLoArregla) {
  EscribirArchivo("[General\nNodeList=/n\nPointList=/p\n");
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(false));
  almacen.EscribirCadena(kPointList, QStringLiteral("/q"));
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QStringLiteral("/n"));
  EXPECT_EQ(almacen.LeerCadena(kPointList), QStringLiteral("/q"));
}

TEST_F(AlmacenConfigTest, UnArchivoDanadoFallaSiempreHastaQueSeGuarda) {
  EscribirArchivo("[General\nNodeList=/n\nPointList=/p\n");
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(false));
  AlmacenConfig otro;
  ASSERT_TRUE(otro.AbrirClave(false));
  // Whichever store asks, and however often, even though QSettings parses the file only once.
  for (const AlmacenConfig* cual : {&almacen, &otro, &almacen}) {
    for (const QString& nombre : {kNodeList, kPointList}) {
      EXPECT_EQ(MensajeDe([&] { static_cast<void>(cual->LeerCadena(nombre)); }),
                "Failed to get data for '" + nombre.toStdString() + "'");
    }
  }

  // The save keeps what could be salvaged and writes a file that parses.
  almacen.EscribirCadena(kNodeList, QStringLiteral("/m"));
  EXPECT_EQ(otro.LeerCadena(kNodeList), QStringLiteral("/m"));
  EXPECT_EQ(otro.LeerCadena(kPointList), QStringLiteral("/p"));
  MudarACarpetaNueva();
  AlmacenConfig despues;
  ASSERT_TRUE(despues.AbrirClave(false));
  EXPECT_EQ(despues.LeerCadena(kPointList), QStringLiteral("/p"));
}

// Other processes notice a new version by its size or its time to the millisecond, so saves of
// texts of one length, closer together than a clock tick, must still leave each a later time.
TEST_F(AlmacenConfigTest, CadaGuardadoDejaElArchivoConUnaHoraPosterior) {
  // In memory when there is such a file system: a disk that waits for each save to reach it spaces
  // the saves out by more than a tick, and the fault would not show.
  const QString rapida = QStringLiteral("/dev/shm");
  std::optional<QTemporaryDir> enMemoria;
  if (QFileInfo(rapida).isDir() && QFileInfo(rapida).isWritable()) {
    enMemoria.emplace(rapida + QStringLiteral("/settings_tests-XXXXXX"));
    ASSERT_TRUE(enMemoria->isValid());
    UsarRaiz(enMemoria->path());
  }
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(true));
  const QFileInfo archivo(enMemoria ? enMemoria->path() + QStringLiteral("/Tervanik/NodeList.conf")
                                    : Archivo());
  const auto Hora = [&archivo] {
    return QFileInfo(archivo.filePath()).lastModified().toMSecsSinceEpoch();
  };
  almacen.EscribirCadena(kNodeList, QStringLiteral("/NODELIST.000"));
  qint64 anterior = Hora();
  for (int vuelta = 1; vuelta <= 20; ++vuelta) {
    almacen.EscribirCadena(kNodeList,
                           QStringLiteral("/NODELIST.%1").arg(vuelta, 3, 10, QLatin1Char('0')));
    const qint64 hora = Hora();
    EXPECT_GT(hora, anterior) << "vuelta " << vuelta;
    anterior = hora;
  }
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QStringLiteral("/NODELIST.020"));
}

// The file of the first open stays in use while later opens fail, whatever the paths say now.
TEST_F(AlmacenConfigTest, UnaAperturaFallidaDejaLaClaveAnterior) {
  AlmacenConfig almacen;
  ASSERT_TRUE(almacen.AbrirClave(true));
  almacen.EscribirCadena(kNodeList, QStringLiteral("/primera"));
  const QString primera = Archivo();

  const PerfilTemporal otraRaiz;
  EXPECT_FALSE(almacen.AbrirClave(false));
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QStringLiteral("/primera"));
  almacen.EscribirCadena(kPointList, QStringLiteral("/p"));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(otraRaiz.Carpeta())));

  ASSERT_TRUE(almacen.AbrirClave(true));
  EXPECT_EQ(almacen.LeerCadena(kNodeList), QString());
  EXPECT_EQ(almacen.LeerCadena(kPointList), QString());

  QSettings vieja(primera, QSettings::IniFormat);
  EXPECT_EQ(vieja.value(kPointList).toString(), QStringLiteral("/p"));
}

}  // namespace
