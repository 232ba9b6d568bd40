// SPDX-License-Identifier: GPL-3.0-or-later
// Lists read straight from the archives they travel in (tests/data/listas, see SOURCES.txt).

#include "lookup/lists/archivo.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lookup/lists/lector_lista.h"
#include "tests/comun/archivos.h"
#include "tests/comun/casos.h"
#include "tests/lookup/lists/archivo_prueba.h"
#include "tests/lookup/lists/lista_prueba.h"

namespace {

using namespace std::string_literals;

// --- What the first bytes say -----------------------------------------------------------------

using CasoEmpaque = casos::Fila<std::string, Empaque>;

class EmpaqueDeTest : public testing::TestWithParam<CasoEmpaque> {};

TEST_P(EmpaqueDeTest, ReconoceElEmpaquePorSusBytes) {
  EXPECT_EQ(EmpaqueDe(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EmpaqueDeTest,
    testing::Values(CasoEmpaque{"Zip", "PK\x03\x04\x14\x00"s, Empaque::kZip},
                    CasoEmpaque{"ZipVacio", "PK\x05\x06"s + std::string(18, '\0'), Empaque::kZip},
                    CasoEmpaque{"SieteZip", "7z\xBC\xAF\x27\x1C\x00\x04"s, Empaque::kSieteZip},
                    CasoEmpaque{"Rar4", "Rar!\x1A\x07\x00"s, Empaque::kRar},
                    CasoEmpaque{"Rar5", "Rar!\x1A\x07\x01\x00"s, Empaque::kRar},
                    CasoEmpaque{"Lha", "\x24\x5C-lh5-\x10\x00"s, Empaque::kLha},
                    CasoEmpaque{"LhaLz", "\x24\x5C-lzs-"s, Empaque::kLha},
                    CasoEmpaque{"Gzip", "\x1F\x8B\x08\x00"s, Empaque::kGzip},
                    CasoEmpaque{"Bzip2", "BZh91AY&SY", Empaque::kBzip2},
                    CasoEmpaque{"Arc", "\x1A\x08NODELIST.003\x00\x10\x00\x00\x00"s, Empaque::kArc},
                    CasoEmpaque{"Arj", "\x60\xEA\x2A\x00"s, Empaque::kArj},
                    CasoEmpaque{"Nodelist", ";A FidoNet Nodelist for Friday, May 2, 2014",
                                Empaque::kNinguno},
                    CasoEmpaque{"Pointlist", "Boss,2:4800/42\r\n", Empaque::kNinguno},
                    CasoEmpaque{"ListaVaciaDeDos", "\x1A\x01"s, Empaque::kNinguno},
                    CasoEmpaque{"FinDeDatosYTexto", "\x1A\x02;A FidoNet Nodelist for Friday"s,
                                Empaque::kNinguno},
                    CasoEmpaque{"BZhSinCifra", "BZhx list", Empaque::kNinguno},
                    CasoEmpaque{"SoloPK", "PK", Empaque::kNinguno},
                    CasoEmpaque{"Vacio", "", Empaque::kNinguno}),
    casos::PorNombre());

// --- Every format reads exactly as the unpacked list ------------------------------------------

TEST_P(FormatoTest, LasLineasSonLasDeLaListaSinEmpaquetar) {
  const auto plano = LineasLeidas(Datos("real/pnt5020-113.ndl"));
  const std::string ruta = Datos("listas/"s + GetParam().archivo);
  const auto empaquetado = LineasLeidas(ruta);
  EXPECT_EQ(empaquetado.first, plano.first);
  const std::string miembro = GetParam().miembro;
  EXPECT_EQ(empaquetado.second, miembro.empty() ? ruta : ruta + ":" + miembro);
  EXPECT_EQ(DescriptoresAbiertos(ruta), 0);
}

INSTANTIATE_TEST_SUITE_P(Casos, FormatoTest, kFormatos, casos::PorNombre());

TEST(ArchivoRealTest, ElSieteZipDeLaPointlistDeMoscuEsLaLista) {
  EXPECT_EQ(LineasLeidas(Datos("listas/pnt5020.7z")).first, LineasLeidas(Datos("real/pnt5020.ndl")).first);
}

// --- Which member is the list -----------------------------------------------------------------

struct CasoMiembro {
  const char* nombre;
  const char* archivo;
  const char* copiaComo;
  const char* miembro;
};

class MiembroTest : public testing::TestWithParam<CasoMiembro> {};

TEST_P(MiembroTest, EligeElMiembroDeLaLista) {
  const CarpetaTemporal carpeta;
  const std::string ruta =
      carpeta.Escribir(GetParam().copiaComo, LeerArchivo(Datos("listas/"s + GetParam().archivo)));
  EXPECT_EQ(LineasLeidas(ruta).second, ruta + ":" + GetParam().miembro);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, MiembroTest,
    testing::Values(
        // FILE_ID.DIZ stands first in the archive.
        CasoMiembro{"ElDeSuNombreTrasFileIdDiz", "diz.zip", "NODELIST.Z22", "NODELIST.122"},
        CasoMiembro{"ElMayorSiNingunoSeLlamaAsi", "diz.zip", "semana.zip", "NODELIST.122"},
        // LEEME.TXT is the larger member.
        CasoMiembro{"ElNombreGanaAlTamano", "eleccion.zip", "PNT5020.Z13", "PNT5020.113"},
        CasoMiembro{"SinNombreGanaElMayor", "eleccion.zip", "eleccion.zip", "LEEME.TXT"},
        CasoMiembro{"ElUnicoMiembro", "pnt5020-113.zip", "lista.zip", "PNT5020.113"},
        CasoMiembro{"NombreEnMinusculas", "NODELIST.Z22", "nodelist.zip", "NODELIST.122"}),
    casos::PorNombre());

}  // namespace
