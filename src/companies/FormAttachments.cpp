#include "companies/FormAttachments.h"

#include "companies/AttachmentFiles.h"
#include "companies/OpenFileChooser.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/FieldValues.h"
#include "data/Schema.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/ManualLink.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel::companies {

namespace {

const QString selectAttachment = QStringLiteral("Select Attachment...");

} // namespace

FormAttachments::FormAttachments(QWidget* parent)
    : QWidget(parent)
    , m_view(new data::BoundView(this))
    , m_model(new data::BoundViewModel(m_view, this))
    , m_binder(new ui::FieldBinder(m_view, this))
    , m_hints(new ui::HintLine(this))
    , m_select(new QLabel(selectAttachment, this))
    , m_list(new QListView(this))
    , m_files(new QListWidget(this))
    , m_name(new QLineEdit(this))
    , m_date(new QLineEdit(this))
    , m_description(new QPlainTextEdit(this))
    , m_new(new QPushButton(QStringLiteral("New Attachment"), this))
    , m_delete(new QPushButton(QStringLiteral("Delete Attachment"), this))
    , m_browse(new QPushButton(QStringLiteral("Attach a File..."), this))
{
    setObjectName(QStringLiteral("FormAttachments"));
    setWindowTitle(QStringLiteral("Attachments"));
    setAcceptDrops(true);
    auto business = std::make_shared<data::Database>();
    if (!data::openBusinessDatabase(*business))
        platform::MessageBox::error(this, business->lastError());
    else
        m_view->setDatabase(business);
    m_view->setObjectName(QStringLiteral("DataTABLE05"));

    m_select->setObjectName(QStringLiteral("LabelSelect"));
    m_list->setObjectName(QStringLiteral("DBList1"));
    m_model->setColumns({ { QStringLiteral("TEXT01"), QStringLiteral("ATTACHMENT") } });
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->hide();
    m_name->setObjectName(QStringLiteral("TEXT01"));
    m_name->setReadOnly(true);
    m_date->setObjectName(QStringLiteral("DATE01"));
    m_date->setReadOnly(true);
    m_description->setObjectName(QStringLiteral("MEMO01"));
    m_binder->bind(m_name, QStringLiteral("TEXT01"));
    m_binder->bind(m_date, QStringLiteral("DATE01"));
    m_binder->bind(m_description, QStringLiteral("MEMO01"));
    m_new->setObjectName(QStringLiteral("CommandNew"));
    m_delete->setObjectName(QStringLiteral("CommandDelete"));
    m_delete->setEnabled(false);
    m_browse->setObjectName(QStringLiteral("CommandBrowse"));
    auto* manual = new ui::ManualLink(this);

    connect(m_list, &QListView::clicked, this,
        [this](const QModelIndex& index) { pickAttachment(index.row()); });
    connect(m_list, &QListView::doubleClicked, this,
        [this](const QModelIndex& index) { openAttachment(index.row()); });
    connect(m_list, &QListView::activated, this,
        [this](const QModelIndex& index) { pickAttachment(index.row()); });
    connect(m_files, &QListWidget::itemClicked, this,
        [this](QListWidgetItem* item) { attachFile(item->text()); });
    connect(m_new, &QPushButton::clicked, this, &FormAttachments::newAttachment);
    connect(m_delete, &QPushButton::clicked, this, &FormAttachments::deleteAttachment);
    connect(m_browse, &QPushButton::clicked, this, &FormAttachments::chooseFileToCopy);

    auto* fields = new QGridLayout;
    const auto caption = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(name));
        return label;
    };
    fields->addWidget(caption("Label1", QStringLiteral("Attachment")), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(caption("Label2", QStringLiteral("Date")), 1, 0);
    fields->addWidget(m_date, 1, 1);
    fields->addWidget(caption("Label3", QStringLiteral("Description")), 2, 0, Qt::AlignTop);
    fields->addWidget(m_description, 2, 1);
    auto* buttons = new QHBoxLayout;
    for (QWidget* button : { static_cast<QWidget*>(m_new), static_cast<QWidget*>(m_browse),
             static_cast<QWidget*>(m_delete), static_cast<QWidget*>(manual->button()) })
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_select);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_files, 1);
    layout->addWidget(m_hints->frame());
    layout->addLayout(fields);
    layout->addLayout(buttons);
    declareHints();
}

void FormAttachments::declareHints()
{
    m_hints->setHint(m_files, [this] {
        return QStringLiteral("Click a file to make it an attachment to ") + companyName()
            + QStringLiteral(".");
    });
    m_hints->setHint(m_description, [this] {
        return QStringLiteral("Enter a discription for ") + field(QStringLiteral("TEXT01"))
            + QStringLiteral(".");
    });
    m_hints->setHint(m_browse, [this] {
        return QStringLiteral("Copy a file from any folder into the attachments of ")
            + companyName()
            + QStringLiteral(". You can also drop files from the desktop onto this screen.");
    });
    m_hints->addBackground(m_list);
}

bool FormAttachments::showRecords(const ui::RecordQuery& query, QString* error)
{
    m_companyKey = query.parameters.value(0);
    showFileList(false);
    m_view->setRecordSource(query.sql, query.parameters);
    m_delete->setEnabled(false);
    if (m_view->refresh())
        return true;
    *error = m_view->lastError();
    return false;
}

void FormAttachments::pickAttachment(int row)
{
    // Failures are ignored: the entry stays as it was.
    if (m_view->moveToBookmark(m_model->bookmarkAt(row)))
        m_delete->setEnabled(true);
}

void FormAttachments::openAttachment(int row)
{
    pickAttachment(row);
    const QString path = AttachmentFiles::pathOf(field(QStringLiteral("TEXT01")));
    if (path.isEmpty() || !QFileInfo(path).isFile() || !platform::Desktop::openFile(path)) {
        platform::MessageBox::show(this,
            QStringLiteral("It appears that this attachment does not exist!"),
            platform::MessageBox::Icon::Warning);
    }
}

void FormAttachments::newAttachment()
{
    // A row without its company's key would belong to no company and never be listed.
    if (!m_companyKey.isValid() || m_companyKey.isNull()) {
        platform::MessageBox::information(this, QStringLiteral("Please choose a company first."));
        return;
    }
    QDir().mkpath(AttachmentFiles::folder());
    const QStringList names
        = QDir(AttachmentFiles::folder())
              .entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    m_files->clear();
    m_files->addItems(names);
    showFileList(true);
}

void FormAttachments::attachFile(const QString& name)
{
    if (!AttachmentFiles::isAttachmentName(name))
        return;
    if (!m_view->addNew()) {
        platform::MessageBox::error(this, m_view->lastError());
        return;
    }
    m_view->setValue(QStringLiteral("NUMBER01"), m_companyKey);
    m_view->setValue(QStringLiteral("TEXT01"), name);
    m_view->setValue(QStringLiteral("DATE01"), data::Clock::today());
    if (!m_view->update()) {
        const QString reason = m_view->lastError();
        m_view->cancelEdits();
        showFileList(false);
        platform::MessageBox::error(this, reason);
        return;
    }
    const QVariant added = m_view->bookmark();
    m_view->refresh();
    m_view->moveToBookmark(added);
    showFileList(false);
    m_delete->setEnabled(m_view->hasCurrentRow());
    m_description->setFocus();
}

void FormAttachments::attachCopy(const QString& path)
{
    if (!m_companyKey.isValid() || m_companyKey.isNull()) {
        platform::MessageBox::information(this, QStringLiteral("Please choose a company first."));
        return;
    }
    QString error;
    const QString name = AttachmentFiles::copyIn(path, &error);
    if (name.isEmpty()) {
        platform::MessageBox::error(this, error);
        return;
    }
    attachFile(name);
}

void FormAttachments::chooseFileToCopy()
{
    const QString path = OpenFileChooser::openFileName(
        this, QStringLiteral("Attach a File to ") + companyName(), QDir::homePath());
    if (!path.isEmpty())
        attachCopy(path);
}

void FormAttachments::deleteAttachment()
{
    const QString name = field(QStringLiteral("TEXT01"));
    const QString question = QStringLiteral("Are you sure toy want to delete ") + name
        + QStringLiteral(" and its associated file?");
    if (platform::MessageBox::show(this, question, platform::MessageBox::Icon::Question,
            platform::MessageBox::Yes | platform::MessageBox::No, platform::MessageBox::Yes)
        != platform::MessageBox::Yes)
        return;
    // Each step goes on when the one before failed, so a row whose file is gone
    // can still be deleted.
    m_view->deleteCurrent();
    const std::shared_ptr<data::Database> db = m_view->database();
    const QString path = AttachmentFiles::pathOf(name);
    // The file goes only with the last row that names it, of whichever company.
    if (db && !path.isEmpty()) {
        const QVariant others
            = db->scalar(QStringLiteral("SELECT COUNT(*) FROM TABLE05 WHERE TEXT01 = ?"), { name });
        if (others.isValid() && others.toInt() == 0)
            QFile::remove(path);
    }
    m_view->refresh();
    m_delete->setEnabled(false);
}

void FormAttachments::showFileList(bool show)
{
    m_files->setVisible(show);
    m_list->setVisible(!show);
    m_new->setEnabled(!show);
    m_select->setText(show ? QStringLiteral("Select a File to Attach...") : selectAttachment);
}

QString FormAttachments::companyName() const
{
    const std::shared_ptr<data::Database> db = m_view->database();
    if (!db || !m_companyKey.isValid())
        return {};
    return db
        ->scalar(
            QStringLiteral("SELECT TEXT01 FROM TABLE01 WHERE AUTONUMBER = ?"), { m_companyKey })
        .toString();
}

QString FormAttachments::field(const QString& name) const
{
    const QVariant value = m_view->value(name);
    return value.isNull() ? QString() : data::displayText(value);
}

void FormAttachments::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FormAttachments::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            attachCopy(url.toLocalFile());
    }
    event->acceptProposedAction();
}

} // namespace vantrel::companies
