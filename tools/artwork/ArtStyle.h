#pragma once

// One palette for every image: a warm, dark panel lit from the top left, ivory
// print, amber lamps.
struct Rgb {
  double r, g, b;
};

namespace ArtStyle {

constexpr Rgb kPanelTop{0.176, 0.137, 0.110};
constexpr Rgb kPanelBottom{0.118, 0.090, 0.071};
constexpr Rgb kSectionEdge{0.070, 0.052, 0.040};
constexpr Rgb kBarFill{0.094, 0.071, 0.057};
constexpr Rgb kIvory{0.910, 0.858, 0.745};
constexpr Rgb kIvoryDim{0.690, 0.627, 0.525};
constexpr Rgb kAmber{0.949, 0.620, 0.231};
constexpr Rgb kAmberHot{1.000, 0.847, 0.541};
constexpr Rgb kAmberDark{0.290, 0.173, 0.082};
constexpr Rgb kBakeliteDark{0.055, 0.040, 0.032};
constexpr Rgb kMetalLight{0.800, 0.765, 0.706};
constexpr Rgb kMetalDark{0.290, 0.263, 0.231};
constexpr Rgb kGlassDark{0.035, 0.047, 0.039};

constexpr const char* kSansFace = "Liberation Sans";
constexpr const char* kSerifFace = "Liberation Serif";

}  // namespace ArtStyle
