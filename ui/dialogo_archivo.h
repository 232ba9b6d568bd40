// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QFileDialog;

// Where the Open file dialog starts for a box's text: the folder of the file it names, or the
// nearest existing folder above it when that one is gone, with the file's name filled in. Both
// empty for an empty box, which leaves the folder to the dialog.
struct InicioDialogo {
  QString carpeta;
  QString nombre;

  bool operator==(const InicioDialogo&) const = default;
};
[[nodiscard]] InicioDialogo InicioPara(const QString& texto);

// The one way the program asks for a file: shows `dialogo` modally, started from `texto`. The
// absolute path of the chosen file; nothing when the user cancelled.
[[nodiscard]] std::optional<QString> ElegirArchivo(QFileDialog& dialogo, const QString& texto);

// What the box gets for a file chosen in the dialog: a weekly list (<base>.nnn or <base>.Xnn) as
// <folder>/<base>, the base as the file spells it, so that next week's list is read without
// browsing again; any other file as chosen.
[[nodiscard]] QString RutaParaCaja(const QString& elegido);

// For tests, in place of a user: the next ElegirArchivo sets its dialog up as usual but does not
// show it, and answers `respuesta` (an empty one cancels).
void ResponderProximoDialogo(std::optional<QString> respuesta);
