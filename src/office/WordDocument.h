#pragma once

#include <QObject>
#include <QString>
#include <QTextCursor>

class QPagedPaintDevice;
class QTextDocument;

namespace vantrel::office {

// A document of the word processor: the body the user writes and the page header
// (the letterhead) that comes from the template, is printed on every page and is
// saved with the document, but is never part of the body. The insertion point is
// where typed and pasted text goes.
class WordDocument : public QObject {
    Q_OBJECT
public:
    explicit WordDocument(QObject* parent = nullptr);
    ~WordDocument() override;

    // Takes body and page header from a template file: RTF, or plain text which
    // becomes the body. The document stays unnamed and unmodified, the insertion
    // point at the start. On failure the document is left as it was.
    bool loadTemplate(const QString& path, QString* error);

    QTextDocument* body() const { return m_body; }
    QTextDocument* pageHeader() const { return m_pageHeader; }

    QTextCursor insertionPoint() const { return m_cursor; }
    void setInsertionPoint(const QTextCursor& cursor);
    // Typed at the insertion point; CR LF (or a lone CR or LF) starts a new paragraph.
    void typeText(const QString& text);
    void moveToEnd();

    // Writes RTF with the page header, replacing an older file; the document then
    // carries that file's name and counts as unmodified.
    bool saveAs(const QString& path, QString* error);
    // A copy as OpenDocument text; the letterhead stands above the body, as the
    // format's writer knows no page headers.
    bool exportOdt(const QString& path, QString* error) const;
    // A copy as PDF, paged as printed.
    bool exportPdf(const QString& path, QString* error) const;
    // Pages with the letterhead on each; see LetterheadPrinter.
    bool print(QPagedPaintDevice* device, QString* error) const;

    // The whole body on the clipboard as RTF, HTML and plain text; the letterhead
    // stays behind.
    void copyWholeBody() const;
    // The clipboard's rich text at the insertion point: RTF when offered, else HTML,
    // else plain text. False when the clipboard holds no text.
    bool paste(QString* error);

    // Empty until saved.
    QString filePath() const { return m_filePath; }
    // The file's name once saved, else "Document" and a number.
    QString title() const;
    bool isModified() const;

signals:
    // The insertion point moved through one of the operations above.
    void insertionPointMoved();
    void titleChanged();

private:
    void insertParagraphs(const QString& text);

    QTextDocument* m_body;
    QTextDocument* m_pageHeader;
    QTextCursor m_cursor;
    QString m_filePath;
    int m_number;
};

} // namespace vantrel::office
