#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "TestFolder.h"

#include "SampleData.h"
#include "ScreenTour.h"
#include "data/Clock.h"
#include "platform/MessageBox.h"
#include "ui/Screens.h"

#include <QTest>

#include <memory>

using namespace vantrel;
using tools::ScreenShot;

// The walk through the real screens that the build photographs for the slide show.
class TestScreenShots : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyScreenIsTakenWithTheSampleData();
    void screenThatCannotBeShownStopsTheWalkWithItsName();

private:
    std::unique_ptr<test::TestFolder> m_folder;
};

void TestScreenShots::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    data::Clock::setFixed(tools::sampleNow());
    QString error;
    QVERIFY2(tools::writeSampleData(&error), qPrintable(error));
}

void TestScreenShots::cleanup()
{
    ui::Screens::closeAll();
    data::Clock::reset();
    m_folder.reset();
}

void TestScreenShots::everyScreenIsTakenWithTheSampleData()
{
    const QList<ScreenShot>& shots = tools::screenShots();
    QList<QImage> images;
    QString error;
    QVERIFY2(tools::takeScreenShots(shots, QSize(1024, 700), &images, &error), qPrintable(error));
    QCOMPARE(images.size(), shots.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        QCOMPARE(images.at(i).size(), QSize(1024, 700));
        // Each picture shows a screen of its own.
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY2(images.at(i) != images.at(j),
                qPrintable(shots.at(i).name + " looks like " + shots.at(j).name));
    }
    // The walk leaves no screen and no answering of messages behind.
    QVERIFY(!ui::Screens::existing(QStringLiteral("FormCompanies")));
    auto recorder = std::make_unique<platform::RecordingMessageBoxHandler>();
    platform::RecordingMessageBoxHandler* recorded = recorder.get();
    platform::MessageBox::setHandler(std::move(recorder));
    platform::MessageBox::information(nullptr, QStringLiteral("After the walk"));
    QCOMPARE(recorded->shown.size(), 1);
    platform::MessageBox::setHandler(nullptr);
}

void TestScreenShots::screenThatCannotBeShownStopsTheWalkWithItsName()
{
    const auto companies
        = [](shell::MDIFormMain&) { ui::Screens::bringToFront(QStringLiteral("FormCompanies")); };
    const QString company = QLatin1String(tools::sample::firstCompany);
    const struct {
        ScreenShot shot;
        QString reason;
    } failures[] = {
        { { QStringLiteral("Nowhere"), QStringLiteral("FormNowhere"), company, {} },
            QStringLiteral("Nowhere: there is no screen FormNowhere in the program.") },
        { { QStringLiteral("Empty"), QStringLiteral("FormCompanies"), QStringLiteral("Nobody Ltd"),
              companies },
            QStringLiteral("Empty: the screen FormCompanies does not show \"Nobody Ltd\" of the "
                           "sample data.") },
        { { QStringLiteral("Locked"), QStringLiteral("FormCompanies"), company,
              [](shell::MDIFormMain& main) {
                  platform::MessageBox::warning(nullptr, QStringLiteral("The database is locked."));
                  ui::Screens::bringToFront(QStringLiteral("FormCompanies"));
                  Q_UNUSED(main);
              } },
            QStringLiteral("Locked: opening the screen FormCompanies showed the message \"The "
                           "database is locked.\".") },
    };
    for (const auto& failure : failures) {
        QList<QImage> images;
        QString error;
        // A good screen first: the failure still stops the whole walk.
        const QList<ScreenShot> shots { tools::screenShots().at(1), failure.shot };
        QVERIFY(!tools::takeScreenShots(shots, QSize(1024, 700), &images, &error));
        QCOMPARE(error, failure.reason);
        QVERIFY(!ui::Screens::existing(QStringLiteral("FormCompanies")));
    }
}

VANTREL_TEST_MAIN(TestScreenShots)
#include "TestScreenShots.moc"
