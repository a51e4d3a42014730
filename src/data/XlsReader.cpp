#include "data/XlsReader.h"

#include "data/DeliveredProgram.h"
#include "data/XlsReplyFormat.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace vantrel::data {

namespace {

QString damagedOrTooLarge()
{
    return QStringLiteral("the workbook is damaged or too large");
}

// A reply larger than this is not one a worksheet within the limits produces.
constexpr qint64 maxReplyBytes = 512LL * 1024 * 1024;

QString& helperOverride()
{
    static QString path;
    return path;
}

QString replyReason(const XlsReply& reply)
{
    switch (reply.status) {
    case XlsReply::Read:
        return {};
    case XlsReply::Protected:
        return QStringLiteral("it is protected by a password");
    case XlsReply::Refused:
        return reply.reason.isEmpty() ? damagedOrTooLarge() : reply.reason;
    case XlsReply::Damaged:
        break;
    }
    return damagedOrTooLarge();
}

// Runs the helper on the file and takes its reply; any way it fails (missing,
// killed by its limits, crashed, timed out, garbled) leaves the one reason.
bool runHelper(const QString& path, int sheetIndex, XlsReply* reply, QString* reason)
{
    const QString program = XlsReader::helperPath();
    if (!QFileInfo(program).isExecutable()) {
        *reason = QStringLiteral("the program part that reads Excel 97-2003 workbooks (%1) is "
                                 "missing; please reinstall the program")
                      .arg(QDir::toNativeSeparators(program));
        return false;
    }
    QStringList arguments { path };
    if (sheetIndex >= 0)
        arguments.append(QString::number(sheetIndex));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted()) {
        *reason = damagedOrTooLarge();
        return false;
    }
    QByteArray output;
    // The helper limits its own processor time; the wall-clock deadline also covers
    // a helper that sleeps or waits.
    const QDeadlineTimer deadline(2 * xlsReaderSeconds * 1000);
    bool finished = false;
    while (!finished && !deadline.hasExpired() && output.size() <= maxReplyBytes) {
        finished = process.waitForFinished(50);
        output += process.readAllStandardOutput();
    }
    if (!finished) {
        process.kill();
        process.waitForFinished();
        *reason = damagedOrTooLarge();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !decodeXlsReply(output, reply)) {
        *reason = damagedOrTooLarge();
        return false;
    }
    if (reply->status != XlsReply::Read) {
        *reason = replyReason(*reply);
        return false;
    }
    return true;
}

} // namespace

QString XlsReader::helperPath()
{
    if (!helperOverride().isEmpty())
        return helperOverride();
    return deliveredProgramPath(QStringLiteral("vantrel-xlsread"));
}

void XlsReader::setHelperPath(const QString& path)
{
    helperOverride() = path;
}

bool XlsReader::open(const QString& path, QString* reason)
{
    XlsReply reply;
    if (!runHelper(path, -1, &reply, reason))
        return false;
    m_path = path;
    m_names = reply.names;
    return true;
}

QStringList XlsReader::sheetNames() const
{
    return m_names;
}

bool XlsReader::readSheet(int index, Worksheet* sheet, QString* reason)
{
    XlsReply reply;
    if (!runHelper(m_path, index, &reply, reason))
        return false;
    sheet->rows = std::move(reply.rows);
    sheet->headerFormats.clear();
    return true;
}

} // namespace vantrel::data
