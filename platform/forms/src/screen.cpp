#include "screen.h"

extern "C" forms::Screen* corvane_forms_screen() {
  static forms::Screen screen;
  return &screen;
}
