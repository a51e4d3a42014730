#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <optional>

namespace vantrel::shell {

// The program's icon in the desktop's notification area, shown while the main
// window hides there.
class NotificationIcon : public QObject {
    Q_OBJECT
public:
    NotificationIcon(const QIcon& icon, const QString& tip, QObject* parent = nullptr);
    ~NotificationIcon() override;

    // Whether the desktop has a notification area; tests decide it themselves.
    static bool isAvailable();
    static void setAvailableForTesting(std::optional<bool> available);

    // False, and nothing shown, when the desktop has no notification area.
    bool show();
    void remove();
    bool isShown() const;

signals:
    void leftClicked();
    void rightClicked();

private:
    void activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* m_icon;
};

} // namespace vantrel::shell
