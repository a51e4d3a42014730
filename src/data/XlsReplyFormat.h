#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVariant>

namespace vantrel::data {

// What the .xls helper process (vantrel-xlsread) hands back to XlsReader on its
// standard output.
struct XlsReply {
    enum Status : qint32 { Read = 0, Damaged = 1, Protected = 2, Refused = 3 };
    Status status = Read;
    QString reason; // for Refused: why the sheet is beyond the worksheet limits
    QStringList names;
    QList<QVariantList> rows;
};

// The helper's limits: FreeXL gets this much address space (a sheet at the cell
// limit needs some 300 MB of it) and processor time; XlsReader waits twice that
// time on the clock before it gives up on the helper.
inline constexpr long xlsReaderMemoryBytes = 768L * 1024 * 1024;
inline constexpr long xlsReaderSeconds = 15;

QByteArray encodeXlsReply(const XlsReply& reply);
// False for anything but a complete, well-formed reply holding only cell values.
bool decodeXlsReply(const QByteArray& data, XlsReply* reply);

} // namespace vantrel::data
