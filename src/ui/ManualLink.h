#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace vantrel::ui {

// A screen's link into the user manual: the button CommandHelp ("Help (F1)") and
// the F1 key open the manual viewer at the screen's page. The page comes from
// manualPages() by the screen's objectName, so set that first.
class ManualLink : public QObject {
    Q_OBJECT
public:
    explicit ManualLink(QWidget* screen);

    // The screen puts the button into its layout.
    QPushButton* button() const { return m_button; }
    int page() const { return m_page; }

    void open();

private:
    QWidget* m_screen;
    QPushButton* m_button;
    int m_page;
};

} // namespace vantrel::ui
