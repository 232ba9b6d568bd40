// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

// The one place list bytes become display text, for every window.
[[nodiscard]] QString TextoDeLista(const std::string& bytes);
