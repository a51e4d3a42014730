#include "products/FormImportSales.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "office/SpreadsheetProgram.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "products/SalesFigures.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"
#include "ui/Screens.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace vantrel::products {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString columnHint(const char* field)
{
    return QStringLiteral("Enter the name of the column, or first cell in the column, that "
                          "represents ")
        + QLatin1String(field)
        + QStringLiteral(" field in the spreadsheet. It is very important that the correct field "
                         "name is entered. If unsure, click on 'Open' to open the spreadsheet.");
}

} // namespace

FormImportSales::FormImportSales(QWidget* parent)
    : QWidget(parent)
    , m_data(new data::BoundView(this))
    , m_binder(new ui::FieldBinder(m_data, this))
    , m_hints(new ui::HintLine(this))
    , m_files(new QFileSystemModel(this))
    , m_fileList(new QTreeView(this))
    , m_path(new QLineEdit(this))
    , m_date(new QLineEdit(this))
    , m_account(new QLineEdit(this))
    , m_sheet(new QLineEdit(this))
    , m_open(new QPushButton(QStringLiteral("&Open"), this))
    , m_import(new QPushButton(QStringLiteral("&Import"), this))
{
    setObjectName(QStringLiteral("FormImportSales"));
    setWindowTitle(QStringLiteral("Import Sales"));
    m_data->setObjectName(QStringLiteral("DataUser"));
    m_fileList->setObjectName(QStringLiteral("File1"));
    m_path->setObjectName(QStringLiteral("TextPath"));
    m_date->setObjectName(QStringLiteral("TextDate"));
    m_account->setObjectName(QStringLiteral("TextAC"));
    m_sheet->setObjectName(QStringLiteral("TextSheet"));
    m_open->setObjectName(QStringLiteral("CommandOpen"));
    m_import->setObjectName(QStringLiteral("CommandImport"));
    m_open->setEnabled(false);
    m_import->setEnabled(false);

    // The workbooks the reader takes, in place of the drive, folder and file lists.
    m_files->setRootPath(QDir::rootPath());
    m_files->setNameFilters({ QStringLiteral("*.xls"), QStringLiteral("*.xlsx"),
        QStringLiteral("*.ods"), QStringLiteral("*.csv") });
    m_files->setNameFilterDisables(false);
    m_fileList->setModel(m_files);
    m_fileList->setCurrentIndex(m_files->index(data::programFolder()));
    m_fileList->scrollTo(m_fileList->currentIndex());
    m_fileList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_fileList->setMinimumHeight(220);

    auto* label = new QLabel(
        QStringLiteral("Select the MS-Excel spreadsheet that contains your sales figures."), this);
    label->setObjectName(QStringLiteral("Label1"));
    auto* form = new QGridLayout;
    const std::pair<const char*, QLineEdit*> boxes[] = { { "Selected Spreadsheet", m_path },
        { "Date Column", m_date }, { "Account Column", m_account }, { "Sheet Name", m_sheet } };
    int row = 0;
    for (const auto& [caption, box] : boxes) {
        auto* boxLabel = new QLabel(QLatin1String(caption), this);
        boxLabel->setBuddy(box);
        form->addWidget(boxLabel, row, 0);
        form->addWidget(box, row, 1);
        ++row;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_import);
    buttons->addStretch();
    auto* manual = new ui::ManualLink(this);
    buttons->addWidget(manual->button());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_fileList, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_hints->frame());

    m_hints->setHint(m_account, columnHint("the account number"));
    m_hints->setHint(m_date, columnHint("the date"));
    m_hints->setHint(m_sheet,
        QStringLiteral("Enter the name of the worksheet in the spreadsheet. It is very important "
                       "that the correct sheet name is entered. If unsure, click on 'Open' to "
                       "open the spreadsheet."));
    m_hints->setHint(m_open, QStringLiteral("Opens the selected spreadsheet."));
    for (QLineEdit* box : { m_sheet, m_date, m_account })
        box->installEventFilter(this);

    m_binder->bind(m_path, QStringLiteral("TEXT07"));
    m_binder->bind(m_date, QStringLiteral("TEXT08"));
    m_binder->bind(m_account, QStringLiteral("TEXT09"));
    m_binder->bind(m_sheet, QStringLiteral("TEXT10"));
    for (QLineEdit* box : { m_path, m_date, m_account })
        connect(box, &QLineEdit::textChanged, this, &FormImportSales::updateImport);
    connect(m_fileList, &QTreeView::clicked, this, &FormImportSales::fileClicked);
    connect(m_open, &QPushButton::clicked, this, &FormImportSales::openWorkbook);
    connect(m_import, &QPushButton::clicked, this, &FormImportSales::importFigures);

    m_data->setRecordSource(QStringLiteral("SELECT * FROM TABLE02 ORDER BY AUTONUMBER LIMIT 1"));
    if (!m_data->openDatabase(QStringLiteral("User.mdb"))
        || !m_data->setWriteTarget(QStringLiteral("TABLE02")) || !m_data->refresh())
        platform::MessageBox::error(this, m_data->lastError());
    updateImport();
}

void FormImportSales::screenActivated()
{
    updateImport();
}

bool FormImportSales::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter)
        m_open->setEnabled(true);
    return QWidget::eventFilter(watched, event);
}

void FormImportSales::updateImport()
{
    m_import->setEnabled(
        !m_path->text().isEmpty() && !m_date->text().isEmpty() && !m_account->text().isEmpty());
}

void FormImportSales::fileClicked(const QModelIndex& index)
{
    if (index.isValid() && !m_files->isDir(index))
        chooseWorkbook(m_files->filePath(index));
}

void FormImportSales::chooseWorkbook(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!m_data->setValue(QStringLiteral("TEXT07"), shown))
        platform::MessageBox::error(this, m_data->lastError());
    m_path->setText(shown);
    m_import->setEnabled(true);
}

void FormImportSales::openWorkbook()
{
    const QString path = QDir::fromNativeSeparators(m_path->text().trimmed());
    QString error;
    platform::BusyCursor busy;
    QString shown = path;
    // The desktop is handed files of the program folder only; a workbook kept
    // elsewhere is shown as a copy, which is enough to look up its names.
    if (!data::isInsideProgramFolder(path)) {
        QDir().mkpath(QStringLiteral("Temp"));
        shown = QStringLiteral("Temp/") + QFileInfo(path).fileName();
        QFile::remove(shown);
        if (!QFile::copy(path, shown)) {
            platform::MessageBox::show(this,
                QStringLiteral("The spreadsheet '%1' could not be opened.")
                    .arg(QDir::toNativeSeparators(path)),
                platform::MessageBox::Icon::None);
            return;
        }
    }
    if (!office::SpreadsheetProgram::instance().show(shown, &error))
        platform::MessageBox::show(this, error, platform::MessageBox::Icon::None);
}

void FormImportSales::importFigures()
{
    if (m_sheet->text().trimmed().isEmpty() || m_date->text().trimmed().isEmpty()
        || m_account->text().trimmed().isEmpty()) {
        platform::MessageBox::show(this, QStringLiteral("You must complete all fields!"),
            platform::MessageBox::Icon::Information);
        return;
    }
    if (!m_data->update() && m_data->isEdited()) {
        platform::MessageBox::error(this, m_data->lastError());
        return;
    }
    // No view of SALES may stay open while the table is replaced.
    ui::Screens::close(QStringLiteral("FormSales"));
    const SalesSettings settings { QDir::fromNativeSeparators(m_path->text().trimmed()),
        m_date->text(), m_account->text(), m_sheet->text() };
    QString error;
    bool imported = false;
    {
        platform::BusyCursor busy;
        data::Database user;
        if (!data::openUserDatabase(user))
            error = user.lastError();
        else
            imported = importSales(user, settings, &error);
    }
    if (!imported) {
        platform::MessageBox::show(this,
            QStringLiteral("Your sales figures could not be imported.") + crlf + error + crlf
                + QStringLiteral("The sales figures imported before are kept."),
            platform::MessageBox::Icon::Critical);
        return;
    }
    ui::Screens::instance(QStringLiteral("FormSales"));
    setFocus(Qt::OtherFocusReason);
    platform::MessageBox::show(this,
        QStringLiteral("Sales figures have been imported successfully"),
        platform::MessageBox::Icon::None);
}

} // namespace vantrel::products
