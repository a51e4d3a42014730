#include "shell/SplashWindow.h"

#include "shell/ShellResources.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace vantrel::shell {

namespace {

QPixmap splashPicture()
{
    ensureShellResources();
    QSvgRenderer renderer(QStringLiteral(":/shell/icons/splash.svg"));
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
    setWindowIcon(programIcon());
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
