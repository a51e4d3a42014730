#pragma once

#include <QHash>
#include <QList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

class QTextDocument;
class QTextList;

namespace vantrel::office {

// How a finished paragraph is to be laid out; listKey is empty for a paragraph outside lists.
struct RtfParagraphFormat {
    QTextBlockFormat block;
    QTextCharFormat mark;
    bool inTable = false;
    QString listKey;
    int listLevel = 1;
    QTextListFormat::Style listStyle = QTextListFormat::ListDisc;
};

// The layout of a finished table row: right cell edges in pixels, whether it has borders.
struct RtfRowFormat {
    QList<qreal> cellEdges;
    bool borders = false;
};

// Fills a QTextDocument with what the RTF interpreter reads: text runs, paragraphs, table
// cells and rows. Tables are collected until they end and inserted whole, because growing a
// QTextTable row by row takes quadratic time. An empty paragraph at the very end of the
// document or of a cell is dropped: RTF writers end the last paragraph with \par, while a
// QTextDocument has no such mark.
class RtfDocumentBuilder {
public:
    // Clears the document.
    explicit RtfDocumentBuilder(QTextDocument* document);
    RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
    RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

    void addText(const QString& text, const QTextCharFormat& format);
    void endParagraph(const RtfParagraphFormat& format);
    void endCell(const RtfParagraphFormat& format);
    void endRow(const RtfRowFormat& row);
    // Ends the document; a paragraph left open takes the given format.
    void finish(const RtfParagraphFormat& format);

    bool paragraphHasText() const { return !m_runs.isEmpty(); }
    // Whether any text was added.
    bool hasContent() const { return m_hasContent; }

private:
    struct Run {
        QString text;
        QTextCharFormat format;
    };
    struct Paragraph {
        QList<Run> runs;
        RtfParagraphFormat format;
    };
    using Cell = QList<Paragraph>;
    using ListMap = QHash<QString, QTextList*>;
    struct Target {
        QTextCursor cursor;
        bool blockUsed = false;
        ListMap lists;
    };

    Paragraph takeParagraph(const RtfParagraphFormat& format);
    void endTableRow();
    void insertTable();
    static void insertParagraph(Target* target, const Paragraph& paragraph);

    QTextDocument* m_document;
    bool m_undoWasEnabled;
    Target m_body;
    QList<Run> m_runs;
    bool m_hasContent = false;
    QList<QList<Cell>> m_rows;
    QList<Cell> m_cells;
    Cell m_cell;
    RtfRowFormat m_widestRow;
    bool m_tableBorders = false;
};

} // namespace vantrel::office
