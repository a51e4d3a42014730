#include "data/FolderCopy.h"

#include "TestFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

using vantrel::data::FolderCopy;

namespace {

const QDateTime monday(QDate(2026, 11, 2), QTime(9, 0));

void writeFile(const QString& path, const QByteArray& content, const QDateTime& time)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    // Written out first, or the write at closing would give the file the present time.
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QDateTime timeOf(const QString& path)
{
    return QFileInfo(path).lastModified();
}

// The log's records as kind and fields, without their times.
QList<QStringList> logRecords(const QString& path)
{
    QList<QStringList> records;
    const QList<QByteArray> lines = contentOf(path).split('\n');
    for (const QByteArray& line : lines) {
        QStringList fields = QString::fromUtf8(line).split('\t');
        if (fields.size() < 2)
            continue;
        fields.removeFirst();
        records.append(fields);
    }
    return records;
}

QStringList copiedFiles(const QString& logPath)
{
    QStringList copied;
    for (const QStringList& record : logRecords(logPath)) {
        if (record.first() == "copied")
            copied.append(record.at(1) + " > " + record.at(2));
    }
    return copied;
}

// A folder no file can be created in, also for root (the tests may run as root,
// whom permissions do not stop): the immutable attribute where it can be set.
bool makeUnwritable(const QString& folder)
{
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(folder + "/probe");
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.close();
    probe.remove();
    if (QProcess::execute("chattr", { "+i", folder }) != 0)
        return false;
    QFile again(folder + "/probe");
    return !again.open(QIODevice::WriteOnly);
}

void makeWritable(const QString& folder)
{
    QProcess::execute("chattr", { "-i", folder });
    QFile::setPermissions(
        folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class TestFolderCopy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newerFileWinsOnBothSidesInTheOrderOfTheCopy();
    void unwritableServerFolderIsLoggedAndTheRestGoesOn();
    void whatCannotBeCopiedIsLoggedAndTheRestGoesOn();
    void failuresAreReportedOnce();
    void detachedCopierWritesItsLog();

private:
    QString local(const QString& name) const { return m_local->filePath(name); }
    QString server(const QString& name) const { return m_server->filePath(name); }
    QList<FolderCopy::Step> steps() const
    {
        return FolderCopy::steps(m_local->path(), server("Documents"), server("Attachments"));
    }
    QString log() const { return local(FolderCopy::logName); }

    std::unique_ptr<vantrel::test::TestFolder> m_local;
    std::unique_ptr<QTemporaryDir> m_server;
    QString m_unwritable;
};

void TestFolderCopy::init()
{
    m_local = std::make_unique<vantrel::test::TestFolder>();
    m_server = std::make_unique<QTemporaryDir>();
    QDir().mkpath(local("Documents"));
    QDir().mkpath(local("Attachments"));
    QDir().mkpath(server("Documents"));
    QDir().mkpath(server("Attachments"));
}

void TestFolderCopy::cleanup()
{
    if (!m_unwritable.isEmpty())
        makeWritable(m_unwritable);
    m_unwritable.clear();
    m_server.reset();
    m_local.reset();
}

void TestFolderCopy::newerFileWinsOnBothSidesInTheOrderOfTheCopy()
{
    writeFile(local("Documents/offer.rtf"), "laptop only", monday);
    writeFile(server("Documents/minutes.rtf"), "server only", monday);
    writeFile(local("Documents/letter.rtf"), "laptop, newer", monday.addSecs(3600));
    writeFile(server("Documents/letter.rtf"), "server, older", monday);
    writeFile(local("Documents/price.rtf"), "laptop, older", monday);
    writeFile(server("Documents/price.rtf"), "server, newer", monday.addDays(1));
    writeFile(local("Documents/same.rtf"), "laptop, same time", monday);
    writeFile(server("Documents/same.rtf"), "server, same time", monday);
    writeFile(local("Attachments/drawing.pdf"), "laptop drawing", monday);
    writeFile(server("Attachments/sheet.pdf"), "server sheet", monday);
    writeFile(local("Attachments/.~lock.drawing.pdf#"), "lock file", monday);

    const FolderCopy::Outcome outcome = FolderCopy::run(steps(), log());
    QVERIFY(outcome.failures.isEmpty());
    QCOMPARE(outcome.copied, 6);

    QCOMPARE(contentOf(server("Documents/offer.rtf")), QByteArray("laptop only"));
    QCOMPARE(contentOf(local("Documents/minutes.rtf")), QByteArray("server only"));
    QCOMPARE(contentOf(server("Documents/letter.rtf")), QByteArray("laptop, newer"));
    QCOMPARE(contentOf(local("Documents/letter.rtf")), QByteArray("laptop, newer"));
    // The older laptop copy never overwrites the newer file on the server.
    QCOMPARE(contentOf(server("Documents/price.rtf")), QByteArray("server, newer"));
    QCOMPARE(contentOf(local("Documents/price.rtf")), QByteArray("server, newer"));
    QCOMPARE(contentOf(local("Documents/same.rtf")), QByteArray("laptop, same time"));
    QCOMPARE(contentOf(server("Documents/same.rtf")), QByteArray("server, same time"));
    QCOMPARE(contentOf(server("Attachments/drawing.pdf")), QByteArray("laptop drawing"));
    QCOMPARE(contentOf(local("Attachments/sheet.pdf")), QByteArray("server sheet"));
    QVERIFY(!QFile::exists(server("Attachments/.~lock.drawing.pdf#")));
    // A copy keeps its original's time, so it does not count as newer next time.
    QCOMPARE(timeOf(server("Documents/letter.rtf")), monday.addSecs(3600));
    QCOMPARE(timeOf(local("Documents/price.rtf")), monday.addDays(1));

    // Local folders to the server first, then the server's back.
    const QString localDocuments = QDir::toNativeSeparators(local("Documents"));
    const QString serverDocuments = QDir::toNativeSeparators(server("Documents"));
    QCOMPARE(copiedFiles(log()),
        QStringList({ localDocuments + "/letter.rtf > " + serverDocuments + "/letter.rtf",
            localDocuments + "/offer.rtf > " + serverDocuments + "/offer.rtf",
            local("Attachments/drawing.pdf") + " > " + server("Attachments/drawing.pdf"),
            serverDocuments + "/minutes.rtf > " + localDocuments + "/minutes.rtf",
            serverDocuments + "/price.rtf > " + localDocuments + "/price.rtf",
            server("Attachments/sheet.pdf") + " > " + local("Attachments/sheet.pdf") }));
    QCOMPARE(logRecords(log()).first().first(), QString("started"));
    QCOMPARE(logRecords(log()).last(),
        QStringList({ "finished", "6 copied, 6 left as they were, 0 failed" }));

    // A second run finds both sides in step.
    const FolderCopy::Outcome again = FolderCopy::run(steps(), log());
    QCOMPARE(again.copied, 0);
    QVERIFY(again.failures.isEmpty());
}

void TestFolderCopy::unwritableServerFolderIsLoggedAndTheRestGoesOn()
{
    writeFile(local("Documents/offer.rtf"), "laptop offer", monday);
    writeFile(local("Attachments/drawing.pdf"), "laptop drawing", monday);
    writeFile(server("Documents/minutes.rtf"), "server minutes", monday);
    m_unwritable = server("Documents");
    if (!makeUnwritable(m_unwritable))
        QSKIP("no folder can be made unwritable here");

    const FolderCopy::Outcome outcome = FolderCopy::run(steps(), log());
    QCOMPARE(outcome.failures.size(), 1);
    QCOMPARE(outcome.failures.first().source, local("Documents/offer.rtf"));
    QCOMPARE(outcome.failures.first().target, server("Documents/offer.rtf"));
    QVERIFY(!outcome.failures.first().reason.isEmpty());
    QVERIFY(!QFile::exists(server("Documents/offer.rtf")));
    QCOMPARE(contentOf(server("Attachments/drawing.pdf")), QByteArray("laptop drawing"));
    QCOMPARE(contentOf(local("Documents/minutes.rtf")), QByteArray("server minutes"));
    const QList<QStringList> records = logRecords(log());
    const auto failed = std::find_if(records.cbegin(), records.cend(),
        [](const QStringList& record) { return record.first() == "FAILED"; });
    QVERIFY(failed != records.cend());
    QCOMPARE(failed->at(1), local("Documents/offer.rtf"));
    QCOMPARE(records.last().last(), QString("2 copied, 1 left as they were, 1 failed"));
}

void TestFolderCopy::whatCannotBeCopiedIsLoggedAndTheRestGoesOn()
{
    // A folder where the file belongs, and a file where the server's folder belongs.
    writeFile(local("Documents/offer.rtf"), "laptop offer", monday);
    QDir().mkpath(server("Documents/offer.rtf"));
    writeFile(local("Documents/letter\twith tab.rtf"), "odd name", monday);
    QDir(server("Attachments")).removeRecursively();
    writeFile(server("Attachments"), "not a folder", monday);
    writeFile(local("Attachments/drawing.pdf"), "laptop drawing", monday);
    QVERIFY(QFile::link(local("Attachments/drawing.pdf"), local("Documents/link.pdf")));

    const FolderCopy::Outcome outcome = FolderCopy::run(steps(), log());
    QCOMPARE(outcome.failures.size(), 2);
    QCOMPARE(outcome.failures.at(0).target, server("Documents/offer.rtf"));
    QCOMPARE(outcome.failures.at(1).target, server("Attachments"));
    QCOMPARE(contentOf(server("Documents/letter\twith tab.rtf")), QByteArray("odd name"));
    // A link could lead anywhere; it is no document of the office.
    QVERIFY(!QFile::exists(server("Documents/link.pdf")));

    QList<FolderCopy::Failure> failures;
    QString error;
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QCOMPARE(failures.size(), 2);
    QCOMPARE(failures.at(0).source, local("Documents/offer.rtf"));
    QCOMPARE(failures.at(0).reason, QString("the target is no plain file"));
    QCOMPARE(failures.at(1).reason, QString("the folder cannot be created"));
}

void TestFolderCopy::failuresAreReportedOnce()
{
    QList<FolderCopy::Failure> failures;
    QString error;
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QVERIFY(failures.isEmpty());

    writeFile(local("Documents/offer.rtf"), "laptop offer", monday);
    QDir().mkpath(server("Documents/offer.rtf"));
    FolderCopy::run(steps(), log());
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QCOMPARE(failures.size(), 1);
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QVERIFY(failures.isEmpty());

    // Half a record, as the copier may be writing it at the moment of reading,
    // waits until it is whole.
    const QByteArray record = QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8()
        + "\tFAILED\t/a/plan.rtf\t/s/plan.rtf\tdisk full";
    {
        QFile file(log());
        QVERIFY(file.open(QIODevice::Append));
        file.write(record.left(30));
    }
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QVERIFY(failures.isEmpty());
    {
        QFile file(log());
        QVERIFY(file.open(QIODevice::Append));
        file.write(record.mid(30) + "\n");
    }
    FolderCopy::run(steps(), log());
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QCOMPARE(failures.size(), 2);
    QCOMPARE(failures.at(0).source, QString("/a/plan.rtf"));
    QCOMPARE(failures.at(0).reason, QString("disk full"));
    QCOMPARE(failures.at(1).target, server("Documents/offer.rtf"));
    QVERIFY(FolderCopy::takeUnreportedFailures(log(), &failures, &error));
    QVERIFY(failures.isEmpty());
}

void TestFolderCopy::detachedCopierWritesItsLog()
{
    writeFile(local("Documents/offer.rtf"), "laptop offer", monday);
    writeFile(server("Attachments/sheet.pdf"), "server sheet", monday);
    QString error;
    QVERIFY2(FolderCopy::startDetached(
                 m_local->path(), server("Documents"), server("Attachments"), &error),
        qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(
        !logRecords(log()).isEmpty() && logRecords(log()).last().first() == "finished", 10000);
    QCOMPARE(contentOf(server("Documents/offer.rtf")), QByteArray("laptop offer"));
    QCOMPARE(contentOf(local("Attachments/sheet.pdf")), QByteArray("server sheet"));

    FolderCopy::setProgramPath(local("nowhere/vantrel-foldercopy"));
    QVERIFY(!FolderCopy::startDetached(
        m_local->path(), server("Documents"), server("Attachments"), &error));
    QVERIFY2(error.startsWith("The folders Documents and Attachments could not be copied"),
        qPrintable(error));
    FolderCopy::setProgramPath(QString());
}

QTEST_GUILESS_MAIN(TestFolderCopy)
#include "TestFolderCopy.moc"
