#include "ApplicationTest.h"
#include "Controls.h"
#include "RecordingMessageBoxHandler.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/SetupFlag.h"
#include "maintenance/FormReplica.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vantrel;

namespace {

const QByteArray ownLetterhead = "{\\rtf1\\ansi Our own letterhead\\par}";

// Runs a program to its end; its output becomes the failure text.
bool runToEnd(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(120'000);
    *output = QStringLiteral("%1 %2: %3")
                  .arg(program, arguments.join(QLatin1Char(' ')),
                      QString::fromLocal8Bit(process.readAll()));
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The working folder for the data library's bare file names, for as long as it lives.
class InFolder {
public:
    explicit InFolder(const QString& folder)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~InFolder() { QDir::setCurrent(m_previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    QString m_previous;
};

} // namespace

// The program image is rewritten by every build; the run folder laid out from it
// is the user's, and a rebuild followed by a new lay-out must leave it as it was.
class TestRunFolder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rebuildKeepsDataAndSetup();

private:
    void layOut();
    void rebuildImage();
    void setUpAsSingleUser();
    // Starts the real program on the run folder without a display and tells
    // whether it got past the set-up screen to the main window within a few seconds.
    bool reachesMainWindow();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image;
    QString m_run;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestRunFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_image = m_dir->filePath(QStringLiteral("image"));
    m_run = m_dir->filePath(QStringLiteral("run folder"));
    QString output;
    QVERIFY2(runToEnd(QStringLiteral("cp"),
                 { QStringLiteral("-a"), QStringLiteral(VANTREL_PROGRAM_DIR), m_image }, &output),
        qPrintable(output));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
}

void TestRunFolder::cleanup()
{
    platform::MessageBox::setHandler(nullptr);
    m_dir.reset();
}

void TestRunFolder::layOut()
{
    QString output;
    QVERIFY2(runToEnd(QStringLiteral(VANTREL_SOURCE_DIR "/scripts/run-folder.sh"),
                 { m_image, m_run }, &output),
        qPrintable(output));
}

// What the build does to the image: the tools write the delivered files again.
void TestRunFolder::rebuildImage()
{
    const QString before = QFileInfo(m_image + QStringLiteral("/User.mdb"))
                               .lastModified()
                               .toString(Qt::ISODateWithMs);
    QTest::qWait(20); // a rewrite shows in the modification time
    for (const char* tool : { VANTREL_MAKEDB, VANTREL_MAKELETTERHEAD, VANTREL_MAKEWORKBOOKS }) {
        QString output;
        QVERIFY2(runToEnd(QString::fromLocal8Bit(tool), { m_image }, &output), qPrintable(output));
    }
    QVERIFY(
        QFileInfo(m_image + QStringLiteral("/User.mdb")).lastModified().toString(Qt::ISODateWithMs)
        != before);
}

// The set-up screen's single-user choice, as the user makes it on the first start.
void TestRunFolder::setUpAsSingleUser()
{
    InFolder folder(m_run);
    QPointer<maintenance::FormReplica> setup = new maintenance::FormReplica;
    setup->setAttribute(Qt::WA_DeleteOnClose);
    setup->show();
    QTRY_VERIFY(setup->isVisible());
    QTest::qWait(0);
    test::findControl<QCheckBox>(setup, "Check1")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QTRY_VERIFY(setup.isNull());

    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY2(db.execute(QStringLiteral("INSERT INTO TABLE01 (TEXT01, TEXT20) VALUES (?, ?)"),
                 { QStringLiteral("O'Brien & Sons"), QStringLiteral("Company") }),
        qPrintable(db.lastError()));
    QFile letterhead(m_run + QStringLiteral("/Letterhead.dot"));
    QVERIFY(letterhead.open(QIODevice::WriteOnly | QIODevice::Truncate));
    letterhead.write(ownLetterhead);
}

bool TestRunFolder::reachesMainWindow()
{
    // The menu, the first screen of the main window, makes this folder; the
    // delivered image has none.
    const QString menuFolder = m_run + QStringLiteral("/Attachments");
    QDir(menuFolder).removeRecursively();
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(
        m_run + QStringLiteral("/vantrel"), { QStringLiteral("--program-folder"), m_run });
    if (!program.waitForStarted())
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(menuFolder) && waited.elapsed() < 8000
        && program.state() == QProcess::Running)
        QTest::qWait(50);
    const bool reached = QFileInfo::exists(menuFolder) && program.state() == QProcess::Running;
    program.terminate();
    if (!program.waitForFinished(5000))
        program.kill();
    program.waitForFinished();
    return reached;
}

void TestRunFolder::rebuildKeepsDataAndSetup()
{
    layOut();
    QVERIFY(QFileInfo::exists(m_run + QStringLiteral("/Temp.mdb")));
    QVERIFY(!QFileInfo::exists(m_run + QStringLiteral("/CONTACT.mdb")));
    // A new workstation waits at the set-up screen: the probe below can tell.
    QVERIFY(!reachesMainWindow());

    QVERIFY(QFileInfo::exists(m_image + QStringLiteral("/Presentation.pdf")));
    QCOMPARE(contentOf(m_run + QStringLiteral("/Presentation.pdf")),
        contentOf(m_image + QStringLiteral("/Presentation.pdf")));

    setUpAsSingleUser();
    rebuildImage();
    // The slide show is the program's own: a new build's replaces the old one.
    QFile slideShow(m_image + QStringLiteral("/Presentation.pdf"));
    QVERIFY(slideShow.open(QIODevice::WriteOnly | QIODevice::Truncate));
    slideShow.write("%PDF new slides");
    slideShow.close();
    layOut();

    QVERIFY(reachesMainWindow());
    QCOMPARE(contentOf(m_run + QStringLiteral("/vantrel")),
        contentOf(m_image + QStringLiteral("/vantrel")));
    QCOMPARE(contentOf(m_run + QStringLiteral("/Letterhead.dot")), ownLetterhead);
    QCOMPARE(contentOf(m_run + QStringLiteral("/Presentation.pdf")), QByteArray("%PDF new slides"));
    InFolder folder(m_run);
    QString flag;
    QString error;
    QVERIFY2(data::SetupFlag::read(&flag, &error), qPrintable(error));
    QCOMPARE(flag, QStringLiteral("1"));
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QCOMPARE(db.scalar(QStringLiteral("SELECT TEXT01 FROM TABLE01")).toString(),
        QStringLiteral("O'Brien & Sons"));
}

VANTREL_TEST_MAIN(TestRunFolder)
#include "TestRunFolder.moc"
