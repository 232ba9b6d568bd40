// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The "Error" dialog that shows a message the program gives the user (a missing list), laid out
// by CalcularDisposicion and centred on the screen the user works on. `anchoOk` keeps the width of
// the button's caption, measured by the first dialog.
void MostrarDialogoError(const QString& texto, std::optional<int>& anchoOk);

// A window that grabbed the mouse would keep it from a modal window that comes up now.
void SoltarRaton();
