#pragma once

#include "ui/ActivatedScreen.h"

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::activities {

// Narrows the call reports of all companies to a range of days and, if the
// user likes, to one sales person and one company, and shows the result on
// the all-reports screen. The first day clicked on the calendar starts the
// range, the second ends it.
class FormReportFilter : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormReportFilter(QWidget* parent = nullptr);

    void pickDay(const QDate& day);
    // Hands the filtered reports to FormAllCallReports and closes this screen;
    // without both dates the user is told and the screen stays.
    void applyFilter();

    // The lists are fed by the master tables and the companies screen, which
    // may have changed them since.
    void screenActivated() override;

private:
    QWidget* buildChoices();
    void declareHints();
    void loadLists();
    QString companyPattern() const;
    QString salesPersonPattern() const;

    data::BoundView* m_salesPeople;
    data::BoundView* m_companies;
    QCalendarWidget* m_calendar = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_until = nullptr;
    QComboBox* m_salesPersonList = nullptr;
    QComboBox* m_companyList = nullptr;
    QLineEdit* m_salesPerson = nullptr;
    QLineEdit* m_company = nullptr;
    QPushButton* m_filter = nullptr;
};

} // namespace vantrel::activities
