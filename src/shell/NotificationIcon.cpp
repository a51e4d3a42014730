#include "shell/NotificationIcon.h"

namespace vantrel::shell {

namespace {

std::optional<bool>& availabilityOverride()
{
    static std::optional<bool> available;
    return available;
}

} // namespace

NotificationIcon::NotificationIcon(const QIcon& icon, const QString& tip, QObject* parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(icon, this))
{
    m_icon->setObjectName(QStringLiteral("NotificationIcon"));
    m_icon->setToolTip(tip);
    connect(m_icon, &QSystemTrayIcon::activated, this, &NotificationIcon::activated);
}

NotificationIcon::~NotificationIcon()
{
    m_icon->hide();
}

bool NotificationIcon::isAvailable()
{
    return availabilityOverride().value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void NotificationIcon::setAvailableForTesting(std::optional<bool> available)
{
    availabilityOverride() = available;
}

bool NotificationIcon::show()
{
    if (!isAvailable())
        return false;
    m_icon->show();
    return true;
}

void NotificationIcon::remove()
{
    m_icon->hide();
}

bool NotificationIcon::isShown() const
{
    return m_icon->isVisible();
}

void NotificationIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        emit leftClicked();
    else if (reason == QSystemTrayIcon::Context)
        emit rightClicked();
}

} // namespace vantrel::shell
