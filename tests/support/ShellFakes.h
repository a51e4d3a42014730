#pragma once

#include "ui/ActivatedScreen.h"
#include "ui/CompanyAccess.h"
#include "ui/RecordViewScreen.h"

#include <QList>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <QWidget>

namespace vantrel::test {

// Stands in for the companies or archive screen: it stands on the company it is
// given (TEXT01 the name, TEXT02 the account number) and keeps what is written back.
class FakeCompanyScreen : public QWidget, public ui::CompanyAccess {
    Q_OBJECT
public:
    void standOn(const QVariant& companyKey, const QString& name, const QString& accountNumber);

    QVariant companyKey() const override { return key; }
    QVariant companyValue(const QString& column) const override { return values.value(column); }
    bool setLastVisited(const QDate& date) override;
    bool setAppointmentNote(const QString& note) override;
    bool setNotes(const QString& notes) override;
    bool setCompanyDetails(const QString& details) override;

    QVariant key;
    QVariantMap values;
};

// A record screen that runs the query it is given on a real database file and
// keeps the rows; it carries the controls that the contacts and projects views
// switch (DBListSelect, FrameActivities, CommandNew).
class FakeRecordScreen : public QWidget, public ui::RecordViewScreen {
    Q_OBJECT
public:
    explicit FakeRecordScreen(const QString& databaseFile = QStringLiteral("CONTACT.mdb"));

    bool showRecords(const ui::RecordQuery& query, QString* error) override;
    // Values of one column of the rows shown.
    QVariantList column(const QString& name) const;

    QString databaseFile;
    QString failWith; // when set, showRecords fails with this description
    int queries = 0;
    QStringList columns;
    QList<QVariantList> rows;
};

// A child screen that counts its activations.
class FakeActivatedScreen : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    FakeActivatedScreen();
    void screenActivated() override { ++activations; }

    int activations = 0;
};

} // namespace vantrel::test
