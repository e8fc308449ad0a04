#pragma once
// Colours are 32-bit integers 0x00BBGGRR (red in the low byte).

#include <cstdint>

namespace quillon {

struct ColorParts {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

// B = colour / 65536, G = (colour - 65536 B) / 256, R = the rest, each divided by 255
// (the divisions truncate toward zero).
ColorParts SplitColor(int32_t color);

// Builds 0x00BBGGRR from three bytes.
constexpr int32_t RGB(int32_t r, int32_t g, int32_t b) {
  return r + 256 * g + 65536 * b;
}

}  // namespace quillon
