#pragma once

#include "ui/MainWindow.h"

#include <QMainWindow>

class QTimer;

namespace vantrel::ui {
class ScreenArea;
}

namespace vantrel::shell {

class FormMain;

// The main window: the navigation window docked at the left and the child
// screens stacked to the right of it. It keeps a minimum size; its start timer
// sizes it, opens the setup menu and shows it.
class MDIFormMain : public QMainWindow, public ui::MainWindow {
    Q_OBJECT
public:
    explicit MDIFormMain(QWidget* parent = nullptr);
    ~MDIFormMain() override;

    // The main window of the running program; nullptr before it is made.
    static MDIFormMain* instance();

    FormMain* navigation() const { return m_navigation; }

    QWidget* widget() override { return this; }
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    QString caption() const override { return windowTitle(); }
    void markNode(const QString& nodeKey) override;
    void minimize() override { showMinimized(); }
    ui::ScreenArea* screenArea() const { return m_area; }

signals:
    // The start timer has done its work: the window shows with the setup menu.
    void started();
    // The user closed the main window and the program is to end.
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void start();
    QSize reachableSize(const QSize& wanted) const;
    void restorePlacement();
    void storePlacement();

    FormMain* m_navigation;
    ui::ScreenArea* m_area;
    QTimer* m_startTimer;
    // Closed while the maintenance window stayed: showing it again starts it anew.
    bool m_closedBehindMaintenance = false;
    bool m_placed = false;
};

} // namespace vantrel::shell
