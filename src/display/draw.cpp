#include "display/draw.h"

#include <SDL.h>

#include "display/display.h"
#include "display/surface.h"
#include "display/text.h"
#include "platform/platform.h"

bool ClearBackBuffer() {
  if (DisplayDepth != 16 && DisplayDepth != 32) {
    MainWindow->MessageBox("No fill color.", "FAIL");
    return false;
  }
  if (!BackBuffer || !FillRect(BackBuffer, 0, 0, BackBuffer->w, BackBuffer->h, 0)) {
    MainWindow->MessageBox("Memory fill failed", "FAIL");
    return false;
  }
  return true;
}

bool PresentBackBuffer() {
  if (!BackBuffer) return false;
  MainWindow->Present(FrameView{BackBuffer->pixels, BackBuffer->w, BackBuffer->h,
                                BackBuffer->pitch, DisplayDepth});
  return true;
}

bool DrawString(const char* text, int x, int y, std::uint32_t colour, SDL_Surface* target) {
  if (target && text) DrawText(target, text, x, y, colour);
  return true;
}
