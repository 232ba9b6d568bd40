// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// "Entrada completa": the whole entry of the last search, read-only, selectable and copyable.
// Esc and Enter close it. Laid out by Qt and sized to its text, within the screen.
class DlgEntradaCompleta final : public QDialog {
  Q_OBJECT

 public:
  DlgEntradaCompleta(const QString& texto, QWidget* parent);

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  QPlainTextEdit* txtEntrada = nullptr;
  QPushButton* btnCerrar = nullptr;
};
