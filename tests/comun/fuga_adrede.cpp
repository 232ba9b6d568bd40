// SPDX-License-Identifier: GPL-3.0-or-later
// Leaks on purpose: the leak check must catch this, or it would catch nothing.
#include <cstdio>

int* volatile perdido = nullptr;

int main() {
  perdido = new int[64];
  perdido[0] = 1;
  std::printf("%d\n", perdido[0]);
  perdido = nullptr;
  return 0;
}
