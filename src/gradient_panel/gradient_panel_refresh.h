// What follows an edit of the gradient in the panel: the bar, the edit panel's colour
// box, the points' colours and the viewports.
#pragma once

struct InstData;

// Draws the bar raster from the gradient and shows it on the panel.
void redrawGradientBar(const InstData& inst);

enum class TextureRebuild { No, Yes };
// The bar, the colour box, every point's colour, the gradient texture (when colours or
// keys changed), a redraw request and "RedrawNow".
void refreshAfterGradientEdit(InstData& inst, TextureRebuild texture);
