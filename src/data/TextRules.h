#pragma once

#include <QString>
#include <QStringView>

struct sqlite3;

namespace vantrel::data {

// How Vantrel compares text, everywhere: letter case never matters (also beyond
// ASCII), and lists put accented letters beside their base letter.

// Order for lists; 0 means equal for comparisons (case ignored, accents kept).
int compareText(QStringView left, QStringView right);

// The engine's Like: * any run, ? one character, # one digit, [abc], [a-z], [!abc].
// Letter case is ignored. Characters such as % and _ are plain characters.
bool matchesLike(QStringView text, QStringView pattern);

// A text made literal for Like: wildcard characters are bracketed, so the
// pattern matches exactly that text (letter case aside).
QString likeLiteralPattern(const QString& text);

// Literal, case-insensitive "anywhere in the text" search.
bool containsText(QStringView text, QStringView needle);

// Installs the collation VANTREL_NOCASE, the functions like(), contains() and
// memoContains(memo, phrase) (see MemoPhrase) on a connection; Database::open does
// this for every file it opens.
void registerTextRules(sqlite3* db);

inline constexpr char textCollation[] = "VANTREL_NOCASE";

} // namespace vantrel::data
