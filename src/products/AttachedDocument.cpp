#include "products/AttachedDocument.h"

#include "data/BoundView.h"
#include "data/ProgramFolder.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace vantrel::products {

namespace {

const QString documentsFolder = QStringLiteral("Documents");
const QString addCaption = QStringLiteral("&Add");
const QString deleteCaption = QStringLiteral("&Delete");
const QString headingCaption = QStringLiteral("Attached Document");

} // namespace

AttachedDocument::AttachedDocument(data::BoundView* view, const QString& field, QWidget* screen)
    : QObject(screen)
    , m_view(view)
    , m_field(field)
    , m_screen(screen)
    , m_heading(new QLabel(headingCaption, screen))
    , m_icon(new QToolButton(screen))
    , m_button(new QPushButton(addCaption, screen))
    , m_files(new QListWidget(screen))
{
    m_heading->setObjectName(QStringLiteral("LabelTechnical"));
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_button->setObjectName(QStringLiteral("CommandAdd"));
    m_files->setObjectName(QStringLiteral("File1"));
    m_icon->setIcon(screen->style()->standardIcon(QStyle::SP_FileIcon));
    m_icon->setIconSize(QSize(32, 32));
    m_icon->setAutoRaise(true);
    m_icon->hide();
    m_files->hide();

    connect(m_button, &QPushButton::clicked, this, &AttachedDocument::press);
    connect(m_icon, &QToolButton::clicked, this, &AttachedDocument::openClicked);
    connect(m_files, &QListWidget::itemClicked, this, &AttachedDocument::pick);
    // The document area follows the record as soon as it changes, rather than on a poll.
    connect(view, &data::BoundView::currentRowChanged, this, &AttachedDocument::follow);
    connect(view, &data::BoundView::rowsReloaded, this, &AttachedDocument::follow);
    connect(view, &data::BoundView::fieldChanged, this, [this](const QString& changed) {
        if (changed.compare(m_field, Qt::CaseInsensitive) == 0)
            follow();
    });
    connect(view, &data::BoundView::rowUpdated, this, &AttachedDocument::follow);
    follow();
}

QString AttachedDocument::fileName() const
{
    return m_view && m_view->hasCurrentRow() ? m_view->value(m_field).toString() : QString();
}

bool AttachedDocument::isBareDocumentName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && trimmed != u"." && trimmed != u".."
        && !trimmed.contains(QLatin1Char('/')) && !trimmed.contains(QLatin1Char('\\'))
        && !trimmed.contains(QLatin1Char(':'))
        && data::isInsideProgramFolder(documentsFolder + QLatin1Char('/') + trimmed);
}

void AttachedDocument::follow()
{
    const bool hasRow = m_view && m_view->hasCurrentRow();
    const bool hasDocument = !fileName().isEmpty();
    m_icon->setVisible(hasDocument);
    m_button->setText(hasDocument ? deleteCaption : addCaption);
    m_button->setEnabled(hasRow);
}

void AttachedDocument::press()
{
    if (!m_view || !m_view->hasCurrentRow())
        return;
    m_heading->setText(QStringLiteral("Select Document..."));
    if (m_button->text() == addCaption) {
        m_files->clear();
        m_files->addItems(QDir(documentsFolder).entryList(QDir::Files, QDir::Name));
        m_files->show();
        emit pickingChanged(true);
        return;
    }
    // Only the link goes: another record, or the user, may still want the file.
    if (!m_view->setValue(m_field, QVariant()))
        platform::MessageBox::error(m_screen, m_view->lastError());
    m_heading->setText(headingCaption);
}

void AttachedDocument::pick(QListWidgetItem* item)
{
    if (!item || !m_view || !m_view->hasCurrentRow())
        return;
    if (!m_view->setValue(m_field, item->text()))
        platform::MessageBox::error(m_screen, m_view->lastError());
    m_files->hide();
    m_heading->setText(headingCaption);
    emit pickingChanged(false);
}

bool AttachedDocument::open(QString* error)
{
    const QString name = fileName().trimmed();
    if (name.isEmpty()) {
        *error = QStringLiteral("No document is attached to this record.");
        return false;
    }
    if (!isBareDocumentName(name)) {
        *error = QStringLiteral("The attached document '%1' is not a file of the Documents folder, "
                                "so it is not opened.")
                     .arg(name);
        return false;
    }
    return platform::Desktop::openFile(documentsFolder + QLatin1Char('/') + name, error);
}

void AttachedDocument::openClicked()
{
    QString error;
    if (open(&error) || isBareDocumentName(fileName()))
        return;
    // A missing file or program goes unreported, as before; a name that points
    // out of the folder is worth a word, since someone put it there.
    platform::MessageBox::warning(m_screen, error);
}

} // namespace vantrel::products
