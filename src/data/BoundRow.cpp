#include "data/BoundRow.h"

#include "data/DeferredColumns.h"
#include "data/Statement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace vantrel::data {

namespace {

// Each value is a type byte, then 8 bytes for a number or a 4-byte length and
// the bytes for text (UTF-8) and blobs; NULL and a deferred value are the type
// byte alone.
enum Tag : char { NullTag, IntegerTag, RealTag, TextTag, BlobTag, DeferredTag };

template <typename T> T readScalar(const char* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

BoundRow::BoundRow(std::vector<QVariant> values, quint64 serial)
    : m_values(std::move(values))
    , m_serial(serial)
{
}

BoundRow BoundRow::read(
    sqlite3_stmt* statement, int columnCount, quint64 serial, const DeferredColumns* deferred)
{
    // One pass over the columns into a buffer that keeps its capacity between
    // rows; every column call of the engine takes the connection's lock.
    thread_local std::vector<char> buffer;
    size_t used = 0;
    auto reserve = [&used](size_t size) {
        if (buffer.size() < used + size)
            buffer.resize(std::max(buffer.size() * 2, used + size));
        char* at = buffer.data() + used;
        used += size;
        return at;
    };
    auto put = [&reserve](char tag, const void* data, size_t size) {
        char* at = reserve(1 + size);
        *at = tag;
        std::memcpy(at + 1, data, size);
    };
    for (int c = 0; c < columnCount; ++c) {
        const int type = sqlite3_column_type(statement, c);
        switch (type) {
        case SQLITE_INTEGER: {
            const qint64 value = sqlite3_column_int64(statement, c);
            put(IntegerTag, &value, 8);
            break;
        }
        case SQLITE_FLOAT: {
            const double value = sqlite3_column_double(statement, c);
            put(RealTag, &value, 8);
            break;
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const bool text = type == SQLITE_TEXT;
            // The files are UTF-8, so the length needs no conversion of the value.
            if (deferred && deferred->isDeferrable(c)
                && sqlite3_column_bytes(statement, c) > DeferredColumns::shortestDeferred) {
                *reserve(1) = DeferredTag;
                break;
            }
            const void* bytes = text ? static_cast<const void*>(sqlite3_column_text(statement, c))
                                     : sqlite3_column_blob(statement, c);
            const qint32 length = sqlite3_column_bytes(statement, c);
            put(text ? TextTag : BlobTag, &length, 4);
            if (length > 0)
                std::memcpy(reserve(size_t(length)), bytes, size_t(length));
            break;
        }
        default:
            *reserve(1) = NullTag;
        }
    }
    BoundRow row;
    row.m_packed = QByteArray(buffer.data(), qsizetype(used));
    row.m_serial = serial;
    return row;
}

QVariant BoundRow::value(int column, FieldKind kind, bool* deferred) const
{
    if (deferred)
        *deferred = false;
    if (!m_values.empty())
        return m_values[size_t(column)];
    const char* at = m_packed.constData();
    for (int c = 0; c < column; ++c) {
        switch (*at++) {
        case IntegerTag:
        case RealTag:
            at += 8;
            break;
        case TextTag:
        case BlobTag:
            at += 4 + readScalar<qint32>(at);
            break;
        default:
            break;
        }
    }
    switch (*at++) {
    case IntegerTag:
        return QVariant(qlonglong(readScalar<qint64>(at)));
    case RealTag:
        return QVariant(readScalar<double>(at));
    case TextTag: {
        const QString text = QString::fromUtf8(at + 4, readScalar<qint32>(at));
        if (kind == FieldKind::Date) {
            const QVariant date = fromStoredDate(text);
            if (date.isValid())
                return date;
        }
        return QVariant(text);
    }
    case BlobTag:
        return QVariant(QByteArray(at + 4, readScalar<qint32>(at)));
    case DeferredTag:
        if (deferred)
            *deferred = true;
        return {};
    default:
        return {};
    }
}

void BoundRow::unpack(std::vector<QVariant> values)
{
    m_values = std::move(values);
    m_packed = QByteArray();
}

} // namespace vantrel::data
