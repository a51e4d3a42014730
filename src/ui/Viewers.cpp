#include "ui/Viewers.h"

namespace vantrel::ui {

namespace {

struct Installed {
    Viewers::ManualOpener manual;
    Viewers::Zoomer zoom;
};

Installed& installed()
{
    static Installed viewers;
    return viewers;
}

} // namespace

void Viewers::setManualOpener(ManualOpener opener)
{
    installed().manual = std::move(opener);
}

void Viewers::setZoomer(Zoomer zoomer)
{
    installed().zoom = std::move(zoomer);
}

void Viewers::openManual(QWidget* from, int page)
{
    if (installed().manual)
        installed().manual(from, page);
}

void Viewers::zoom(QWidget* companyScreen, const QString& field)
{
    if (installed().zoom)
        installed().zoom(companyScreen, field);
}

} // namespace vantrel::ui
