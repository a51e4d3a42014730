#pragma once

#include "reports/ListReport.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vantrel::reports {

// A list report screen: a check box for each optional column, "Select All" and
// "&Go", which writes the list to a new workbook in the Temp folder, shows it in
// the spreadsheet program and opens the screen afresh with every box cleared.
class FormListReport : public QWidget {
    Q_OBJECT
public:
    explicit FormListReport(const ListReport& report, QWidget* parent = nullptr);

    void selectAll();
    // True when the workbook was saved and handed to the spreadsheet program.
    bool go();
    QList<int> tickedBoxes() const;

private:
    QCheckBox* box(int number) const;
    void advance();

    const ListReport& m_report;
    QList<QCheckBox*> m_boxes;
    QCheckBox* m_selectAll;
    QPushButton* m_go;
    QProgressBar* m_progress;
    QWidget* m_loading;
};

} // namespace vantrel::reports
