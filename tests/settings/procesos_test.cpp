// SPDX-License-Identifier: GPL-3.0-or-later
// Other copies of the program, run as child processes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/proceso.h"
#include "tests/settings/config_temporal.h"
#include "tests/settings/valores_escritor.h"

namespace {

// Exactly what a whole save of both values leaves on disk: no cut line, nothing left over.
QByteArray ArchivoEntero(const QString& nodelist, const QString& pointlist) {
  return "[General]\nNodeList=" + nodelist.toUtf8() + "\nPointList=" + pointlist.toUtf8() + "\n";
}

using ProcesosTest = ConfigTemporal;

TEST_F(ProcesosTest, OtraCopiaGuardaBajoXdgConfigHomeOBajoHome) {
  QTemporaryDir otra;
  ASSERT_TRUE(otra.isValid());
  const std::string raiz = QFile::encodeName(otra.path()).toStdString();
  struct Caso {
    std::vector<std::string> entorno;
    QString archivo;
  };
  const Caso casos[] = {
      {{"XDG_CONFIG_HOME=" + raiz + "/xdg"}, otra.path() + QStringLiteral("/xdg")},
      {{"XDG_CONFIG_HOME", "HOME=" + raiz + "/casa"},
       otra.path() + QStringLiteral("/casa/.config")},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.archivo.toStdString());
    ProcesoEnCurso escritor(ESCRITOR_RUTAS, {"A", "1"}, caso.entorno);
    ASSERT_EQ(escritor.Esperar(), 0);
    QFile archivo(caso.archivo + QStringLiteral("/Tervanik/NodeList.conf"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(archivo.readAll(),
              ArchivoEntero(ValorEscrito(u'A', u'N', 0), ValorEscrito(u'A', u'P', 0)));
  }
  EXPECT_FALSE(QFileInfo::exists(Carpeta()));
}

TEST_F(ProcesosTest, LoQueGuardaOtraCopiaSeVeEnLaSiguienteLectura) {
  AlmacenConfig almacen;
  ComprobarConfig(almacen);
  ASSERT_EQ(LeerRutas(almacen).nodelist, QString());

  ProcesoEnCurso escritor(ESCRITOR_RUTAS, {"B", "1"});
  ASSERT_EQ(escritor.Esperar(), 0);
  const Rutas rutas = LeerRutas(almacen);
  EXPECT_EQ(rutas.nodelist, ValorEscrito(u'B', u'N', 0));
  EXPECT_EQ(rutas.pointlist, ValorEscrito(u'B', u'P', 0));
}

bool EsDeUnEscritor(const QString& texto, QChar valor) {
  return EsValorEntero(texto, valor) && (texto.at(0) == u'A' || texto.at(0) == u'B');
}

// Before the first writer gets to a value it still holds the empty text of the first run.
bool EsVacioODeUnEscritor(const QString& texto, QChar valor) {
  return texto.isEmpty() || EsDeUnEscritor(texto, valor);
}

TEST_F(ProcesosTest, DosCopiasEscribiendoALaVezNoRompenElArchivo) {
  constexpr int kVueltas = 50;
  AlmacenConfig busqueda;
  ComprobarConfig(busqueda);

  int lecturas = 0;
  {
    ProcesoEnCurso a(ESCRITOR_RUTAS, {"A", std::to_string(kVueltas)});
    ProcesoEnCurso b(ESCRITOR_RUTAS, {"B", std::to_string(kVueltas)});
    // Searches go on meanwhile: every read finds both values whole.
    while (a.Corriendo() || b.Corriendo()) {
      AlmacenConfig almacen;
      const Rutas rutas = LeerRutas(almacen);
      ++lecturas;
      ASSERT_TRUE(EsVacioODeUnEscritor(rutas.nodelist, u'N')) << rutas.nodelist.toStdString();
      ASSERT_TRUE(EsVacioODeUnEscritor(rutas.pointlist, u'P')) << rutas.pointlist.toStdString();
    }
    EXPECT_EQ(a.Esperar(), 0);
    EXPECT_EQ(b.Esperar(), 0);
  }
  EXPECT_GT(lecturas, 0);

  // The last write of each value wins, and it is some writer's last round: a copy that missed the
  // other's save would have put an older value back.
  const Rutas final = LeerRutas(busqueda);
  const auto esUltima = [](const QString& texto, QChar valor) {
    return texto == ValorEscrito(u'A', valor, kVueltas - 1) ||
           texto == ValorEscrito(u'B', valor, kVueltas - 1);
  };
  EXPECT_TRUE(esUltima(final.nodelist, u'N')) << final.nodelist.left(12).toStdString();
  EXPECT_TRUE(esUltima(final.pointlist, u'P')) << final.pointlist.left(12).toStdString();
  EXPECT_EQ(LeerArchivo(), ArchivoEntero(final.nodelist, final.pointlist));
  // No temporary or lock file left behind.
  EXPECT_EQ(QDir(Carpeta()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("NodeList.conf")});
}

}  // namespace
