#include "ShellFakes.h"

#include "data/Database.h"

#include <QCheckBox>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::test {

void FakeCompanyScreen::standOn(
    const QVariant& companyKey, const QString& name, const QString& accountNumber)
{
    key = companyKey;
    values = { { QStringLiteral("TEXT01"), name }, { QStringLiteral("TEXT02"), accountNumber } };
}

bool FakeCompanyScreen::setLastVisited(const QDate& date)
{
    values.insert(QStringLiteral("DATE01"), date);
    return true;
}

bool FakeCompanyScreen::setAppointmentNote(const QString& note)
{
    values.insert(QStringLiteral("TEXT21"), note);
    return true;
}

bool FakeCompanyScreen::setNotes(const QString& notes)
{
    values.insert(QStringLiteral("MEMO01"), notes);
    return true;
}

bool FakeCompanyScreen::setCompanyDetails(const QString& details)
{
    values.insert(QStringLiteral("MEMO02"), details);
    return true;
}

FakeRecordScreen::FakeRecordScreen(const QString& file)
    : databaseFile(file)
{
    auto* layout = new QVBoxLayout(this);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("DBListSelect"));
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("FrameActivities"));
    auto* button = new QPushButton(QStringLiteral("New"), this);
    button->setObjectName(QStringLiteral("CommandNew"));
    layout->addWidget(list);
    layout->addWidget(frame);
    layout->addWidget(button);
}

bool FakeRecordScreen::showRecords(const ui::RecordQuery& query, QString* error)
{
    ++queries;
    columns.clear();
    rows.clear();
    if (!failWith.isEmpty()) {
        *error = failWith;
        return false;
    }
    data::Database db;
    data::QueryResult result;
    if (!db.open(databaseFile) || !db.query(query.sql, query.parameters, &result)) {
        *error = db.lastError();
        return false;
    }
    columns = result.columns;
    rows = result.rows;
    return true;
}

QVariantList FakeRecordScreen::column(const QString& name) const
{
    QVariantList values;
    const int index = columns.indexOf(name);
    for (const QVariantList& row : rows)
        values.append(row.value(index));
    return values;
}

FakeActivatedScreen::FakeActivatedScreen()
{
    auto* layout = new QVBoxLayout(this);
    auto* box = new QCheckBox(QStringLiteral("Option"), this);
    box->setObjectName(QStringLiteral("Option"));
    layout->addWidget(box);
}

} // namespace vantrel::test
