#include "companies/FormImport.h"

#include "companies/ContactExchange.h"
#include "companies/OpenFileChooser.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::companies {

FormImport::FormImport(QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_message(new QLabel(this))
    , m_guard(new QLineEdit(this))
    , m_import(new QPushButton(QStringLiteral("&Import"), this))
    , m_yes(new QPushButton(QStringLiteral("&Yes"), this))
    , m_no(new QPushButton(QStringLiteral("&No"), this))
{
    setObjectName(QStringLiteral("FormImport"));
    setWindowTitle(QStringLiteral("Import from MS-Outlook"));
    resize(ui::twipsToPixels(QSize(3200, 2000), this));
    m_message->setObjectName(QStringLiteral("Label1"));
    m_message->setWordWrap(true);
    m_guard->setObjectName(QStringLiteral("Text09"));
    m_guard->hide();
    m_guard->setText(guard());
    m_import->setObjectName(QStringLiteral("CommandImport"));
    m_yes->setObjectName(QStringLiteral("CommandYes"));
    m_no->setObjectName(QStringLiteral("CommandNo"));
    m_yes->hide();
    m_no->hide();
    auto* manual = new ui::ManualLink(this);
    connect(m_import, &QPushButton::clicked, this, &FormImport::import);
    connect(m_yes, &QPushButton::clicked, this, &FormImport::confirmYes);
    connect(m_no, &QPushButton::clicked, this, &FormImport::confirmNo);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_import);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addWidget(manual->button());
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addLayout(buttons);
}

FormImport::~FormImport()
{
    dropContacts();
}

QString FormImport::guard()
{
    data::Database db;
    if (!data::openUserDatabase(db))
        return {};
    return data::displayText(
        db.scalar(QStringLiteral("SELECT TEXT09 FROM TABLE01 ORDER BY AUTONUMBER LIMIT 1")));
}

bool FormImport::storeGuard(const QString& value, QString* error)
{
    data::Database db;
    bool stored = data::openUserDatabase(db);
    if (stored && !db.scalar(QStringLiteral("SELECT 1 FROM TABLE01 LIMIT 1")).isValid())
        stored = db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT09) VALUES (?)"), { value });
    else if (stored)
        stored = db.execute(QStringLiteral("UPDATE TABLE01 SET TEXT09 = ? WHERE AUTONUMBER = "
                                           "(SELECT MIN(AUTONUMBER) FROM TABLE01)"),
            { value });
    if (!stored)
        *error = db.lastError();
    return stored;
}

void FormImport::grow()
{
    resize(ui::twipsToPixels(QSize(4845, 3405), this));
}

void FormImport::import()
{
    const QString path = OpenFileChooser::openFileName(this,
        QStringLiteral("Choose the address book exported from your mail program"), QDir::homePath(),
        { QStringLiteral("Address books (*.csv *.vcf *.vcard)"), QStringLiteral("All files (*)") });
    if (!path.isEmpty())
        importFile(path);
}

bool FormImport::importFile(const QString& path)
{
    grow();
    QString error;
    bool loaded = false;
    {
        platform::BusyCursor busy;
        QList<ContactExchange::ImportRow> rows;
        data::Database db;
        loaded = ContactExchange::readAddressBook(path, &rows, &error);
        if (loaded && !data::openBusinessDatabase(db)) {
            error = db.lastError();
            loaded = false;
        }
        if (loaded) {
            m_dropped = false;
            loaded = ContactExchange::loadContactsTable(db, rows, &error);
        }
    }
    // Nothing was stored: the user may choose another file.
    if (!loaded) {
        platform::MessageBox::error(this, error);
        return false;
    }
    const QString current = m_guard->text();
    if (current.isEmpty()) {
        if (!insertCompanies(&error)) {
            platform::MessageBox::error(this, error);
            close();
            return true;
        }
        m_import->setEnabled(false);
        m_message->setText(QStringLiteral(
            "All records successfully imported! Go to 'Companies' and select 'Display All "
            "Companies' to view the information that has been imported."));
    }
    else if (current == u"1") {
        m_message->setText(QStringLiteral("You have already imported data from MS-Outlook. ")
            + QStringLiteral("Performing this operation again from the same MS-Outlook program "
                             "will cause duplicates to be created. ")
            + QStringLiteral("Are you sure you want to continue?"));
        m_yes->show();
        m_no->show();
        m_no->setFocus();
    }
    return true;
}

bool FormImport::insertCompanies(QString* error)
{
    data::Database db;
    int added = 0;
    if (!data::openBusinessDatabase(db)) {
        *error = db.lastError();
        return false;
    }
    if (!ContactExchange::insertCompanies(db, &added, error))
        return false;
    m_guard->setText(QStringLiteral("1"));
    // The companies are in; a guard that cannot be stored only loses the next question.
    QString guardError;
    storeGuard(m_guard->text(), &guardError);
    return true;
}

void FormImport::confirmYes()
{
    QString error;
    if (!insertCompanies(&error)) {
        m_message->setText(QStringLiteral("The records could not be imported: ") + error);
        platform::MessageBox::error(this, error);
        return;
    }
    m_import->setEnabled(false);
    m_message->setText(QStringLiteral("All records successfully imported!"));
    m_yes->hide();
    m_no->hide();
}

void FormImport::confirmNo()
{
    close();
}

void FormImport::dropContacts()
{
    if (m_dropped)
        return;
    m_dropped = true;
    data::Database db;
    if (data::openBusinessDatabase(db))
        ContactExchange::dropContactsTable(db);
}

void FormImport::closeEvent(QCloseEvent* event)
{
    dropContacts();
    QWidget::closeEvent(event);
}

} // namespace vantrel::companies
