#include "data/XlsReplyFormat.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

namespace vantrel::data {

namespace {

constexpr quint32 replyMagic = 0x56584c53; // "VXLS"
constexpr quint32 replyVersion = 1;

bool isCellValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray encodeXlsReply(const XlsReply& reply)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    stream << replyMagic << replyVersion << qint32(reply.status) << reply.reason << reply.names
           << reply.rows;
    return data;
}

bool decodeXlsReply(const QByteArray& data, XlsReply* reply)
{
    QDataStream stream(data);
    stream.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    qint32 status = -1;
    XlsReply result;
    stream >> magic >> version >> status;
    if (stream.status() != QDataStream::Ok || magic != replyMagic || version != replyVersion
        || status < XlsReply::Read || status > XlsReply::Refused)
        return false;
    result.status = XlsReply::Status(status);
    stream >> result.reason >> result.names >> result.rows;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return false;
    for (const QVariantList& row : std::as_const(result.rows)) {
        for (const QVariant& value : row) {
            if (!isCellValue(value))
                return false;
        }
    }
    *reply = std::move(result);
    return true;
}

} // namespace vantrel::data
