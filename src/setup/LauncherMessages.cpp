#include "setup/LauncherMessages.h"

namespace vantrel::setup {

namespace {

LauncherMessages::Answerer& answerer()
{
    static LauncherMessages::Answerer installed;
    return installed;
}

} // namespace

QMessageBox::StandardButton LauncherMessages::show(QWidget* parent, QMessageBox::Icon icon,
    const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    if (answerer())
        return answerer()(icon, text, buttons);
    QMessageBox box(icon, QStringLiteral("Vantrel Setup"), text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void LauncherMessages::setAnswerer(Answerer installed)
{
    answerer() = std::move(installed);
}

} // namespace vantrel::setup
