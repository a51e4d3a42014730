#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace vantrel::ui {

// F1 for one screen: releasing the key while any control of the screen has the
// focus runs the screen's help action.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(QWidget* screen, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_screen;
    std::function<void()> m_action;
};

} // namespace vantrel::ui
