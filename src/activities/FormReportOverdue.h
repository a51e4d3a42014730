#pragma once

#include <QWidget>

#include <memory>

class QLabel;
class QTableView;
class QThread;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::platform {
class BusyCursor;
}

namespace vantrel::activities {

// The active companies with which a meeting is overdue. The days overdue are
// brought up to date first, away from the screen's thread so that the program
// stays usable meanwhile; the companies still overdue are then listed by name.
class FormReportOverdue : public QWidget {
    Q_OBJECT
public:
    explicit FormReportOverdue(QWidget* parent = nullptr);
    ~FormReportOverdue() override;

    bool isListed() const { return m_listed; }
    data::BoundView* rows() const { return m_rows; }

signals:
    void listed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void calculate();
    void showList();
    void placeGrid();
    int twipsToPixels(int twips) const;

    data::BoundView* m_rows;
    QLabel* m_calculating;
    QTableView* m_grid;
    QThread* m_worker = nullptr;
    std::unique_ptr<platform::BusyCursor> m_busy;
    bool m_listed = false;
};

} // namespace vantrel::activities
