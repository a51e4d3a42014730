#pragma once

class QToolBar;
class QWidget;

namespace vantrel::products {

// The tool bar Toolbar1 with "Copy", "Cut", "Undo" and "Paste" for the box of
// the screen that has the focus.
QToolBar* makeEditingToolBar(QWidget* screen);

} // namespace vantrel::products
