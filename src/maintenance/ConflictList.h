#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vantrel::maintenance {

// The conflicts of this workstation's last synchronization: which value of a
// row changed on both sides was kept and which one lost, so that the user can
// carry a lost value over by hand. Shown only while there are any; the user
// clears them once read.
class ConflictList : public QGroupBox {
    Q_OBJECT
public:
    explicit ConflictList(QWidget* parent = nullptr);

    // Reads the conflicts again.
    void refresh();

private:
    void clearConflicts();

    QLabel* m_explanation;
    QTableWidget* m_grid;
    QPushButton* m_clear;
};

} // namespace vantrel::maintenance
