#include "shell/ManualLink.h"

#include "shell/FormHelp.h"
#include "shell/HelpKey.h"
#include "shell/ManualPages.h"

#include <QPushButton>

namespace vantrel::shell {

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
    FormHelp::showPage(m_screen, m_page);
}

} // namespace vantrel::shell
