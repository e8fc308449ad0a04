#pragma once
// Where the splitter bars may be dropped. The limits are kept in twips, the unit the window
// layout was first drawn in, and converted at 15 twips per (logical) pixel.

namespace quillon {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Size of the bars themselves: 60 twips wide (vertical), 40 twips high (horizontal).
inline constexpr int kVerticalBarWidth = TwipsToPixels(60);
inline constexpr int kHorizontalBarHeight = TwipsToPixels(40);

// The vertical bar's left edge, in window pixels: at least 1000 twips, then at most the
// window width less 1000 twips (the second rule wins in a window narrower than both).
int ClampVerticalBarLeft(int left, int windowWidth);

// The horizontal bar's top edge, in window pixels: at least 2000 twips, then at most the
// window height less three toolbar heights.
int ClampHorizontalBarTop(int top, int windowHeight, int toolbarHeight);

}  // namespace quillon
