#include "shell/SplashWindow.h"

#include "ui/Resources.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace vantrel::shell {

namespace {

QPixmap splashPicture()
{
    ui::ensureResources();
    QSvgRenderer renderer(QStringLiteral(":/ui/icons/splash.svg"));
    QPixmap picture(renderer.defaultSize());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

} // namespace

SplashWindow::SplashWindow()
    : QSplashScreen(splashPicture())
{
    setObjectName(QStringLiteral("FormSplash"));
    setWindowIcon(ui::programIcon());
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QSplashScreen::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // Once the picture is painted.
    QTimer::singleShot(0, this, &SplashWindow::activated);
}

} // namespace vantrel::shell
