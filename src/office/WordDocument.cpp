#include "office/WordDocument.h"

#include "data/Failure.h"
#include "office/LetterheadPrinter.h"
#include "office/RtfReader.h"
#include "office/RtfWriter.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>

namespace vantrel::office {

namespace {

const QString rtfMimeType = QStringLiteral("text/rtf");

int nextDocumentNumber()
{
    static int number = 0;
    return ++number;
}

using data::fail;

bool commit(QSaveFile& file, const QString& path, QString* error)
{
    if (file.commit())
        return true;
    return fail(error,
        QStringLiteral("The document could not be saved as '%1': %2")
            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

bool openForSaving(QSaveFile& file, const QString& path, QString* error)
{
    if (file.open(QIODevice::WriteOnly))
        return true;
    return fail(error,
        QStringLiteral("The document could not be saved as '%1': %2")
            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

WordDocument::WordDocument(QObject* parent)
    : QObject(parent)
    , m_body(new QTextDocument(this))
    , m_pageHeader(new QTextDocument(this))
    , m_cursor(m_body)
    , m_number(nextDocumentNumber())
{
    m_body->setUndoRedoEnabled(true);
    m_pageHeader->setUndoRedoEnabled(false);
}

WordDocument::~WordDocument() = default;

bool WordDocument::loadTemplate(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error,
            QStringLiteral("The template '%1' could not be opened: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error,
            QStringLiteral("The template '%1' could not be read: %2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
    QString problem;
    // The reader leaves both documents untouched when it fails.
    if (!readRtf(data, m_body, m_pageHeader, &problem))
        return fail(error,
            QStringLiteral("The template '%1' cannot be used: %2")
                .arg(QDir::toNativeSeparators(path), problem));
    // Loading is not an edit the user could undo.
    m_body->clearUndoRedoStacks();
    m_body->setModified(false);
    m_cursor = QTextCursor(m_body);
    emit insertionPointMoved();
    return true;
}

void WordDocument::setInsertionPoint(const QTextCursor& cursor)
{
    if (cursor.document() == m_body)
        m_cursor = cursor;
}

void WordDocument::typeText(const QString& text)
{
    insertParagraphs(text);
    emit insertionPointMoved();
}

void WordDocument::insertParagraphs(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList paragraphs = text.split(lineEnd);
    // Every paragraph typed, also an empty one, takes the format in force where
    // typing starts, so that what follows an empty line keeps it too.
    const QTextCharFormat format = m_cursor.charFormat();
    m_cursor.beginEditBlock();
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            m_cursor.insertBlock(m_cursor.blockFormat(), format);
        m_cursor.insertText(paragraphs.at(i), format);
    }
    m_cursor.endEditBlock();
}

void WordDocument::moveToEnd()
{
    m_cursor.movePosition(QTextCursor::End);
    emit insertionPointMoved();
}

bool WordDocument::saveAs(const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!openForSaving(file, path, error))
        return false;
    file.write(writeRtf(*m_body, m_pageHeader->isEmpty() ? nullptr : m_pageHeader));
    if (!commit(file, path, error))
        return false;
    m_filePath = QFileInfo(path).absoluteFilePath();
    m_body->setModified(false);
    emit titleChanged();
    return true;
}

bool WordDocument::exportOdt(const QString& path, QString* error) const
{
    QTextDocument copy;
    copy.setDefaultFont(m_body->defaultFont());
    QTextCursor cursor(&copy);
    if (!m_pageHeader->isEmpty()) {
        cursor.insertFragment(QTextDocumentFragment(m_pageHeader));
        cursor.insertBlock();
    }
    cursor.insertFragment(QTextDocumentFragment(m_body));

    // The ODF writer closes its device, which a QSaveFile must not be.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, QByteArrayLiteral("ODF"));
    if (!writer.write(&copy))
        return fail(error,
            QStringLiteral("The document could not be written as OpenDocument text to '%1'.")
                .arg(QDir::toNativeSeparators(path)));
    QSaveFile file(path);
    if (!openForSaving(file, path, error))
        return false;
    file.write(buffer.data());
    return commit(file, path, error);
}

bool WordDocument::exportPdf(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!openForSaving(file, path, error))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("Vantrel"));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(
            QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                               : QPageSize::A4));
        if (!print(&writer, error)) {
            file.cancelWriting();
            return false;
        }
    }
    return commit(file, path, error);
}

bool WordDocument::print(QPagedPaintDevice* device, QString* error) const
{
    return LetterheadPrinter(*m_body, m_pageHeader->isEmpty() ? nullptr : m_pageHeader)
        .print(device, error);
}

void WordDocument::copyWholeBody() const
{
    auto* data = new QMimeData;
    data->setData(rtfMimeType, writeRtf(*m_body));
    data->setHtml(m_body->toHtml());
    data->setText(m_body->toPlainText());
    QGuiApplication::clipboard()->setMimeData(data);
}

bool WordDocument::paste(QString* error)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasFormat(rtfMimeType)) {
        QTextDocument pasted;
        if (readRtf(data->data(rtfMimeType), &pasted, nullptr, nullptr)) {
            m_cursor.insertFragment(QTextDocumentFragment(&pasted));
            emit insertionPointMoved();
            return true;
        }
    }
    if (data && data->hasHtml()) {
        m_cursor.insertFragment(QTextDocumentFragment::fromHtml(data->html(), m_body));
        emit insertionPointMoved();
        return true;
    }
    if (data && data->hasText()) {
        typeText(data->text());
        return true;
    }
    return fail(error, QStringLiteral("The clipboard holds no text to paste."));
}

QString WordDocument::title() const
{
    if (m_filePath.isEmpty())
        return QStringLiteral("Document%1").arg(m_number);
    return QFileInfo(m_filePath).fileName();
}

bool WordDocument::isModified() const
{
    return m_body->isModified();
}

} // namespace vantrel::office
