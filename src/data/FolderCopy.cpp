#include "data/FolderCopy.h"

#include "data/DeliveredProgram.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <cstdio>

namespace vantrel::data {

namespace {

// Network shares keep file times to two seconds (FAT, some SMB servers): a
// copy whose time was rounded there is the same file, not a newer one.
constexpr qint64 sameTimeMilliseconds = 2000;
constexpr qint64 chunkBytes = 1024 * 1024;

const QString started = QStringLiteral("started");
const QString copied = QStringLiteral("copied");
const QString failed = QStringLiteral("FAILED");
const QString finished = QStringLiteral("finished");
const QString reported = QStringLiteral("reported");

QString& programOverride()
{
    static QString path;
    return path;
}

// One line a record, fields apart by tabs; a file name may hold either, so both
// are written escaped.
QString escaped(QString field)
{
    field.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    field.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    field.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    field.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return field;
}

QString unescaped(const QString& field)
{
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c != QLatin1Char('\\') || i + 1 == field.size()) {
            text.append(c);
            continue;
        }
        const QChar next = field.at(++i);
        text.append(next == QLatin1Char('t') ? QChar(u'\t')
                : next == QLatin1Char('n')   ? QChar(u'\n')
                : next == QLatin1Char('r')   ? QChar(u'\r')
                                             : next);
    }
    return text;
}

class Log {
public:
    explicit Log(const QString& path)
        : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            std::fprintf(stderr, "vantrel-foldercopy: the log %s cannot be written: %s\n",
                qPrintable(path), qPrintable(m_file.errorString()));
        }
    }

    void write(const QString& kind, const QStringList& fields)
    {
        if (!m_file.isOpen())
            return;
        QStringList line { QDateTime::currentDateTime().toString(Qt::ISODate), kind };
        for (const QString& field : fields)
            line.append(escaped(field));
        // One write a line, so that the program reading the log meanwhile
        // never meets half a record.
        m_file.write((line.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
        m_file.flush();
    }

private:
    QFile m_file;
};

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The content goes to a file beside the target that takes its place in one
// rename, so a copy that breaks off never leaves half a document under the name.
bool copyFile(const QFileInfo& source, const QString& targetPath, QString* reason)
{
    QFile from(source.filePath());
    if (!from.open(QIODevice::ReadOnly)) {
        *reason = from.errorString();
        return false;
    }
    QSaveFile to(targetPath);
    if (!to.open(QIODevice::WriteOnly)) {
        *reason = to.errorString();
        return false;
    }
    while (!from.atEnd()) {
        const QByteArray chunk = from.read(chunkBytes);
        if (chunk.isEmpty() && from.error() != QFileDevice::NoError) {
            *reason = from.errorString();
            to.cancelWriting();
            return false;
        }
        if (to.write(chunk) != chunk.size()) {
            *reason = to.errorString();
            to.cancelWriting();
            return false;
        }
    }
    // The copy keeps the original's time, or it would count as newer than the
    // original at the next synchronization and travel back.
    to.flush();
    to.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
    if (!to.commit()) {
        *reason = to.errorString();
        return false;
    }
    return true;
}

void copyFolder(const FolderCopy::Step& step, Log& log, FolderCopy::Outcome* outcome)
{
    const QDir source(step.source);
    if (!source.exists())
        return;
    auto fail = [&](const QString& from, const QString& to, const QString& reason) {
        outcome->failures.append({ nativePath(from), nativePath(to), reason });
        log.write(failed, { nativePath(from), nativePath(to), reason });
    };
    if (!QDir().mkpath(step.target)) {
        fail(step.source, step.target, QStringLiteral("the folder cannot be created"));
        return;
    }
    const QDir target(step.target);
    // Links are no documents of the office: one could lead the copy anywhere.
    // Hidden files are the lock files of programs that have a document open.
    const QFileInfoList files = source.entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString targetPath = target.filePath(file.fileName());
        const QFileInfo existing(targetPath);
        if (existing.isSymLink() || (existing.exists() && !existing.isFile())) {
            fail(file.filePath(), targetPath, QStringLiteral("the target is no plain file"));
            continue;
        }
        if (existing.exists()) {
            const qint64 newer = existing.lastModified().msecsTo(file.lastModified());
            if (newer < sameTimeMilliseconds) {
                ++outcome->kept;
                continue;
            }
        }
        QString reason;
        if (!copyFile(file, targetPath, &reason)) {
            fail(file.filePath(), targetPath, reason);
            continue;
        }
        ++outcome->copied;
        log.write(copied, { nativePath(file.filePath()), nativePath(targetPath) });
    }
}

} // namespace

const QString FolderCopy::logName = QStringLiteral("FolderCopy.log");

QList<FolderCopy::Step> FolderCopy::steps(
    const QString& programFolder, const QString& serverDocuments, const QString& serverAttachments)
{
    const QDir local(programFolder);
    const QString localDocuments = local.filePath(QStringLiteral("Documents"));
    const QString localAttachments = local.filePath(QStringLiteral("Attachments"));
    return {
        { localDocuments, serverDocuments },
        { localAttachments, serverAttachments },
        { serverDocuments, localDocuments },
        { serverAttachments, localAttachments },
    };
}

FolderCopy::Outcome FolderCopy::run(const QList<Step>& steps, const QString& logPath)
{
    Log log(logPath);
    QStringList folders;
    for (const Step& step : steps)
        folders.append(nativePath(step.source) + QStringLiteral(" > ") + nativePath(step.target));
    log.write(started, folders);
    Outcome outcome;
    for (const Step& step : steps)
        copyFolder(step, log, &outcome);
    log.write(finished,
        { QStringLiteral("%1 copied, %2 left as they were, %3 failed")
                .arg(outcome.copied)
                .arg(outcome.kept)
                .arg(outcome.failures.size()) });
    return outcome;
}

QString FolderCopy::programPath()
{
    if (!programOverride().isEmpty())
        return programOverride();
    return deliveredProgramPath(QStringLiteral("vantrel-foldercopy"));
}

void FolderCopy::setProgramPath(const QString& path)
{
    programOverride() = path;
}

bool FolderCopy::startDetached(const QString& programFolder, const QString& serverDocuments,
    const QString& serverAttachments, QString* error)
{
    const QString program = programPath();
    const QString folder = QDir(programFolder).absolutePath();
    if (!QFileInfo(program).isExecutable()
        || !QProcess::startDetached(program,
            { folder, QDir(serverDocuments).absolutePath(),
                QDir(serverAttachments).absolutePath() },
            folder)) {
        *error = QStringLiteral("The folders Documents and Attachments could not be copied: "
                                "the program %1 could not be started.")
                     .arg(nativePath(program));
        return false;
    }
    return true;
}

// A line counts once it is whole: the copier may be writing the next one.
// The mark of what was reported holds the length of the log read then, so a
// failure written between the reading and the mark is still reported later.
bool FolderCopy::takeUnreportedFailures(
    const QString& logPath, QList<Failure>* failures, QString* error)
{
    failures->clear();
    QFile file(logPath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("The log %1 cannot be read: %2")
                     .arg(nativePath(logPath), file.errorString());
        return false;
    }
    const QByteArray content = file.readAll();
    file.close();
    const qsizetype whole = content.lastIndexOf('\n') + 1;

    struct Line {
        qsizetype start;
        QStringList fields;
    };
    QList<Line> lines;
    qsizetype reportedUpTo = 0;
    for (qsizetype start = 0; start < whole;) {
        const qsizetype end = content.indexOf('\n', start);
        QString text = QString::fromUtf8(content.mid(start, end - start));
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QStringList fields = text.split(QLatin1Char('\t'));
        if (fields.size() >= 3 && fields.at(1) == reported)
            reportedUpTo = qMax(reportedUpTo, fields.at(2).toLongLong());
        else if (fields.size() >= 5 && fields.at(1) == failed)
            lines.append({ start, fields });
        start = end + 1;
    }
    for (const Line& line : std::as_const(lines)) {
        if (line.start < reportedUpTo)
            continue;
        failures->append({ unescaped(line.fields.at(2)), unescaped(line.fields.at(3)),
            unescaped(line.fields.at(4)) });
    }
    if (failures->isEmpty())
        return true;
    Log log(logPath);
    log.write(reported, { QString::number(whole) });
    return true;
}

} // namespace vantrel::data
