#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace vantrel::shell {
class MDIFormMain;
}

namespace vantrel::tools {

// One picture of the presentation: the main window with one screen in front.
struct ScreenShot {
    QString name; // the picture's file name without ".png"
    QString screen; // the screen in front
    QString shows; // a text that the screen must show, of the sample data where it has any
    std::function<void(shell::MDIFormMain&)> open;
};

// The pictures in the order of the slides.
const QList<ScreenShot>& screenShots();

// Walks through the real main window as a user would, in the working folder
// (which must hold the program's databases), and grabs it at the given size
// once each screen is in front and shows its sample text. Message boxes are
// answered and make the walk fail with their text, as does a screen that does
// not open or shows nothing of the sample data; the error names the screen.
// Needs a composed QApplication.
bool takeScreenShots(
    const QList<ScreenShot>& shots, const QSize& size, QList<QImage>* images, QString* error);

} // namespace vantrel::tools
