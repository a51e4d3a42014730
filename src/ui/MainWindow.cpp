#include "ui/MainWindow.h"

namespace vantrel::ui {

namespace {

MainWindow*& registered()
{
    static MainWindow* window = nullptr;
    return window;
}

} // namespace

MainWindow* MainWindow::instance()
{
    return registered();
}

void MainWindow::setInstance(MainWindow* window)
{
    registered() = window;
}

} // namespace vantrel::ui
