#pragma once

#include <QSize>

class QPaintDevice;

namespace vantrel::ui {

// Sizes of windows are given in 1/1440 inch; the screen's logical DPI turns them
// into pixels (15 units per pixel at 96 DPI).
int twipsToPixelsX(int twips, const QPaintDevice* device);
int twipsToPixelsY(int twips, const QPaintDevice* device);
QSize twipsToPixels(const QSize& twips, const QPaintDevice* device);

int pixelsToTwipsX(int pixels, const QPaintDevice* device);
int pixelsToTwipsY(int pixels, const QPaintDevice* device);

} // namespace vantrel::ui
