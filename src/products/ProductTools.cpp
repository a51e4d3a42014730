#include "products/ProductTools.h"

#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QWidget>

namespace vantrel::products {

QToolBar* makeEditingToolBar(QWidget* screen)
{
    auto* bar = new QToolBar(screen);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<const char*, const char*> keys[] = { { "Copy", "copy()" }, { "Cut", "cut()" },
        { "Undo", "undo()" }, { "Paste", "paste()" } };
    for (const auto& [key, slot] : keys) {
        QAction* action = bar->addAction(QLatin1String(key));
        action->setObjectName(QLatin1String(key));
        QObject::connect(action, &QAction::triggered, screen, [screen, slot] {
            // Boxes of every kind have these slots; other controls just do not react.
            QWidget* focused = QApplication::focusWidget();
            if (!focused || !screen->isAncestorOf(focused))
                return;
            const QByteArray signature(slot);
            if (focused->metaObject()->indexOfSlot(signature.constData()) >= 0)
                QMetaObject::invokeMethod(
                    focused, signature.left(signature.indexOf('(')).constData());
        });
    }
    return bar;
}

} // namespace vantrel::products
