#pragma once

#include <QVariant>
#include <QWidget>

class QTableView;
class QTimer;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::activities {

// Prints the summary of one company's active projects and their action steps
// once on the default printer, showing the rows while it is built.
class FormProjectSummary : public QWidget {
    Q_OBJECT
public:
    explicit FormProjectSummary(QWidget* parent = nullptr);

    // Starts the start timer for the company of that key.
    void start(const QVariant& companyKey, const QString& companyName);
    // The printing itself, as the start timer runs it; failures stay silent,
    // as nothing is left to do about a summary that did not print.
    void printSummary();

    data::BoundView* rows() const { return m_rows; }

private:
    data::BoundView* m_rows;
    QTableView* m_grid;
    QTimer* m_start;
    QVariant m_companyKey;
    QString m_companyName;
};

} // namespace vantrel::activities
