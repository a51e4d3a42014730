#include "setup/DistributionFolder.h"
#include "setup/FormMain.h"
#include "setup/FormServer.h"
#include "setup/LauncherDesktop.h"
#include "setup/LauncherMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantrel::setup;

namespace {

struct Recorded {
    QStringList opened;
    QStringList started;
    QStringList messages;
    QList<QMessageBox::StandardButton> answers;
};

Recorded* recorded = nullptr;

class RecordingDesktop : public LauncherDesktop {
public:
    bool openDocument(const QString& path, QString*) override
    {
        recorded->opened.append(QDir::cleanPath(path));
        return true;
    }
    bool startPackage(const QString& path, QString*) override
    {
        recorded->started.append(QDir::cleanPath(path));
        return true;
    }
};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

// The launcher of the distribution medium, driven as a person would, with the
// desktop and the message answers recorded.
class TestSetupLauncher : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_recorded = Recorded();
        recorded = &m_recorded;
        LauncherDesktop::setInstance(std::make_unique<RecordingDesktop>());
        LauncherMessages::setAnswerer([](QMessageBox::Icon, const QString& text,
                                          QMessageBox::StandardButtons) {
            recorded->messages.append(text);
            return recorded->answers.isEmpty() ? QMessageBox::Ok : recorded->answers.takeFirst();
        });
        QVERIFY(m_distribution.isValid());
        QDir dir(m_distribution.path());
        QVERIFY(dir.mkpath(QStringLiteral("Files")) && dir.mkpath(QStringLiteral("Program")));
        writeFile(dir.filePath(QStringLiteral("Files/CONTACT.mdb")), "empty master");
        writeFile(dir.filePath(QStringLiteral("Program/vantrel_1.0.0_amd64.deb")), "package");
    }

    void buttonsOpenTheirDocumentsAndHoverShowsTheirHints()
    {
        const DistributionFolder distribution(m_distribution.path());
        FormMain window(distribution);
        QCOMPARE(window.windowTitle(), QStringLiteral("Vantrel Version 1.4"));
        auto* picture = window.findChild<QLabel*>(QStringLiteral("Image1"));
        auto* hint = window.findChild<QLabel*>(QStringLiteral("LabelInstructions"));
        QVERIFY(picture && hint);
        QVERIFY(hint->isHidden());

        auto* instructions = window.findChild<QPushButton*>(QStringLiteral("Command03"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(instructions, &enter);
        QVERIFY(!hint->isHidden());
        QVERIFY(picture->isHidden());
        QVERIFY(hint->text().startsWith(QStringLiteral("Explains the basic configuration")));
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label03"))
                    ->styleSheet()
                    .contains(QStringLiteral("#008000")));
        for (const char* other : { "Label01", "Label05", "Label06", "Label07" })
            QVERIFY(window.findChild<QLabel*>(QLatin1String(other))
                        ->styleSheet()
                        .contains(QStringLiteral("#0000ff")));
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        QVERIFY(hint->isHidden());
        QVERIFY(!picture->isHidden());
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label03"))
                    ->styleSheet()
                    .contains(QStringLiteral("#0000ff")));
        // Leaving the window from a button clears its hover colour too.
        QApplication::sendEvent(instructions, &enter);
        QVERIFY(picture->isHidden());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&window, &leave);
        QVERIFY(!picture->isHidden());
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label03"))
                    ->styleSheet()
                    .contains(QStringLiteral("#0000ff")));

        const QDir dir(m_distribution.path());
        QTest::mouseClick(
            window.findChild<QPushButton*>(QStringLiteral("Command01")), Qt::LeftButton);
        QTest::mouseClick(instructions, Qt::LeftButton);
        QTest::mouseClick(
            window.findChild<QPushButton*>(QStringLiteral("Command07")), Qt::LeftButton);
        QTest::mouseClick(
            window.findChild<QPushButton*>(QStringLiteral("Command06")), Qt::LeftButton);
        QCOMPARE(m_recorded.opened,
            (QStringList { dir.filePath(QStringLiteral("Files/Presentation.pdf")),
                dir.filePath(QStringLiteral("Files/Installation.pdf")),
                dir.filePath(QStringLiteral("Files/Installation_Error.pdf")) }));
        QCOMPARE(m_recorded.started,
            QStringList { dir.filePath(QStringLiteral("Files/install-runtime.sh")) });
        QVERIFY(m_recorded.messages.isEmpty());

        QTest::mouseClick(
            window.findChild<QPushButton*>(QStringLiteral("Command05")), Qt::LeftButton);
        QVERIFY(window.serverSetup());
        QCOMPARE(window.serverSetup()->windowTitle(), QStringLiteral("Vantrel Setup"));
    }

    void skipTouchesNothingAndStartsThePackageAfterTheWarning()
    {
        const DistributionFolder distribution(m_distribution.path());
        FormServer server(distribution);
        QSignalSpy started(&server, &FormServer::installationStarted);
        server.chooseFolder(m_server.path());
        server.findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
        QCOMPARE(started.size(), 1);
        QCOMPARE(m_recorded.messages.size(), 1);
        QVERIFY(m_recorded.messages.first().contains(QStringLiteral("home folder")));
        QCOMPARE(m_recorded.started,
            QStringList { QDir(m_distribution.path())
                              .filePath(QStringLiteral("Program/vantrel_1.0.0_amd64.deb")) });
        QVERIFY(QDir(m_server.path()).isEmpty());
    }

    void okCopiesTheDatabaseAndKeepsExistingFolders()
    {
        QDir folder(m_server.path());
        QVERIFY(folder.mkpath(QStringLiteral("Documents"))
            && folder.mkdir(QStringLiteral("Attachments")));
        writeFile(folder.filePath(QStringLiteral("Documents/offer.rtf")), "offer");
        const DistributionFolder distribution(m_distribution.path());
        FormServer server(distribution);
        QSignalSpy started(&server, &FormServer::installationStarted);
        server.chooseFolder(m_server.path());
        QCOMPARE(server.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), m_server.path());
        server.findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
        QCOMPARE(
            contentOf(folder.filePath(QStringLiteral("CONTACT.mdb"))), QByteArray("empty master"));
        QCOMPARE(
            contentOf(folder.filePath(QStringLiteral("Documents/offer.rtf"))), QByteArray("offer"));
        QCOMPARE(m_recorded.messages.first(),
            QStringLiteral("The database 'CONTACT.mdb' was successfully copied to ")
                + m_server.path());
        QCOMPARE(started.size(), 1);
    }

    void anExistingMasterIsKeptOnNoAndAFailedCopyIsReported()
    {
        QDir folder(m_server.path());
        writeFile(folder.filePath(QStringLiteral("CONTACT.mdb")), "the office's customers");
        const DistributionFolder distribution(m_distribution.path());
        FormServer server(distribution);
        QSignalSpy started(&server, &FormServer::installationStarted);
        server.chooseFolder(m_server.path());
        m_recorded.answers = { QMessageBox::No };
        server.findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
        QCOMPARE(m_recorded.messages.size(), 1);
        QVERIFY(m_recorded.messages.first().contains(QStringLiteral("already holds")));
        QCOMPARE(contentOf(folder.filePath(QStringLiteral("CONTACT.mdb"))),
            QByteArray("the office's customers"));
        QCOMPARE(started.size(), 0);
        QVERIFY(m_recorded.started.isEmpty());

        // A copy that cannot be written says so, starts nothing and keeps the master.
        QVERIFY(folder.mkdir(QStringLiteral("CONTACT.mdb.partial")));
        m_recorded.messages.clear();
        m_recorded.answers = { QMessageBox::Yes };
        server.findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
        QCOMPARE(m_recorded.messages.size(), 2);
        QVERIFY2(m_recorded.messages.at(1).startsWith(
                     QStringLiteral("The database 'CONTACT.mdb' could not be copied to ")),
            qPrintable(m_recorded.messages.at(1)));
        QCOMPARE(contentOf(folder.filePath(QStringLiteral("CONTACT.mdb"))),
            QByteArray("the office's customers"));
        QCOMPARE(started.size(), 0);
    }

    void instructionsNameSkipForSingleUsers()
    {
        QVERIFY(FormServer::instructionText().contains(
            QStringLiteral("\r\n\r\nIf you have already done so, click on 'Skip'.\r\n\r\n")));
    }

private:
    QTemporaryDir m_distribution;
    QTemporaryDir m_server;
    Recorded m_recorded;
};

QTEST_MAIN(TestSetupLauncher)
#include "TestSetupLauncher.moc"
