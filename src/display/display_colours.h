// The viewport display's colours (RGBA, 0..1), shared by the weight display, the
// overlays and the gradient panel.
#pragma once

struct Rgba {
  float c[4];
};

inline constexpr Rgba colorWhite = {{1.0f, 1.0f, 1.0f, 1.0f}};      // shaded faces, labels
inline constexpr Rgba transWhite = {{1.0f, 1.0f, 1.0f, 0.5f}};      // shaded faces, "No Depth"
inline constexpr Rgba colorBlack = {{0.0f, 0.0f, 0.0f, 1.0f}};      // edges, outlines
inline constexpr Rgba colorSelected = {{1.0f, 1.0f, 0.5f, 1.0f}};   // selected points' edges
inline constexpr Rgba transSelected = {{1.0f, 1.0f, 0.5f, 0.3f}};   // picked bones
inline constexpr Rgba transCyan = {{0.05f, 1.0f, 1.0f, 0.22f}};     // other bones
inline constexpr Rgba colorCyan = {{0.05f, 1.0f, 1.0f, 1.0f}};      // lasso, pick cursor
inline constexpr Rgba colorDGray = {{0.1f, 0.1f, 0.11f, 1.0f}};     // erase band's end
inline constexpr Rgba colorYellow = {{1.0f, 1.0f, 0.3f, 1.0f}};     // brush outline, dot
inline constexpr Rgba transYellow = {{1.0f, 1.0f, 0.3f, 0.32f}};    // resize disc, "Pen Sel"
inline constexpr Rgba transOrange = {{1.0f, 0.8f, 0.0f, 0.3f}};     // "Sel Object" highlight
