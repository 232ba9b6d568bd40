// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the program's start-up: Qt Widgets and one empty top-level window, nothing else.
// With --texto the window also holds one line of text, which is what first loads the fonts.
// The start-up bench times these and the program to their window being mapped.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication aplicacion(argc, argv);
  QWidget ventana;
  ventana.setWindowTitle(QStringLiteral("Ventana minima"));
  if (argc > 1 && std::strcmp(argv[1], "--texto") == 0) {
    // Parented to the window, which owns and deletes it.
    new QLabel(QStringLiteral("Dirección de Punto:"), &ventana);
  }
  ventana.show();
  return QApplication::exec();
}
