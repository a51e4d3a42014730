#pragma once

#include "activities/CallReportHeader.h"
#include "office/WordProcessor.h"
#include "ui/ActivatedScreen.h"

#include <QPointer>
#include <QWidget>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListView;
class QListWidget;
class QListWidgetItem;
class QModelIndex;
class QPushButton;
class QTextEdit;

namespace vantrel::ui {
class AutoSave;
}

namespace vantrel::ui {
class CompanyAccess;
}
namespace vantrel::data {
class BoundView;
}
namespace vantrel::ui {
class HintLine;
class LoadIndicator;
} // namespace vantrel::ui

namespace vantrel::ui {
}

namespace vantrel::activities {

// Records a contact with the current company: four steps (method, time, date,
// persons contacted) in one place, each adding a line to the report's header;
// then "&Go" starts the report on the letterhead in the word processor, keeps
// its working file saved every second and lets the company's call reports ask
// whether to store it. A meeting sets the company's date last visited and
// offers the meeting reminder.
class FormCreateCallReport : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormCreateCallReport(QWidget* parent = nullptr);

    // Contacts and header are taken afresh from the current company; the steps
    // stay where the user left them.
    void screenActivated() override;

    const CallReportHeader& header() const { return m_header; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildMethodFrame();
    QGroupBox* buildTimeFrame();
    QGroupBox* buildDateFrame();
    QGroupBox* buildContactsFrame();
    QGroupBox* buildHeaderFrame();
    void declareHints();

    void pickMethod(QListWidgetItem* item);
    void pickTime(int index);
    void changeFormat(bool twentyFourHours);
    void pickDate(const QDate& date);
    void pickPerson(const QModelIndex& index);
    void startWriting();
    bool openReport(QString* error);
    bool writeDocument(office::WordProcessor::Instance* document, QString* error);
    void offerReminder(bool meeting);
    void keepReminderClearOfTheQuestion();

    void loadContacts();
    void showContactsFailure(const QString& error);
    void showHeader();
    bool isMeeting() const;
    ui::CompanyAccess* company() const;
    QString companyName() const;

    CallReportHeader m_header;
    ui::HintLine* m_hints;
    ui::LoadIndicator* m_loading;
    data::BoundView* m_contacts;
    QGroupBox* m_frameMethod = nullptr;
    QGroupBox* m_frameTime = nullptr;
    QGroupBox* m_frameDate = nullptr;
    QGroupBox* m_frameContacts = nullptr;
    QListWidget* m_methods = nullptr;
    QComboBox* m_times = nullptr;
    QLineEdit* m_time = nullptr;
    QCheckBox* m_format = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QListView* m_names = nullptr;
    QPushButton* m_go = nullptr;
    QTextEdit* m_headerView = nullptr;
    QPointer<ui::AutoSave> m_autoSave;
};

} // namespace vantrel::activities
