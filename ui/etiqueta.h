// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A fixed label that draws its text on one line, cut at its right edge with no ellipsis, with the
// accelerator-prefix rule: "&" underlines the next character, "&&" draws one "&". It owns no
// shortcut; QLabel only reads "&" when it has a buddy, which these never have.
class EtiquetaPrefijo final : public QLabel {
  Q_OBJECT

 public:
  explicit EtiquetaPrefijo(QWidget* parent);

  // A context menu whose "Copiar" puts the text as drawn on the clipboard.
  void PermitirCopia();
  // True when the drawn text is wider than the label, which then shows it whole as its tooltip.
  [[nodiscard]] bool Cortada() const;

 protected:
  bool event(QEvent* evento) override;
  void paintEvent(QPaintEvent* evento) override;
};

// The text as the prefix rule draws it: an "&" is dropped and the character after it kept, so
// "&&" gives one "&".
[[nodiscard]] QString TextoDibujado(const QString& texto);
