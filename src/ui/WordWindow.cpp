#include "ui/WordWindow.h"

#include "data/ProgramFolder.h"
#include "office/WordDocument.h"
#include "platform/BusyCursor.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/DocumentFileChooser.h"
#include "ui/PrinterProvider.h"
#include "ui/SaveQuestion.h"
#include "ui/WorkingFiles.h"

#include <QAbstractTextDocumentLayout>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

namespace vantrel::ui {

namespace {

quint64 nextUse()
{
    static quint64 use = 0;
    return ++use;
}

QAction* makeAction(QWidget* owner, const char* name, const QString& text,
    const QKeySequence& shortcut = {}, bool checkable = false)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    owner->addAction(action);
    return action;
}

QString withSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".rtf") : path;
}

} // namespace

WordWindow::WordWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_document(new office::WordDocument(this))
    , m_letterhead(new QTextEdit)
    , m_body(new QTextEdit)
    , m_fontName(new QFontComboBox)
    , m_fontSize(new QComboBox)
    , m_alignment(new QActionGroup(this))
{
    setObjectName(QStringLiteral("WordWindow"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_letterhead->setObjectName(QStringLiteral("Letterhead"));
    m_letterhead->setDocument(m_document->pageHeader());
    m_letterhead->setReadOnly(true);
    m_letterhead->setFrameShape(QFrame::NoFrame);
    m_letterhead->setFocusPolicy(Qt::NoFocus);
    m_letterhead->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_letterhead->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_letterhead->setToolTip(QStringLiteral("The letterhead, printed at the top of every page"));

    m_body->setObjectName(QStringLiteral("Body"));
    m_body->setDocument(m_document->body());
    m_body->setFrameShape(QFrame::NoFrame);
    m_body->setTextCursor(m_document->insertionPoint());
    m_body->installEventFilter(this);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    rule->setStyleSheet(QStringLiteral("color: #b0b0b0;"));

    // The letterhead and body sit on one white page.
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Page"));
    page->setAutoFillBackground(true);
    QPalette paper = page->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    page->setPalette(paper);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(48, 24, 48, 16);
    layout->setSpacing(8);
    layout->addWidget(m_letterhead);
    layout->addWidget(rule);
    layout->addWidget(m_body, 1);
    setCentralWidget(page);

    buildActions();
    buildFormatBar();
    statusBar();

    connect(m_body, &QTextEdit::cursorPositionChanged, this, [this] {
        m_document->setInsertionPoint(m_body->textCursor());
        showAlignment();
    });
    connect(m_body, &QTextEdit::currentCharFormatChanged, this, &WordWindow::showFormat);
    connect(m_document, &office::WordDocument::insertionPointMoved, this,
        &WordWindow::showInsertionPoint);
    connect(m_document, &office::WordDocument::titleChanged, this, &WordWindow::updateTitle);
    connect(
        m_document->body(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
    connect(m_document->pageHeader()->documentLayout(),
        &QAbstractTextDocumentLayout::documentSizeChanged, this, &WordWindow::fitLetterhead);
    connect(m_document->pageHeader(), &QTextDocument::contentsChanged, this,
        &WordWindow::fitLetterhead);

    updateTitle();
    fitLetterhead();
    showFormat(m_body->currentCharFormat());
    showAlignment();
    resize(860, 940);
}

void WordWindow::buildActions()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* saveAction
        = makeAction(this, "actionSave", QStringLiteral("&Save"), QKeySequence::Save);
    QAction* saveAsAction
        = makeAction(this, "actionSaveAs", QStringLiteral("Save &As..."), QKeySequence::SaveAs);
    QAction* printAction
        = makeAction(this, "actionPrint", QStringLiteral("&Print"), QKeySequence::Print);
    QAction* desktopAction = makeAction(
        this, "actionOpenInDesktop", QStringLiteral("&Open in Desktop Word Processor"));
    QAction* closeAction
        = makeAction(this, "actionClose", QStringLiteral("&Close"), QKeySequence::Close);
    file->addActions({ saveAction, saveAsAction, printAction, desktopAction });
    file->addSeparator();
    file->addAction(closeAction);
    connect(saveAction, &QAction::triggered, this, &WordWindow::save);
    connect(saveAsAction, &QAction::triggered, this, &WordWindow::saveAs);
    connect(printAction, &QAction::triggered, this, &WordWindow::print);
    connect(desktopAction, &QAction::triggered, this, &WordWindow::openInDesktop);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    QToolBar* fileBar = addToolBar(QStringLiteral("File"));
    fileBar->setObjectName(QStringLiteral("FileBar"));
    fileBar->addActions({ saveAction, printAction, desktopAction });
}

void WordWindow::buildFormatBar()
{
    addToolBarBreak();
    QToolBar* bar = addToolBar(QStringLiteral("Format"));
    bar->setObjectName(QStringLiteral("FormatBar"));

    QAction* undo = makeAction(this, "actionUndo", QStringLiteral("Undo"), QKeySequence::Undo);
    QAction* redo = makeAction(this, "actionRedo", QStringLiteral("Redo"), QKeySequence::Redo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, m_body, &QTextEdit::undo);
    connect(redo, &QAction::triggered, m_body, &QTextEdit::redo);
    connect(m_body, &QTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(m_body, &QTextEdit::redoAvailable, redo, &QAction::setEnabled);
    bar->addActions({ undo, redo });
    bar->addSeparator();

    m_fontName->setObjectName(QStringLiteral("FontName"));
    m_fontName->setToolTip(QStringLiteral("Font"));
    connect(m_fontName, &QComboBox::textActivated, this, &WordWindow::setFontFamily);
    bar->addWidget(m_fontName);

    m_fontSize->setObjectName(QStringLiteral("FontSize"));
    m_fontSize->setToolTip(QStringLiteral("Font size"));
    m_fontSize->setEditable(true);
    for (int size : QFontDatabase::standardSizes())
        m_fontSize->addItem(QString::number(size));
    connect(m_fontSize, &QComboBox::textActivated, this, &WordWindow::setFontSize);
    bar->addWidget(m_fontSize);
    bar->addSeparator();

    QFont boldFont;
    boldFont.setBold(true);
    m_bold = makeAction(this, "actionBold", QStringLiteral("B"), QKeySequence::Bold, true);
    m_bold->setFont(boldFont);
    m_bold->setToolTip(QStringLiteral("Bold"));
    QFont italicFont;
    italicFont.setItalic(true);
    m_italic = makeAction(this, "actionItalic", QStringLiteral("I"), QKeySequence::Italic, true);
    m_italic->setFont(italicFont);
    m_italic->setToolTip(QStringLiteral("Italic"));
    QFont underlineFont;
    underlineFont.setUnderline(true);
    m_underline
        = makeAction(this, "actionUnderline", QStringLiteral("U"), QKeySequence::Underline, true);
    m_underline->setFont(underlineFont);
    m_underline->setToolTip(QStringLiteral("Underline"));
    connect(m_bold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(format);
    });
    connect(m_italic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        mergeFormat(format);
    });
    connect(m_underline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        mergeFormat(format);
    });
    bar->addActions({ m_bold, m_italic, m_underline });
    bar->addSeparator();

    const struct {
        const char* name;
        const char* text;
        Qt::Alignment alignment;
    } alignments[] = {
        { "actionAlignLeft", "Left", Qt::AlignLeft | Qt::AlignAbsolute },
        { "actionAlignCenter", "Center", Qt::AlignHCenter },
        { "actionAlignRight", "Right", Qt::AlignRight | Qt::AlignAbsolute },
        { "actionAlignJustify", "Justify", Qt::AlignJustify },
    };
    for (const auto& entry : alignments) {
        QAction* action = makeAction(this, entry.name, QLatin1String(entry.text), {}, true);
        action->setData(int(entry.alignment));
        m_alignment->addAction(action);
        const Qt::Alignment alignment = entry.alignment;
        connect(action, &QAction::triggered, this, [this, alignment] {
            m_body->setAlignment(alignment);
            m_body->setFocus();
        });
    }
    bar->addActions(m_alignment->actions());
    bar->addSeparator();

    m_bullets = makeAction(this, "actionBullets", QStringLiteral("\u2022 List"), {}, true);
    m_bullets->setToolTip(QStringLiteral("Bullets"));
    connect(m_bullets, &QAction::triggered, this, &WordWindow::toggleBullets);
    bar->addAction(m_bullets);
}

void WordWindow::markUse()
{
    m_lastUse = nextUse();
}

void WordWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
    markUse();
}

void WordWindow::showInsertionPoint()
{
    m_body->setTextCursor(m_document->insertionPoint());
    m_body->ensureCursorVisible();
}

void WordWindow::showFormat(const QTextCharFormat& format)
{
    const QFont font = format.font();
    m_fontName->setCurrentFont(font);
    m_fontSize->setEditText(QString::number(font.pointSizeF()));
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
}

void WordWindow::showAlignment()
{
    const Qt::Alignment current = m_body->alignment() & Qt::AlignHorizontal_Mask;
    for (QAction* action : m_alignment->actions()) {
        const Qt::Alignment alignment
            = Qt::Alignment(action->data().toInt()) & Qt::AlignHorizontal_Mask;
        if ((alignment & ~Qt::AlignAbsolute) == (current & ~Qt::AlignAbsolute))
            action->setChecked(true);
    }
    m_bullets->setChecked(m_body->textCursor().currentList() != nullptr);
}

void WordWindow::mergeFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = m_body->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    m_body->mergeCurrentCharFormat(format);
    m_body->setFocus();
}

void WordWindow::setFontFamily(const QString& family)
{
    QTextCharFormat format;
    format.setFontFamilies({ family });
    mergeFormat(format);
}

void WordWindow::setFontSize(const QString& size)
{
    bool ok = false;
    const qreal points = size.toDouble(&ok);
    if (!ok || points < 1 || points > 1638) {
        showFormat(m_body->currentCharFormat());
        return;
    }
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeFormat(format);
}

bool WordWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_body && event->type() == QEvent::KeyPress && !m_body->isReadOnly()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // The editor's own Enter drops the character format after an empty
        // paragraph (a letter would change font below its address block); an
        // empty list item still ends the list the editor's way.
        if (key->matches(QKeySequence::InsertParagraphSeparator)
            && !m_body->textCursor().currentList()) {
            startParagraph();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void WordWindow::startParagraph()
{
    QTextCursor cursor = m_body->textCursor();
    const QTextCharFormat format = cursor.charFormat();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertBlock(cursor.blockFormat(), format);
    cursor.setCharFormat(format);
    cursor.endEditBlock();
    m_body->setTextCursor(cursor);
    m_body->ensureCursorVisible();
}

void WordWindow::toggleBullets()
{
    QTextCursor cursor = m_body->textCursor();
    cursor.beginEditBlock();
    if (QTextList* list = cursor.currentList()) {
        const QTextBlock first = m_document->body()->findBlock(cursor.selectionStart());
        const QTextBlock last = m_document->body()->findBlock(cursor.selectionEnd());
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            if (block.textList() == list)
                list->remove(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(0);
            QTextCursor(block).setBlockFormat(format);
            if (block == last)
                break;
        }
    }
    else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
    showAlignment();
    m_body->setFocus();
}

void WordWindow::updateTitle()
{
    setWindowTitle(m_document->title() + QStringLiteral("[*] - Vantrel Word Processor"));
    setWindowModified(m_document->isModified());
}

void WordWindow::fitLetterhead()
{
    QTextDocument* header = m_document->pageHeader();
    m_letterhead->setVisible(!header->isEmpty());
    const int height = int(header->documentLayout()->documentSize().height()) + 2;
    if (m_letterhead->height() != height)
        m_letterhead->setFixedHeight(height);
}

bool WordWindow::save()
{
    if (m_document->filePath().isEmpty())
        return saveAs();
    return saveTo(m_document->filePath());
}

bool WordWindow::saveAs()
{
    const QString suggested = m_document->filePath().isEmpty()
        ? QDir(data::programFolder())
              .filePath(QStringLiteral("Documents/") + m_document->title() + QStringLiteral(".rtf"))
        : m_document->filePath();
    const QString path = DocumentFileChooser::saveFileName(this, suggested,
        { QStringLiteral("RTF document (*.rtf *.doc)"), QStringLiteral("OpenDocument text (*.odt)"),
            QStringLiteral("PDF document (*.pdf)") });
    if (path.isEmpty())
        return false;
    return saveTo(withSuffix(path));
}

bool WordWindow::saveTo(const QString& path)
{
    platform::BusyCursor busy;
    const QString suffix = QFileInfo(path).suffix().toLower();
    QString error;
    bool saved = false;
    if (suffix == u"odt")
        saved = m_document->exportOdt(path, &error);
    else if (suffix == u"pdf")
        saved = m_document->exportPdf(path, &error);
    else
        saved = m_document->saveAs(path, &error);
    if (!saved) {
        showError(error);
        return false;
    }
    statusBar()->showMessage(
        QStringLiteral("Saved as %1").arg(QDir::toNativeSeparators(path)), 5000);
    return true;
}

bool WordWindow::print()
{
    platform::BusyCursor busy;
    QString error;
    const std::unique_ptr<QPrinter> printer = PrinterProvider::instance().printer(&error);
    if (!printer || !m_document->print(printer.get(), &error)) {
        showError(error);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Sent to the printer"), 5000);
    return true;
}

void WordWindow::openInDesktop()
{
    QString path = m_document->filePath();
    if (path.isEmpty() || m_document->isModified() || !data::isInsideProgramFolder(path)) {
        // The desktop gets a copy in the Temp folder; the document here stays as it is.
        QDir(data::programFolder()).mkpath(QStringLiteral("Temp"));
        path
            = QDir(data::programFolder())
                  .filePath(QStringLiteral("Temp/")
                      + QFileInfo(m_document->title()).completeBaseName() + QStringLiteral(".rtf"));
        office::WordDocument copy;
        copy.body()->setDefaultFont(m_document->body()->defaultFont());
        QTextCursor(copy.body()).insertFragment(QTextDocumentFragment(m_document->body()));
        QTextCursor(copy.pageHeader())
            .insertFragment(QTextDocumentFragment(m_document->pageHeader()));
        QString error;
        if (!data::prepareWorkingFile(path, &error) || !copy.saveAs(path, &error)) {
            showError(error);
            return;
        }
    }
    QString error;
    if (!platform::Desktop::openFile(path, &error))
        showError(error);
}

void WordWindow::showError(const QString& description)
{
    platform::MessageBox::error(this, description);
}

void WordWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        markUse();
}

void WordWindow::closeEvent(QCloseEvent* event)
{
    if (isVisible()) {
        const Closing pending = answerPendingQuestion();
        if (pending == Closing::Stay
            || (pending == Closing::NothingPending && m_document->isModified()
                && !askToSaveChanges())) {
            event->ignore();
            return;
        }
    }
    m_closed = true;
    event->accept();
}

bool WordWindow::holdsWorkingDocument() const
{
    const QString path = m_document->filePath();
    return !path.isEmpty() && path == QFileInfo(workingDocumentPath()).absoluteFilePath();
}

WordWindow::Closing WordWindow::answerPendingQuestion()
{
    // The auto-save keeps the working file unmodified on disk, so without this
    // question the window would close, and the program end, without a word.
    SaveQuestion* question = SaveQuestion::waiting(SaveQuestion::Pending::Document);
    if (!question || !holdsWorkingDocument())
        return Closing::NothingPending;
    const platform::MessageBox::Button answer = platform::MessageBox::show(this,
        QStringLiteral("This document is not saved in Vantrel yet. Would you like to save it in "
                       "Vantrel before the window closes?\n\n"
                       "Yes saves it, No discards it, Cancel keeps the window open so that you "
                       "can go on writing."),
        platform::MessageBox::Icon::Question,
        platform::MessageBox::Yes | platform::MessageBox::No | platform::MessageBox::Cancel,
        platform::MessageBox::Cancel);
    if (answer == platform::MessageBox::No) {
        question->discardPending(SaveQuestion::Pending::Document);
        return Closing::Close;
    }
    if (answer != platform::MessageBox::Yes)
        return Closing::Stay;
    // The last auto-save may be up to a second older than the last keystroke.
    QString error;
    if (!m_document->saveAs(m_document->filePath(), &error)) {
        showError(error);
        return Closing::Stay;
    }
    // A failure was told by the browser, whose question still waits.
    return question->storePending(SaveQuestion::Pending::Document) ? Closing::Close : Closing::Stay;
}

bool WordWindow::askToSaveChanges()
{
    const platform::MessageBox::Button answer = platform::MessageBox::show(this,
        QStringLiteral("Do you want to save the changes to \"%1\"?").arg(m_document->title()),
        platform::MessageBox::Icon::Question,
        platform::MessageBox::Yes | platform::MessageBox::No | platform::MessageBox::Cancel,
        platform::MessageBox::Yes);
    return answer != platform::MessageBox::Cancel
        && (answer != platform::MessageBox::Yes || save());
}

} // namespace vantrel::ui
