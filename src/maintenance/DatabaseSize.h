#pragma once

#include <QString>

namespace vantrel::maintenance {

// How full the business database is: its length in decimal megabytes and as a
// share of the 2,000,000,000 bytes the database may hold.
class DatabaseSize {
public:
    // How the megabytes are written: always two decimals and no leading zero
    // (".50", "50.00"), or up to two decimals with the separator kept ("12.", "12.5").
    enum class Megabytes { TwoDecimals, UpToTwoDecimals };

    static constexpr qint64 maximumBytes = 2000000000;

    // The length of the file; -1 when it does not exist.
    static qint64 bytesOf(const QString& fileName);

    static QString megabytes(qint64 bytes, Megabytes pattern);
    // At least one digit before the separator and always two after it ("2.50", "0.03").
    static QString percent(qint64 bytes);

    // "Your database is ... MB in size, which is ... % of its maximum capacity."
    // for CONTACT.mdb of the program folder; empty when there is no such file.
    static QString text(Megabytes pattern);
};

} // namespace vantrel::maintenance
