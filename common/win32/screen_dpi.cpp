#include <windows.h>

#include "common/win32/screen_dpi.h"

namespace corvane {

int screenDotsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace corvane
