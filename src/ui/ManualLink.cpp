#include "ui/ManualLink.h"

#include "ui/HelpKey.h"
#include "ui/ManualPages.h"
#include "ui/Viewers.h"

#include <QPushButton>

namespace vantrel::ui {

ManualLink::ManualLink(QWidget* screen)
    : QObject(screen)
    , m_screen(screen)
    , m_button(new QPushButton(QStringLiteral("Help (F1)"), screen))
    , m_page(manualPageOf(screen->objectName()))
{
    Q_ASSERT_X(m_page > 0, "ManualLink", "the screen has no page in the manual");
    m_button->setObjectName(QStringLiteral("CommandHelp"));
    connect(m_button, &QPushButton::clicked, this, &ManualLink::open);
    new HelpKey(screen, [this] { open(); });
}

void ManualLink::open()
{
    Viewers::openManual(m_screen, m_page);
}

} // namespace vantrel::ui
