// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/texto_lista.h"

#include "lookup/entries/texto.h"

QString TextoDeLista(const std::string& bytes) {
  return QString::fromUtf8(TextoVisible(bytes));
}
