#pragma once

#include "ui/ActivatedScreen.h"
#include "ui/CompanyAccess.h"
#include "ui/RecordScreen.h"

#include <QHash>

class QComboBox;
class QHBoxLayout;
class QRadioButton;

namespace vantrel::data {
class BoundView;
class BoundViewModel;
} // namespace vantrel::data

namespace vantrel::ui {
class HintLine;
}

namespace vantrel::companies {

// The companies screen and the archive screen: TABLE01's rows of one record
// state ("Company" or "Archive"), all of them or those of one sales person (the
// choice both screens share in User.mdb), one company at a time with its days
// overdue recomputed when it is shown.
class CompanyRecordScreen : public ui::RecordScreen,
                            public ui::CompanyAccess,
                            public ui::ActivatedScreen {
    Q_OBJECT
public:
    CompanyRecordScreen(const QString& name, const QString& recordState, QWidget* parent = nullptr);

    QString recordState() const { return m_recordState; }
    // Runs the list query again ("All Companies" or the chosen sales person).
    bool reloadList();
    // "All Companies" or a sales person's name; stored in User.mdb and the list reloaded.
    bool setListChoice(const QString& choice);
    QString listChoice() const;

    // The text Google Maps puts on the clipboard: street, second street line and city.
    QString mapAddress() const;
    // The website as an http(s) address; a bare host gets http://.
    static bool websiteUrl(const QString& text, QUrl* url, QString* error);

    QVariant companyKey() const override;
    QVariant companyValue(const QString& column) const override;
    quint64 companyEntry() const override;
    QVariant companyKeyOf(quint64 entry) const override;
    bool storeCompany(QString* error) override;
    bool setLastVisited(const QDate& date) override;
    bool setAppointmentNote(const QString& note) override;
    bool setNotes(const QString& notes) override;
    bool setCompanyDetails(const QString& details) override;

    void screenActivated() override;

protected:
    ui::HintLine* hints() const { return m_hints; }
    QString companyName() const;
    enum class Place { First, BeforePrint, Last };
    // Adds a button to the row of Edit and Print.
    void addCommand(QPushButton* button, Place place);
    void addLinkCommand(QPushButton* button);
    // Stores the current row; a failure is shown.
    bool storeRow();
    // The screen whose list gains or loses a company when this one moves it.
    void reloadOtherScreen(const QString& name);

private:
    bool writeBack(const QString& column, const QVariant& value);
    // Stores the current row and keeps the list in name order; false with the engine's error.
    bool storeAndSort(QString* error);
    void buildFields();
    void buildListChoice();
    void fillNames();
    void declareHints();
    void pickCompany(int index);
    void chooseAll();
    void chooseMine();
    void pickName(int index);
    void showCompany();
    void recomputeDaysOverdue();
    void updateInformation();
    void visitWebsite();
    void locateOnMap();
    void zoom(const QString& field);
    void print();
    void followNewEntry();

    QString m_recordState;
    data::BoundView* m_userView;
    data::BoundViewModel* m_companies;
    ui::HintLine* m_hints;
    QComboBox* m_select = nullptr;
    QLabel* m_information = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_mine = nullptr;
    QLabel* m_nameLabel = nullptr;
    QComboBox* m_name = nullptr;
    QHBoxLayout* m_commands = nullptr;
    QHBoxLayout* m_links = nullptr;
    QPushButton* m_print = nullptr;
    // The add-new row on show (0 when none) and the keys new rows got when stored.
    quint64 m_newEntry = 0;
    quint64 m_lastEntry = 0;
    QHash<quint64, QVariant> m_storedEntries;
};

} // namespace vantrel::companies
