#include "ui/EditToolBar.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>

#include <utility>

namespace vantrel::ui {

namespace {

void sendToFocused(QWidget* screen, const char* method)
{
    // Boxes of every kind have these as slots; other controls just do not react.
    QWidget* focused = QApplication::focusWidget();
    if (!focused || !screen->isAncestorOf(focused))
        return;
    if (focused->metaObject()->indexOfSlot(QByteArray(method).append("()").constData()) >= 0)
        QMetaObject::invokeMethod(focused, method);
}

} // namespace

QToolBar* makeEditToolBar(QWidget* screen)
{
    auto* bar = new QToolBar(screen);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<const char*, const char*> keys[]
        = { { "Copy", "copy" }, { "Cut", "cut" }, { "Undo", "undo" }, { "Paste", "paste" } };
    for (const auto& [key, method] : keys) {
        QAction* action = bar->addAction(QLatin1String(key));
        action->setObjectName(QLatin1String(key));
        QObject::connect(action, &QAction::triggered, screen,
            [screen, method = method] { sendToFocused(screen, method); });
    }
    return bar;
}

} // namespace vantrel::ui
