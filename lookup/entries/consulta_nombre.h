// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A name search: the text looked for in the system name, location and sysop fields of list
// entries, compared without regard to letter case and with "_" read as a blank, on the texts as
// they are shown (DecodificarTexto).
class ConsultaNombre final {
 public:
  // `texto` as typed, bytes like the lists.
  explicit ConsultaNombre(std::string_view texto);

  // True when the text holds nothing but blanks: it would match every entry.
  [[nodiscard]] bool Vacia() const noexcept;

  // True when field 3, 4 or 5 of an entry line ("clave,numero,nombre,lugar,sysop,...") holds the
  // text.
  [[nodiscard]] bool Coincide(std::string_view linea);

 private:
  std::string plegada_;
  bool ascii_ = true;
  bool conComa_ = false;
};
