#pragma once

#include <QPointer>
#include <QWidget>

namespace vantrel::ui {

// The part of the main window right of the navigation window. Child screens lie
// on top of each other here, each filling the area; the one last brought to
// front or focused is in front.
class ScreenArea : public QWidget {
    Q_OBJECT
public:
    explicit ScreenArea(QWidget* parent = nullptr);
    ~ScreenArea() override;

    void adopt(QWidget* screen);
    void bringToFront(QWidget* screen);
    // The screen that was activated last, if it still exists.
    QWidget* activeScreen() const { return m_active; }

    // What the screen in front needs: a scroll area around the screen area
    // scrolls a screen larger than the window instead of cutting it off.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* screen);
    void activate(QWidget* screen);
    void focusChanged(QWidget* old, QWidget* now);
    QWidget* screenOf(QWidget* widget) const;
    QWidget* frontScreen() const;

    QPointer<QWidget> m_active;
};

} // namespace vantrel::ui
