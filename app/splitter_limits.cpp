#include "app/splitter_limits.h"

namespace quillon {

int ClampVerticalBarLeft(int left, int windowWidth) {
  const int margin = TwipsToPixels(1000);
  if (left < margin) left = margin;
  if (left > windowWidth - margin) left = windowWidth - margin;
  return left;
}

int ClampHorizontalBarTop(int top, int windowHeight, int toolbarHeight) {
  if (top < TwipsToPixels(2000)) top = TwipsToPixels(2000);
  if (top > windowHeight - 3 * toolbarHeight) top = windowHeight - 3 * toolbarHeight;
  return top;
}

}  // namespace quillon
