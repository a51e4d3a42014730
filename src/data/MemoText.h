#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace vantrel::data {

// A phrase sought in the text of memos: call reports, letters and notes are kept
// as RTF, and what a user searches for is the text the report shows, not its
// markup. Control words, font and colour tables and other hidden groups are
// passed over; escaped characters (\'fc, \u252) count as the letters they stand
// for; a memo that is not RTF is searched as it stands. Letter case is ignored.
class MemoPhrase {
public:
    explicit MemoPhrase(QStringView phrase);

    // The memo as stored: UTF-8 text, RTF or plain.
    bool isFoundIn(QByteArrayView memo) const;

private:
    // Both sides are compared as case-folded UTF-8.
    QByteArray m_folded;
};

} // namespace vantrel::data
