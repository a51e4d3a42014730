#pragma once

#include <QList>
#include <QTextCharFormat>
#include <QTextListFormat>
#include <QTextOption>

namespace vantrel::office {

// Character properties as RTF keeps them per group; sizes in half-points, colours as indexes
// into the colour table (0 is "automatic").
struct RtfCharacterState {
    int font = -1;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;
    int foreground = 0;
    int background = 0;

    bool operator==(const RtfCharacterState&) const = default;
};

// The old-style paragraph numbering of a {\pn ...} group.
enum class RtfNumbering { None, Bullet, Body, Level, Continue };

// Paragraph properties as RTF keeps them per group; lengths in twips.
struct RtfParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    bool inTable = false;
    QList<QTextOption::Tab> tabs;
    int listOverride = 0;
    int listLevel = 0;
    RtfNumbering numbering = RtfNumbering::None;
    int numberingLevel = 0;
    QTextListFormat::Style numberingStyle = QTextListFormat::ListDecimal;
};

} // namespace vantrel::office
