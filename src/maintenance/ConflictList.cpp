#include "maintenance/ConflictList.h"

#include "data/FieldValues.h"
#include "data/SyncConflictLog.h"
#include "platform/MessageBox.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vantrel::maintenance {

namespace {

// The tables by what they hold, so the user recognises the records concerned.
QString tableText(const QString& table)
{
    static const QHash<QString, QString> names {
        { QStringLiteral("TABLE01"), QStringLiteral("Companies") },
        { QStringLiteral("TABLE02"), QStringLiteral("Password") },
        { QStringLiteral("TABLE03"), QStringLiteral("Contacts") },
        { QStringLiteral("TABLE05"), QStringLiteral("Attachments") },
        { QStringLiteral("TABLE06"), QStringLiteral("Projects") },
        { QStringLiteral("TABLE07"), QStringLiteral("Action steps") },
        { QStringLiteral("TABLE08"), QStringLiteral("Call reports") },
        { QStringLiteral("TABLE09"), QStringLiteral("Correspondence") },
        { QStringLiteral("TABLE10"), QStringLiteral("Competitor products") },
        { QStringLiteral("TABLE11"), QStringLiteral("Competition") },
        { QStringLiteral("TABLE13"), QStringLiteral("Price list") },
        { QStringLiteral("MT01"), QStringLiteral("Branches") },
        { QStringLiteral("MT02"), QStringLiteral("Categories") },
        { QStringLiteral("MT03"), QStringLiteral("Divisions") },
        { QStringLiteral("MT04"), QStringLiteral("Industry groups") },
        { QStringLiteral("MT05"), QStringLiteral("Occupations") },
        { QStringLiteral("MT06"), QStringLiteral("Project names") },
        { QStringLiteral("MT08"), QStringLiteral("Regions") },
        { QStringLiteral("MT09"), QStringLiteral("Titles") },
        { QStringLiteral("MT10"), QStringLiteral("Types of company") },
        { QStringLiteral("MT12"), QStringLiteral("Sales people") },
        { QStringLiteral("MT13"), QStringLiteral("Sales managers") },
    };
    const QString name = names.value(table.toUpper());
    return name.isEmpty() ? table : name + QStringLiteral(" (") + table + QLatin1Char(')');
}

QString valueText(const QVariant& value)
{
    const QString text = value.isNull() ? QString() : data::displayText(value);
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
}

} // namespace

ConflictList::ConflictList(QWidget* parent)
    : QGroupBox(QStringLiteral("Conflicts of the last synchronization"), parent)
    , m_explanation(new QLabel(this))
    , m_grid(new QTableWidget(this))
    , m_clear(new QPushButton(QStringLiteral("C&lear Conflicts"), this))
{
    setObjectName(QStringLiteral("FrameConflicts"));
    m_explanation->setObjectName(QStringLiteral("LabelConflicts"));
    m_explanation->setWordWrap(true);
    m_grid->setObjectName(QStringLiteral("GridConflicts"));
    m_clear->setObjectName(QStringLiteral("CommandClearConflicts"));

    m_grid->setColumnCount(7);
    m_grid->setHorizontalHeaderLabels({ QStringLiteral("Table"), QStringLiteral("Record"),
        QStringLiteral("Field"), QStringLiteral("Kept value"), QStringLiteral("Lost value"),
        QStringLiteral("Rule"), QStringLiteral("Time") });
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumHeight(120);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_clear);
    layout->addLayout(buttons);

    connect(m_clear, &QPushButton::clicked, this, &ConflictList::clearConflicts);
    refresh();
}

void ConflictList::refresh()
{
    QList<data::SyncConflict> conflicts;
    QString error;
    m_grid->setRowCount(0);
    if (!data::SyncConflictLog::read(&conflicts, &error)) {
        m_explanation->setText(
            QStringLiteral("The conflicts of the last synchronization could not be read: ")
            + error);
        m_grid->hide();
        m_clear->hide();
        show();
        return;
    }
    setVisible(!conflicts.isEmpty());
    if (conflicts.isEmpty())
        return;
    m_explanation->setText(QStringLiteral(
        "These fields were changed both here and elsewhere before the synchronization. Every "
        "computer now holds the kept value; the lost value is shown here so that you can enter "
        "it again where it was the right one."));
    m_grid->show();
    m_clear->show();
    const QLocale locale;
    m_grid->setRowCount(int(conflicts.size()));
    for (int row = 0; row < conflicts.size(); ++row) {
        const data::SyncConflict& conflict = conflicts.at(row);
        const QStringList cells { tableText(conflict.table), QString::number(conflict.key),
            conflict.column.isEmpty() ? QStringLiteral("(whole record)") : conflict.column,
            valueText(conflict.keptValue), valueText(conflict.lostValue), conflict.rule,
            locale.toString(conflict.time.toLocalTime(), QLocale::ShortFormat) };
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            item->setToolTip(cells.at(column));
            m_grid->setItem(row, column, item);
        }
    }
    m_grid->resizeColumnsToContents();
    // A long memo would push the other columns out of sight; the tool tip shows it whole.
    for (int column = 0; column < m_grid->columnCount(); ++column)
        m_grid->setColumnWidth(column, qMin(m_grid->columnWidth(column), 260));
}

void ConflictList::clearConflicts()
{
    if (!platform::MessageBox::question(this,
            QStringLiteral("The lost values will no longer be kept. Clear the list of conflicts?"),
            platform::MessageBox::No))
        return;
    QString error;
    if (!data::SyncConflictLog::clear(&error)) {
        platform::MessageBox::critical(this, error);
        return;
    }
    refresh();
}

} // namespace vantrel::maintenance
