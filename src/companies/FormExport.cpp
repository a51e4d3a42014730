#include "companies/FormExport.h"

#include "companies/ContactExchange.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::companies {

FormExport::FormExport(QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_names(new QComboBox(this))
    , m_export(new QPushButton(QStringLiteral("&Export"), this))
    , m_done(new QLabel(this))
{
    setObjectName(QStringLiteral("FormExport"));
    setWindowTitle(QStringLiteral("Export"));
    resize(ui::twipsToPixels(QSize(5000, 2000), this));
    auto* caption = new QLabel(QStringLiteral("Select your Name..."), this);
    caption->setObjectName(QStringLiteral("Label1"));
    m_names->setObjectName(QStringLiteral("DBComboName"));
    m_export->setObjectName(QStringLiteral("CommandExport"));
    m_export->setEnabled(false);
    m_done->setObjectName(QStringLiteral("LabelDone"));
    auto* manual = new ui::ManualLink(this);

    data::Database db;
    data::QueryResult people;
    if (data::openBusinessDatabase(db)
        && db.query(QStringLiteral("SELECT TEXT01 FROM MT12 ORDER BY TEXT01"), {}, &people)) {
        for (const QVariantList& row : people.rows)
            m_names->addItem(data::displayText(row.value(0)));
    }
    m_names->setCurrentIndex(-1);
    connect(m_names, &QComboBox::activated, this,
        [this](int index) { chooseName(m_names->itemText(index)); });
    connect(m_export, &QPushButton::clicked, this, &FormExport::exportContacts);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(manual->button());
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_names);
    layout->addLayout(buttons);
    layout->addWidget(m_done);
    layout->addStretch();
}

QString FormExport::csvPath()
{
    return QStringLiteral("Temp/Contacts.csv");
}

QString FormExport::vCardPath()
{
    return QStringLiteral("Temp/Contacts.vcf");
}

void FormExport::chooseName(const QString& name)
{
    m_name = name;
    m_names->setCurrentText(name);
    m_export->setEnabled(true);
}

void FormExport::exportContacts()
{
    QString error;
    bool written = false;
    {
        platform::BusyCursor busy;
        data::Database db;
        QList<ContactExchange::ExportRow> rows;
        if (!data::openBusinessDatabase(db)) {
            error = db.lastError();
        }
        else {
            // A table left by an import that never finished is no longer wanted.
            ContactExchange::dropContactsTable(db);
            written = ContactExchange::exportRows(db, m_name, &rows, &error)
                && QDir().mkpath(QStringLiteral("Temp"))
                && ContactExchange::writeExport(rows, csvPath(), vCardPath(), &error);
            if (!written && error.isEmpty())
                error = QStringLiteral("The folder Temp cannot be made.");
        }
    }
    if (!written) {
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::None);
        return;
    }
    m_export->setEnabled(false);
    m_done->setText(QStringLiteral("All contacts successfully exported!"));
}

} // namespace vantrel::companies
