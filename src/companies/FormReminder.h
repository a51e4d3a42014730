#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel::ui {
class CompanyAccess;
}

namespace vantrel::ui {
class HintLine;
}

namespace vantrel::ui {
}

namespace vantrel::companies {

// Offers a reminder, two days before the next meeting with the company is due,
// as a task in the agenda, and notes the coming appointment in the company.
class FormReminder : public QWidget {
    Q_OBJECT
public:
    // The screen offers CompanyAccess; the reminder is for the company it stands on.
    explicit FormReminder(QWidget* companyScreen, QWidget* parent = nullptr);

private:
    void answerYes();
    void createReminder();
    void chooseDay(const QDate& day);
    ui::CompanyAccess* company() const;
    QString companyName() const;

    QPointer<QWidget> m_screen;
    ui::HintLine* m_hints;
    QLabel* m_question;
    QPushButton* m_yes;
    QPushButton* m_no;
    QCalendarWidget* m_calendar;
    QPushButton* m_go;
    QLineEdit* m_dueDate;
    QLineEdit* m_day;
    QWidget* m_loading;
};

} // namespace vantrel::companies
