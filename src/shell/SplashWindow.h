#pragma once

#include <QSplashScreen>

namespace vantrel::shell {

// The picture shown while the main window loads.
class SplashWindow : public QSplashScreen {
    Q_OBJECT
public:
    SplashWindow();

signals:
    // The window is on the screen; the main window may load now.
    void activated();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_activated = false;
};

} // namespace vantrel::shell
