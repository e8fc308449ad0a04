#pragma once
// The names of the thirteen material presets in code order (code = position + 1).

namespace quillon {

inline constexpr const char* kMaterialNames[13] = {"Artdeco", "Autumn",   "Glass", "Metal", "Neon",
                                                   "Recoco",  "Santefe",  "Sheen", "Silky", "Spring",
                                                   "Summer",  "Tropical", "Winter"};

}  // namespace quillon
