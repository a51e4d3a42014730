#include "office/RtfDocumentBuilder.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace vantrel::office {

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument* document)
    : m_document(document)
    , m_undoWasEnabled(document->isUndoRedoEnabled())
{
    m_document->setUndoRedoEnabled(false);
    m_document->clear();
    m_body.cursor = QTextCursor(m_document);
    // One edit block for the whole load, so that a view showing the document lays it out once.
    m_body.cursor.beginEditBlock();
}

void RtfDocumentBuilder::addText(const QString& text, const QTextCharFormat& format)
{
    if (text.isEmpty())
        return;
    m_hasContent = true;
    if (!m_runs.isEmpty() && m_runs.last().format == format)
        m_runs.last().text += text;
    else
        m_runs.append({ text, format });
}

RtfDocumentBuilder::Paragraph RtfDocumentBuilder::takeParagraph(const RtfParagraphFormat& format)
{
    Paragraph paragraph { std::move(m_runs), format };
    m_runs.clear();
    return paragraph;
}

void RtfDocumentBuilder::endParagraph(const RtfParagraphFormat& format)
{
    if (format.inTable) {
        m_cell.append(takeParagraph(format));
        return;
    }
    if (!m_rows.isEmpty() || !m_cells.isEmpty() || !m_cell.isEmpty())
        insertTable();
    insertParagraph(&m_body, takeParagraph(format));
}

void RtfDocumentBuilder::endCell(const RtfParagraphFormat& format)
{
    if (!m_runs.isEmpty() || m_cell.isEmpty()) {
        RtfParagraphFormat cellFormat = format;
        cellFormat.inTable = true;
        m_cell.append(takeParagraph(cellFormat));
    }
    m_cells.append(std::move(m_cell));
    m_cell.clear();
}

void RtfDocumentBuilder::endRow(const RtfRowFormat& row)
{
    if (!m_runs.isEmpty()) {
        RtfParagraphFormat cellFormat;
        cellFormat.inTable = true;
        endCell(cellFormat);
    }
    if (m_cells.isEmpty() && m_cell.isEmpty())
        return;
    if (row.cellEdges.size() > m_widestRow.cellEdges.size())
        m_widestRow = row;
    m_tableBorders = m_tableBorders || row.borders;
    endTableRow();
}

void RtfDocumentBuilder::endTableRow()
{
    if (!m_cell.isEmpty()) {
        m_cells.append(std::move(m_cell));
        m_cell.clear();
    }
    m_rows.append(std::move(m_cells));
    m_cells.clear();
}

void RtfDocumentBuilder::finish(const RtfParagraphFormat& format)
{
    if (!m_runs.isEmpty()) {
        if (format.inTable) {
            endCell(format);
            endTableRow();
        }
        else {
            endParagraph(format);
        }
    }
    if (!m_rows.isEmpty() || !m_cells.isEmpty() || !m_cell.isEmpty())
        insertTable();
    m_body.cursor.endEditBlock();
    m_document->setUndoRedoEnabled(m_undoWasEnabled);
    m_document->setModified(false);
}

void RtfDocumentBuilder::insertTable()
{
    if (!m_cells.isEmpty() || !m_cell.isEmpty())
        endTableRow();
    qsizetype columns = 1;
    for (const auto& row : std::as_const(m_rows))
        columns = std::max(columns, row.size());

    QTextTableFormat tableFormat;
    tableFormat.setBorder(m_tableBorders ? 1 : 0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setBorderCollapse(true);
    tableFormat.setCellSpacing(0);
    tableFormat.setCellPadding(4);
    const QList<qreal>& edges = m_widestRow.cellEdges;
    if (edges.size() == columns) {
        QList<QTextLength> widths;
        qreal left = 0;
        for (const qreal edge : edges) {
            widths.append(QTextLength(QTextLength::FixedLength, std::max<qreal>(edge - left, 1)));
            left = std::max(left, edge);
        }
        tableFormat.setColumnWidthConstraints(widths);
    }

    if (m_body.blockUsed)
        m_body.cursor.movePosition(QTextCursor::EndOfBlock);
    QTextTable* table = m_body.cursor.insertTable(
        static_cast<int>(m_rows.size()), static_cast<int>(columns), tableFormat);
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        const auto& row = m_rows.at(r);
        for (qsizetype c = 0; c < row.size(); ++c) {
            Target cell;
            cell.cursor
                = table->cellAt(static_cast<int>(r), static_cast<int>(c)).firstCursorPosition();
            for (const Paragraph& paragraph : row.at(c))
                insertParagraph(&cell, paragraph);
        }
    }
    m_body.cursor = table->lastCursorPosition();
    m_body.cursor.movePosition(QTextCursor::NextBlock);
    m_body.blockUsed = false;
    m_body.lists.clear();
    m_rows.clear();
    m_widestRow = {};
    m_tableBorders = false;
}

void RtfDocumentBuilder::insertParagraph(Target* target, const Paragraph& paragraph)
{
    const RtfParagraphFormat& format = paragraph.format;
    if (target->blockUsed) {
        target->cursor.insertBlock(format.block, format.mark);
    }
    else {
        target->cursor.setBlockFormat(format.block);
        target->cursor.setBlockCharFormat(format.mark);
        target->blockUsed = true;
    }
    for (const Run& run : paragraph.runs)
        target->cursor.insertText(run.text, run.format);

    if (format.listKey.isEmpty()) {
        // Old-style numbered paragraphs only form a list while they follow each other.
        for (auto it = target->lists.begin(); it != target->lists.end();) {
            if (it.key().startsWith(u"pn"))
                it = target->lists.erase(it);
            else
                ++it;
        }
        return;
    }
    const QString key = format.listKey + u'/' + QString::number(format.listLevel);
    if (QTextList* list = target->lists.value(key)) {
        list->add(target->cursor.block());
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(format.listStyle);
    listFormat.setIndent(format.listLevel);
    target->lists.insert(key, target->cursor.createList(listFormat));
}

} // namespace vantrel::office
