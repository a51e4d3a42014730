#include "ui/Twips.h"

#include <QPaintDevice>
#include <QtMath>

namespace vantrel::ui {

namespace {

constexpr double twipsPerInch = 1440.0;

} // namespace

int twipsToPixelsX(int twips, const QPaintDevice* device)
{
    return qRound(twips * device->logicalDpiX() / twipsPerInch);
}

int twipsToPixelsY(int twips, const QPaintDevice* device)
{
    return qRound(twips * device->logicalDpiY() / twipsPerInch);
}

QSize twipsToPixels(const QSize& twips, const QPaintDevice* device)
{
    return { twipsToPixelsX(twips.width(), device), twipsToPixelsY(twips.height(), device) };
}

int pixelsToTwipsX(int pixels, const QPaintDevice* device)
{
    return qRound(pixels * twipsPerInch / device->logicalDpiX());
}

int pixelsToTwipsY(int pixels, const QPaintDevice* device)
{
    return qRound(pixels * twipsPerInch / device->logicalDpiY());
}

} // namespace vantrel::ui
