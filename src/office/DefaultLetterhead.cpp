#include "office/DefaultLetterhead.h"

#include "office/RtfWriter.h"

#include <QDir>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

namespace vantrel::office {

namespace {

void addLine(QTextCursor* cursor, const QString& text, qreal pointSize, bool bold, bool first)
{
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    QTextCharFormat chars;
    chars.setFontFamilies({ QStringLiteral("Arial") });
    chars.setFontPointSize(pointSize);
    chars.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    chars.setForeground(bold ? QColor(0x1f, 0x3a, 0x5f) : QColor(0x40, 0x40, 0x40));
    if (first) {
        cursor->setBlockFormat(block);
        cursor->setBlockCharFormat(chars);
    }
    else {
        cursor->insertBlock(block, chars);
    }
    cursor->insertText(text, chars);
}

} // namespace

bool writeDefaultLetterhead(const QString& folder, QString* error)
{
    QTextDocument header;
    QTextCursor cursor(&header);
    addLine(&cursor, QStringLiteral("Your Company Name"), 18, true, true);
    addLine(&cursor, QStringLiteral("Street and Number \u00b7 Postal Code and City \u00b7 Country"),
        9, false, false);
    addLine(&cursor, QStringLiteral("Telephone +00 000 000 000 \u00b7 info@example.com"), 9, false,
        false);

    QTextDocument body;
    QTextCharFormat bodyFormat;
    bodyFormat.setFontFamilies({ QStringLiteral("Times New Roman") });
    bodyFormat.setFontPointSize(12);
    QTextCursor(&body).setBlockCharFormat(bodyFormat);

    const QString path = QDir(folder).filePath(QString::fromUtf16(letterheadFileName));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("'%1' could not be written: %2").arg(path, file.errorString());
        return false;
    }
    file.write(writeRtf(body, &header));
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("'%1' could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace vantrel::office
