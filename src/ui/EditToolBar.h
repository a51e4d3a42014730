#pragma once

class QToolBar;
class QWidget;

namespace vantrel::ui {

// Toolbar1 of the record and report screens: Copy, Cut, Undo and Paste act on
// the box that has the focus, when it lies on the given screen.
QToolBar* makeEditToolBar(QWidget* screen);

} // namespace vantrel::ui
