#include "ui/ReportBrowser.h"

#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/MailProgram.h"
#include "office/RtfReader.h"
#include "office/RtfWriter.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"
#include "ui/EditToolBar.h"
#include "ui/FieldBinder.h"
#include "ui/HintLine.h"
#include "ui/LoadIndicator.h"
#include "ui/ManualLink.h"
#include "ui/RecordNavigator.h"
#include "ui/WorkingFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>

namespace vantrel::ui {

namespace {

// Documents are stored at their own sizes; the view shows them scaled by its
// font size against this one, so zooming never changes what is stored.
constexpr int storedFontSize = 10;
constexpr int smallestFontSize = 6;
constexpr int largestFontSize = 72;

void scaleFonts(QTextDocument& document, double factor)
{
    QFont font = document.defaultFont();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * factor);
        document.setDefaultFont(font);
    }
    struct Sized {
        int start;
        int length;
        qreal size;
    };
    QList<Sized> sized;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.hasProperty(QTextFormat::FontPointSize))
                sized.append({ fragment.position(), fragment.length(), format.fontPointSize() });
        }
    }
    QTextCursor cursor(&document);
    for (const Sized& part : sized) {
        cursor.setPosition(part.start);
        cursor.setPosition(part.start + part.length, QTextCursor::KeepAnchor);
        QTextCharFormat change;
        change.setFontPointSize(part.size * factor);
        cursor.mergeCharFormat(change);
    }
}

} // namespace

ReportBrowser::ReportBrowser(const QString& name, const Options& options, QWidget* parent)
    : QWidget(parent)
    , m_options(options)
    , m_view(new data::BoundView(this))
    , m_binder(new ui::FieldBinder(m_view, this))
    , m_fontSize(storedFontSize)
{
    setObjectName(name);
    auto business = std::make_shared<data::Database>();
    if (!data::openBusinessDatabase(*business))
        platform::MessageBox::error(this, business->lastError());
    else
        m_view->setDatabase(business);
    m_view->setWriteTarget(options.table);

    m_hints = new ui::HintLine(this);
    m_load = new ui::LoadIndicator(this);
    auto* manual = new ui::ManualLink(this);

    auto* commands = new QHBoxLayout;
    if (options.searchButton) {
        m_search = makeButton("CommandSearch", QStringLiteral("Search"), QStringLiteral("Search"),
            QStringLiteral(":/ui/icons/Report.svg"));
        connect(m_search, &QPushButton::clicked, this, &ReportBrowser::showSearch);
        commands->addWidget(m_search);
    }
    if (!options.deleteQuestion.isEmpty()) {
        auto* button
            = makeButton("CommandDelete", QStringLiteral("Delete"), QStringLiteral("Delete"));
        button->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
        connect(button, &QPushButton::clicked, this, &ReportBrowser::deleteCurrent);
        commands->addWidget(button);
        m_reportCommands.append(button);
    }
    if (options.editing) {
        auto* button = makeButton("CommandEdit", QStringLiteral("Edit"), QStringLiteral("Edit"));
        button->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        connect(button, &QPushButton::clicked, this, &ReportBrowser::startEditing);
        commands->addWidget(button);
        m_reportCommands.append(button);
    }
    auto* word = makeButton("CommandWord", QStringLiteral("MS-Word"),
        QStringLiteral("Send to MS-Word"), QStringLiteral(":/ui/icons/Word.svg"));
    connect(word, &QPushButton::clicked, this, &ReportBrowser::sendToWord);
    commands->addWidget(word);
    m_reportCommands.append(word);
    if (options.mail) {
        auto* mail = makeButton("CommandOutlook", QStringLiteral("MS-Outlook"),
            QStringLiteral("Send with MS-Outlook"), QStringLiteral(":/ui/icons/Outlook.svg"));
        connect(mail, &QPushButton::clicked, this, &ReportBrowser::sendWithMail);
        commands->addWidget(mail);
        m_reportCommands.append(mail);
    }
    commands->addWidget(manual->button());
    commands->addSpacing(12);
    commands->addWidget(m_load);
    commands->addStretch();

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("TextFind"));
    m_findButton = makeButton("CommandFind", QStringLiteral("&Find"), QString());
    m_resetButton = makeButton("CommandReset", QStringLiteral("&Reset"), QString());
    m_findButton->setDefault(false);
    connect(m_findButton, &QPushButton::clicked, this, &ReportBrowser::find);
    connect(m_resetButton, &QPushButton::clicked, this, &ReportBrowser::reset);
    connect(m_find, &QLineEdit::returnPressed, this, &ReportBrowser::find);
    auto* search = new QHBoxLayout;
    search->addWidget(m_find, 1);
    search->addWidget(m_findButton);
    search->addWidget(m_resetButton);
    if (options.searchButton) {
        for (QWidget* control : { static_cast<QWidget*>(m_find),
                 static_cast<QWidget*>(m_findButton), static_cast<QWidget*>(m_resetButton) })
            control->hide();
    }

    m_navigator = new ui::RecordNavigator(m_view, QStringLiteral("Data") + options.table,
        QStringLiteral("Navigate your Records"), this);
    connect(m_navigator, &ui::RecordNavigator::moveFailed, this, &ReportBrowser::showFailure);
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("LabelPosition"));
    QFont bold = m_position->font();
    bold.setBold(true);
    m_position->setFont(bold);
    auto* zoomOut = makeButton("CommandZoomOut", QStringLiteral("-"), QStringLiteral("Zoom Out"));
    auto* zoomIn = makeButton("CommandZoomIn", QStringLiteral("+"), QStringLiteral("Zoom In"));
    for (QPushButton* button : { zoomOut, zoomIn })
        button->setFixedWidth(button->fontMetrics().height() * 2);
    connect(zoomOut, &QPushButton::clicked, this, &ReportBrowser::zoomOut);
    connect(zoomIn, &QPushButton::clicked, this, &ReportBrowser::zoomIn);
    auto* paging = new QHBoxLayout;
    paging->addWidget(m_navigator);
    paging->addSpacing(8);
    paging->addWidget(m_position);
    paging->addStretch();
    if (options.editing)
        paging->addWidget(makeEditToolBar(this));
    paging->addWidget(zoomOut);
    paging->addWidget(zoomIn);

    m_report = new QTextEdit(this);
    m_report->setObjectName(QStringLiteral("RichTextBox1"));
    m_report->setReadOnly(true);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font = m_report->font();
    font.setPointSize(storedFontSize);
    m_report->setFont(font);
    // Read-only shows on the window's colour; editing turns it white.
    QPalette locked = m_report->palette();
    locked.setColor(QPalette::Base, locked.color(QPalette::Window));
    m_report->setPalette(locked);
    m_binder->bind(m_report, QStringLiteral("MEMO01"),
        { [this](const QTextDocument& document) { return writeDocument(document); },
            [this](QTextDocument& document, const QString& rtf) { readDocument(document, rtf); } });
    for (const char* field : { "DATE01", "NUMBER01" }) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(field));
        box->hide();
        m_binder->bind(box, QLatin1String(field));
    }

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("TimerSearch"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ReportBrowser::highlightStep);

    m_belowReport = new QVBoxLayout;
    m_belowReport->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addLayout(search);
    layout->addLayout(paging);
    layout->addWidget(m_report, 1);
    layout->addLayout(m_belowReport);
    layout->addWidget(m_hints->frame());
    m_hints->frame()->setMinimumHeight(60);

    m_hints->addBackground(m_report);
    m_hints->setHint(m_find, QStringLiteral("Enter the phrase you are looking for."));

    connect(m_view, &data::BoundView::currentRowChanged, this, &ReportBrowser::updatePosition);
    connect(m_view, &data::BoundView::rowsReloaded, this, &ReportBrowser::updatePosition);
    connect(m_view, &data::BoundView::rowInserted, this, &ReportBrowser::updatePosition);
    connect(m_view, &data::BoundView::rowRemoved, this, &ReportBrowser::updatePosition);
    connect(m_binder, &ui::FieldBinder::editRefused, this,
        [this](const QString&, const QString& message) { showFailure(message); });
    updatePosition();
}

ReportBrowser::~ReportBrowser() = default;

QString ReportBrowser::positionText() const
{
    const int rows = m_view->rowCount();
    const int row = rows > 0 && m_view->position() >= 0 ? m_view->position() + 1 : 0;
    return QStringLiteral("%1 %2 OF %3 %1S").arg(m_options.noun).arg(row).arg(rows);
}

bool ReportBrowser::showQuery(const ui::RecordQuery& query, QString* error)
{
    m_view->setRecordSource(query.sql, query.parameters);
    if (!m_view->refresh()) {
        *error = m_view->lastError();
        updatePosition();
        return false;
    }
    return true;
}

void ReportBrowser::showSearch()
{
    for (QWidget* control : { static_cast<QWidget*>(m_find), static_cast<QWidget*>(m_findButton),
             static_cast<QWidget*>(m_resetButton) })
        control->show();
    m_find->setFocus(Qt::OtherFocusReason);
}

void ReportBrowser::find()
{
    QString error;
    if (!showQuery(findQuery(m_find->text()), &error)) {
        platform::MessageBox::error(this, error);
        return;
    }
    m_timer->start();
}

void ReportBrowser::reset()
{
    m_timer->stop();
    m_find->clear();
    m_find->setFocus(Qt::OtherFocusReason);
    QString error;
    if (!showQuery(resetQuery(), &error))
        platform::MessageBox::error(this, error);
}

void ReportBrowser::highlightStep()
{
    m_searchText = m_find->text();
    const QString text = m_report->document()->toRawText();
    const int index = m_searchText.isEmpty()
        ? -1
        : int(text.indexOf(m_searchText, std::max(m_searchPosition, 0), Qt::CaseInsensitive));
    if (index >= 0) {
        QTextCursor cursor(m_report->document());
        cursor.setPosition(index);
        cursor.setPosition(index + int(m_searchText.size()), QTextCursor::KeepAnchor);
        m_report->setTextCursor(cursor);
    }
    m_searchPosition = index;
    // Only while the user works on this screen: taking the focus from another
    // screen would bring this one back to the front every second.
    if (isAncestorOf(QApplication::focusWidget()))
        m_report->setFocus(Qt::OtherFocusReason);
    m_searchPosition += int(m_searchText.size());
}

void ReportBrowser::deleteCurrent()
{
    if (!platform::MessageBox::question(this, m_options.deleteQuestion, platform::MessageBox::No))
        return;
    if (m_view->rowCount() == 0)
        return;
    if (!m_view->hasCurrentRow() || !m_view->deleteCurrent() || !m_view->refresh())
        platform::MessageBox::information(this, QStringLiteral("There are no records to delete"));
}

void ReportBrowser::startEditing()
{
    m_report->setReadOnly(false);
    m_report->setTextInteractionFlags(Qt::TextEditorInteraction);
    QPalette white = m_report->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    m_report->setPalette(white);
    m_report->setFocus(Qt::OtherFocusReason);
}

void ReportBrowser::zoomIn()
{
    zoomBy(2);
}

void ReportBrowser::zoomOut()
{
    zoomBy(-2);
}

void ReportBrowser::zoomBy(int points)
{
    const int size = m_fontSize + points;
    if (size < smallestFontSize || size > largestFontSize) {
        platform::MessageBox::information(this, QStringLiteral("Cannot zoom any further."));
        return;
    }
    m_fontSize = size;
    // Showing the document again keeps the highlighted occurrence highlighted.
    const int anchor = m_report->textCursor().anchor();
    const int position = m_report->textCursor().position();
    m_binder->reload();
    QTextCursor after(m_report->document());
    const int end = m_report->document()->characterCount() - 1;
    after.setPosition(std::min(anchor, end));
    after.setPosition(std::min(position, end), QTextCursor::KeepAnchor);
    m_report->setTextCursor(after);
}

bool ReportBrowser::sendToWord()
{
    platform::BusyCursor busy;
    ui::LoadIndicator::Showing loading(m_load, ui::LoadIndicator::Program::Word);
    office::WordProcessor& word = office::WordProcessor::instance();
    m_wordInstance = word.start();
    QString error;
    if (!word.addDocument(m_wordInstance, letterheadPath(), &error)
        || !word.show(m_wordInstance, &error)) {
        platform::MessageBox::error(this, error);
        return false;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    auto* rich = new QMimeData;
    rich->setData(QStringLiteral("text/rtf"), currentRtf().toUtf8());
    clipboard->setMimeData(rich);
    const bool pasted = word.paste(m_wordInstance, &error);
    clipboard->clear();
    if (!pasted || !word.show(m_wordInstance, &error)) {
        platform::MessageBox::error(this, error);
        return false;
    }
    m_wordInstance = 0;
    return true;
}

bool ReportBrowser::sendWithMail()
{
    platform::BusyCursor busy;
    ui::LoadIndicator::Showing loading(m_load, ui::LoadIndicator::Program::Outlook);
    office::MailProgram& program = office::MailProgram::instance();
    office::MailItem mail = program.createMail();
    mail.subject = mailSubject();
    mail.body = m_report->toPlainText();
    QString error;
    if (!program.display(mail, &error)) {
        platform::MessageBox::error(this, error);
        return false;
    }
    return true;
}

QString ReportBrowser::currentRtf() const
{
    return writeDocument(*m_report->document());
}

void ReportBrowser::addBelowReport(QWidget* widget)
{
    m_belowReport->addWidget(widget);
}

void ReportBrowser::setReportCommandsEnabled(bool enabled)
{
    for (QPushButton* command : m_reportCommands)
        command->setEnabled(enabled);
}

office::WordProcessor::Instance ReportBrowser::takeLeftoverWordInstance()
{
    return std::exchange(m_wordInstance, 0);
}

void ReportBrowser::closeEvent(QCloseEvent* event)
{
    m_timer->stop();
    // Edits of the report on show are stored now, while the user can still be told.
    if (!m_view->close()) {
        platform::MessageBox::error(this, m_view->lastError());
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

QPushButton* ReportBrowser::makeButton(
    const char* name, const QString& caption, const QString& tip, const QString& icon)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    if (!icon.isEmpty())
        button->setIcon(QIcon(icon));
    return button;
}

void ReportBrowser::readDocument(QTextDocument& document, const QString& rtf) const
{
    QFont font = document.defaultFont();
    font.setPointSize(storedFontSize);
    document.setDefaultFont(font);
    QString ignored;
    if (!office::readRtf(rtf.toUtf8(), &document, nullptr, &ignored))
        document.clear();
    if (m_fontSize != storedFontSize)
        scaleFonts(document, double(m_fontSize) / storedFontSize);
    document.clearUndoRedoStacks();
}

QString ReportBrowser::writeDocument(const QTextDocument& document) const
{
    if (m_fontSize == storedFontSize)
        return QString::fromUtf8(office::writeRtf(document));
    const std::unique_ptr<QTextDocument> stored(document.clone());
    scaleFonts(*stored, double(storedFontSize) / m_fontSize);
    return QString::fromUtf8(office::writeRtf(*stored));
}

void ReportBrowser::updatePosition()
{
    m_position->setText(positionText());
}

void ReportBrowser::showFailure(const QString& error)
{
    platform::MessageBox::error(this, error);
}

} // namespace vantrel::ui
