// SPDX-License-Identifier: GPL-3.0-or-later
// The reader in large blocks, as whole-list walks use it: the same lines as in 128-byte reads.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/lookup/lists/lista_prueba.h"

namespace {

std::vector<std::string> LeerTodo(const std::string& ruta, LectorLista& lector) {
  AbrirLista(lector, ruta);
  auto lineas = LeerTodo(lector);
  CerrarLista(lector);
  return lineas;
}

// Line ends of every kind, a CR LF cut by the end of the first 4 KiB block, lines longer than
// a block, and a 0x1A that ends the data before the bytes after it.
std::string ListaDePrueba() {
  std::string bytes;
  for (int i = 0; bytes.size() < 4095 - 40; ++i)
    bytes += ",", bytes += std::to_string(i),
        bytes += (i % 3 == 0   ? "\r\n"
                  : i % 3 == 1 ? "\n"
                               : "\r");
  bytes.resize(4095, 'x');
  bytes += "\r\n";
  bytes +=
      std::string(9000, 'L') + "\n" + std::string(300, 'M') + "\r\n;last\r\n\x1A" + "ignored\n";
  return bytes;
}

TEST(LectorEnBloques, MismasLineasQueEnLecturasDe128) {
  const CarpetaTemporal carpeta;
  const std::string ruta = carpeta.Escribir("lista", ListaDePrueba());
  LectorLista clasico;
  LectorLista grande(4096);
  const auto esperadas = LeerTodo(ruta, clasico);
  EXPECT_EQ(LeerTodo(ruta, grande), esperadas);
  ASSERT_GT(esperadas.size(), 100u);
  EXPECT_EQ(esperadas.back(), ";last");
}

TEST(LectorEnBloques, LeeBloquesDelTamanoPedidoYNuncaMenosDe128) {
  const CarpetaTemporal carpeta;
  const std::string ruta = carpeta.Escribir("lista", ListaDePrueba());
  for (const auto& [pedido, leido] : {std::pair<std::size_t, long>{4096, 4096}, {1, 128}}) {
    SCOPED_TRACE(pedido);
    LectorLista lector(pedido);
    AbrirLista(lector, ruta);
    static_cast<void>(lector.LeerLinea());
    EXPECT_EQ(PosicionLeida(ruta), leido);
    CerrarLista(lector);
  }
}

}  // namespace
