#include "office/RtfReader.h"

#include "office/RtfInterpreter.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace vantrel::office {

namespace {

qsizetype rtfStart(const QByteArray& data)
{
    qsizetype start = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < data.size() && QChar::isSpace(static_cast<unsigned char>(data.at(start))))
        ++start;
    return QByteArrayView(data).sliced(start).startsWith("{\\rtf") ? start : -1;
}

// Why data is a binary file that cannot be read as text, or an empty string.
QString binaryKind(const QByteArray& data)
{
    if (data.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return QStringLiteral(
            "The document is a binary Word file (.doc or .dot); only RTF and text "
            "documents can be read. Save it as RTF in the word processor.");
    if (data.startsWith("PK\x03\x04"))
        return QStringLiteral("The document is a zipped file (such as .docx or .odt); only RTF and "
                              "text documents can be read. Save it as RTF in the word processor.");
    if (data.startsWith("%PDF"))
        return QStringLiteral(
            "The document is a PDF file; only RTF and text documents can be read.");
    const bool utf16 = data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF");
    if (!utf16 && data.left(65536).contains('\0'))
        return QStringLiteral("The document is a binary file, neither RTF nor text.");
    return {};
}

QString decodePlainText(const QByteArray& data)
{
    if (data.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless)
            .decode(data.sliced(2));
    if (data.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless)
            .decode(data.sliced(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data.startsWith("\xEF\xBB\xBF") ? data.sliced(3) : data);
    if (!utf8.hasError())
        return text;
    text.clear();
    CodePageDecoder().decode(data.constData(), data.size(), 1252, &text);
    return text;
}

QString bulletOf(const QTextList* list, const QTextBlock& block)
{
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("\u2022");
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA");
    default:
        return list->itemText(block);
    }
}

QString blockText(const QTextBlock& block)
{
    QString text = block.text();
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::Nbsp, u' ');
    if (const QTextList* list = block.textList())
        text.prepend(bulletOf(list, block) + u' ');
    return text;
}

void appendFrameText(const QTextFrame* frame, QStringList* lines)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        const QTextFrame* child = it.currentFrame();
        const auto* table = qobject_cast<const QTextTable*>(child);
        if (table) {
            for (int row = 0; row < table->rows(); ++row) {
                QStringList cells;
                for (int column = 0; column < table->columns(); ++column) {
                    const QTextTableCell cell = table->cellAt(row, column);
                    if (cell.row() != row || cell.column() != column)
                        continue;
                    QStringList cellLines;
                    for (auto cellIt = cell.begin(); !cellIt.atEnd(); ++cellIt) {
                        if (cellIt.currentBlock().isValid())
                            cellLines.append(blockText(cellIt.currentBlock()));
                    }
                    cells.append(cellLines.join(u' '));
                }
                lines->append(cells.join(u'\t'));
            }
        }
        else if (child) {
            appendFrameText(child, lines);
        }
        else {
            lines->append(blockText(it.currentBlock()));
        }
    }
}

} // namespace

bool readRtf(const QByteArray& data, QTextDocument* body, QTextDocument* pageHeader, QString* error)
{
    const qsizetype start = rtfStart(data);
    if (start >= 0) {
        RtfInterpreter(body, pageHeader).run(QByteArrayView(data).sliced(start));
        return true;
    }
    if (const QString kind = binaryKind(data); !kind.isEmpty()) {
        if (error)
            *error = kind;
        return false;
    }
    body->setPlainText(decodePlainText(data));
    if (pageHeader)
        pageHeader->clear();
    return true;
}

QString plainTextOfRtf(const QByteArray& data)
{
    QTextDocument document;
    if (!readRtf(data, &document, nullptr, nullptr))
        return {};
    QStringList lines;
    appendFrameText(document.rootFrame(), &lines);
    return lines.join(u'\n');
}

} // namespace vantrel::office
