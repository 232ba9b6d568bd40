// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPushButton>

enum class TipoBoton { OK, Help, Yes, No };

// A push button with an 18x18 picture left of its caption; its kind fixes the picture, whether it
// is a default button, and the modal result it stands for.
class BotonGlifo final : public QPushButton {
  Q_OBJECT

 public:
  static constexpr int kLadoGlifo = 18;
  static constexpr int kSeparacion = 4;

  BotonGlifo(TipoBoton tipo, const QString& texto, QWidget* parent);
  ~BotonGlifo() override;

  [[nodiscard]] TipoBoton Tipo() const noexcept { return tipo_; }
  // 1 for OK, 6 for Yes, 7 for No, 0 for Help.
  [[nodiscard]] int ResultadoModal() const noexcept;

  // The button Enter presses right now: this one when it has the focus, or when it is the
  // default button and no other push button of its window has the focus.
  [[nodiscard]] bool EsDefectoActivo() const;

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  TipoBoton tipo_;
  QMetaObject::Connection alCambiarFoco_;
};

// The picture of a kind, transparent where the artwork's olive background would be.
[[nodiscard]] QImage DibujarGlifo(TipoBoton tipo);
