// SPDX-License-Identifier: GPL-3.0-or-later
// The flags of an entry in words.

#include "lookup/entries/significado_flags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/comun/casos.h"

namespace {

using CasoFlags = casos::Fila<std::vector<std::string>, std::vector<std::string>>;

using casos::PrintTo;

class SignificadoFlagsTest : public testing::TestWithParam<CasoFlags> {};

TEST_P(SignificadoFlagsTest, Lineas) {
  EXPECT_EQ(SignificadoFlags(GetParam().entrada), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, SignificadoFlagsTest,
    testing::Values(
        CasoFlags{"CondicionesYPeticiones",
                  {"CM", "XA"},
                  {"CM: acepta correo a cualquier hora",
                   "XA: peticiones de ficheros y de actualizaciones Bark y WaZOO"}},
        CasoFlags{"ModemEnCualquierCaso",
                  {"v32b", "H16"},
                  {"v32b: módem V.32bis, 14400 bps", "H16: módem HST de US Robotics, 16800 bps"}},
        CasoFlags{"InternetConValor",
                  {"IBN:bbs.example:24555", "ICM", "INO4"},
                  {"IBN:bbs.example:24555: acepta conexiones binkp",
                   "ICM: acepta correo por internet a cualquier hora",
                   "INO4: no acepta conexiones IPv4 entrantes"}},
        // Upper case on the hour, lower case half past; the letters are not folded.
        CasoFlags{"HorarioEnUtc",
                  {"TiM", "Txa"},
                  {"TiM: en línea de 08:30 a 12:00 UTC", "Txa: en línea de 23:30 a 00:30 UTC"}},
        CasoFlags{"HorarioQueNoLoEs",
                  {"TYA", "TAAA"},
                  {"TYA: flag que FTS-5001 no define", "TAAA: flag que FTS-5001 no define"}},
        // 2009's lists put the hours among the user flags.
        CasoFlags{"DespuesDeU",
                  {"U", "TVd", "ENC", "WIN"},
                  {"U: siguen flags de usuario", "TVd: en línea de 21:00 a 03:30 UTC",
                   "ENC: acepta correo cifrado y lo encamina", "WIN: flag de usuario"}},
        CasoFlags{
            "UPegadaAlFlag",
            {"UNEC", "UWIN"},
            {"UNEC: coordinador de echomail de la red (flag de usuario)", "UWIN: flag de usuario"}},
        CasoFlags{"HorasDeCorreo",
                  {"#02", "#09!18", "#03"},
                  {"#02: atiende la hora de correo de la zona 2 (02:30 a 03:30 UTC)",
                   "#09!18: atiende la hora de correo de la zona 1 (09:00 a 10:00 UTC) y la hora "
                   "de correo de la zona 3 (18:00 a 19:00 UTC)",
                   "#03: flag que FTS-5001 no define"}},
        CasoFlags{
            "PasarelaYDesconocidos",
            {"GUUCP", "IP:old.example", ""},
            {"GUUCP: pasarela a otra red: UUCP", "IP:old.example: flag que FTS-5001 no define"}}),
    casos::PorNombre());

}  // namespace
