#include "mastertables/FormFindandReplace.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/Screens.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::mastertables {

namespace {

QString peopleSource(FormFindandReplace::PersonList list)
{
    return list == FormFindandReplace::PersonList::SalesPeople
        ? QStringLiteral("SELECT MT12.TEXT01 FROM MT12 ORDER BY MT12.TEXT01")
        : QStringLiteral("SELECT MT13.TEXT01 FROM MT13 ORDER BY MT13.TEXT01");
}

QString companyColumn(FormFindandReplace::PersonList list)
{
    return list == FormFindandReplace::PersonList::SalesPeople ? QStringLiteral("TEXT18")
                                                               : QStringLiteral("TEXT19");
}

// One statement, so a failure leaves every company as it was.
bool replaceInCompanies(
    const QString& column, const QString& person, const QString& replacement, QString* error)
{
    data::Database db;
    if (!data::openBusinessDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    const QVariant newValue = replacement.isEmpty() ? QVariant() : QVariant(replacement);
    // Text columns compare without regard to case; a person's name must match exactly.
    // Nothing picked matches the companies that have nobody in the column.
    const bool done = person.isEmpty()
        ? db.execute(
            QStringLiteral("UPDATE TABLE01 SET %1 = ? WHERE %1 IS NULL OR %1 = ''").arg(column),
            { newValue })
        : db.execute(
            QStringLiteral("UPDATE TABLE01 SET %1 = ? WHERE %1 = ? COLLATE BINARY").arg(column),
            { newValue, person });
    if (!done)
        *error = db.lastError();
    return done;
}

} // namespace

FormFindandReplace::FormFindandReplace(QWidget* parent)
    : QWidget(parent)
    , m_people(new data::BoundView(this))
    , m_heading(new QLabel(this))
    , m_find(new QComboBox(this))
    , m_replace(new QComboBox(this))
    , m_findText(new QLineEdit(this))
    , m_replaceText(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FormFindandReplace"));
    setWindowTitle(QStringLiteral("Replace"));
    m_people->setObjectName(QStringLiteral("Data1"));
    m_find->setObjectName(QStringLiteral("DBComboFind"));
    m_find->setPlaceholderText(QStringLiteral("Person to Replace..."));
    m_replace->setObjectName(QStringLiteral("DBComboReplace"));
    m_replace->setPlaceholderText(QStringLiteral("Replace with..."));
    m_findText->setObjectName(QStringLiteral("TextFind"));
    m_replaceText->setObjectName(QStringLiteral("TextReplace"));
    for (QLineEdit* text : { m_findText, m_replaceText })
        text->setReadOnly(true);
    auto* replaceButton = new QPushButton(QStringLiteral("&Replace"), this);
    replaceButton->setObjectName(QStringLiteral("CommandFindReplace"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Find"), this), 0, 0);
    fields->addWidget(m_find, 0, 1);
    fields->addWidget(m_findText, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("Replace"), this), 1, 0);
    fields->addWidget(m_replace, 1, 1);
    fields->addWidget(m_replaceText, 1, 2);
    fields->addWidget(replaceButton, 2, 1, Qt::AlignLeft);
    fields->setColumnMinimumWidth(1, 220);
    fields->setColumnMinimumWidth(2, 220);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(fields);
    layout->addStretch();

    connect(m_find, &QComboBox::activated, this,
        [this] { m_findText->setText(m_find->currentText()); });
    connect(m_replace, &QComboBox::activated, this,
        [this] { m_replaceText->setText(m_replace->currentText()); });
    connect(replaceButton, &QPushButton::clicked, this, &FormFindandReplace::replace);
}

bool FormFindandReplace::setPersonList(PersonList list, QString* error)
{
    m_list = list;
    m_heading->setText(list == PersonList::SalesPeople
            ? QStringLiteral("Replace a sales person in every company")
            : QStringLiteral("Replace a sales manager in every company"));
    bool loaded = m_people->database() || m_people->openDatabase(QStringLiteral("CONTACT.mdb"));
    if (loaded) {
        m_people->setRecordSource(peopleSource(list));
        loaded = m_people->refresh();
    }
    if (!loaded)
        *error = m_people->lastError();
    fillCombos();
    return loaded;
}

void FormFindandReplace::fillCombos()
{
    QStringList people;
    const int column = m_people->fieldIndex(QStringLiteral("TEXT01"));
    for (int row = 0; column >= 0 && row < m_people->rowCount(); ++row)
        people.append(m_people->valueAt(row, column).toString());
    for (QComboBox* combo : { m_find, m_replace }) {
        combo->clear();
        combo->addItems(people);
        combo->setCurrentIndex(-1);
    }
    m_findText->clear();
    m_replaceText->clear();
}

void FormFindandReplace::replace()
{
    QString error;
    {
        platform::BusyCursor busy;
        if (!replaceInCompanies(
                companyColumn(m_list), m_findText->text(), m_replaceText->text(), &error)) {
            platform::MessageBox::error(this, error);
            return;
        }
    }
    platform::MessageBox::show(this,
        m_find->currentText() + QStringLiteral(" has been replaced by ") + m_replace->currentText(),
        platform::MessageBox::Icon::None);
    // The record screens show the new names once they are made afresh.
    ui::Screens::close(QStringLiteral("FormCompanies"));
    ui::Screens::close(QStringLiteral("FormArchive"));
    close();
}

} // namespace vantrel::mastertables
