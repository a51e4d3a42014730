#include "ui/OfficeWindows.h"

#include "ui/MailWindow.h"
#include "ui/WordWindow.h"

#include <QApplication>
#include <QPointer>

namespace vantrel::ui {

bool closeOfficeWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()
            && (qobject_cast<WordWindow*>(window) || qobject_cast<MailWindow*>(window)))
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : std::as_const(windows)) {
        if (window && window->isVisible() && !window->close())
            return false;
    }
    return true;
}

} // namespace vantrel::ui
