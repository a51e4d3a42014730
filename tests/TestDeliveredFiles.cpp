#include "data/Database.h"
#include "data/Schema.h"

#include "ScreenTour.h"
#include "TestFolder.h"

#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QSet>
#include <QTest>

using namespace vantrel::data;

namespace {

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

qreal paintedShare(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qGray(image.pixel(x, y)) < 245 ? 1 : 0;
    return qreal(painted) / (image.width() * image.height());
}

} // namespace

// The databases the build puts into the program folder are what a new
// installation starts with.
class TestDeliveredFiles : public QObject {
    Q_OBJECT
private slots:
    void deliveredDatabasesOpen()
    {
        vantrel::test::TestFolder folder;
        for (const char* name : { "Temp.mdb", "User.mdb" })
            QVERIFY(
                QFile::copy(QStringLiteral(VANTREL_PROGRAM_DIR "/") + name, folder.filePath(name)));

        Database business;
        QVERIFY2(openBusinessDatabase(business, "Temp.mdb"), qPrintable(business.lastError()));
        QCOMPARE(business.scalar("PRAGMA user_version").toInt(),
            currentSchemaVersion(DatabaseKind::Business));
        QCOMPARE(
            business.scalar("SELECT TEXT02 FROM TABLE02").toString(), QStringLiteral("Keystone"));
        QCOMPARE(business.scalar("SELECT COUNT(*) FROM TABLE01").toInt(), 0);

        Database user;
        QVERIFY2(openUserDatabase(user), qPrintable(user.lastError()));
        QCOMPARE(
            user.scalar("SELECT TEXT03 FROM TABLE02").toString(), QStringLiteral("All Companies"));
        // A new installation is not set up yet: the set-up screen must show.
        QVERIFY(user.scalar("SELECT TEXT04 FROM TABLE02").toString().isEmpty());
    }

    // The slide show is made of screenshots of the built program: a picture of
    // every screen that the screenshots tool opens, and a slide with it.
    void slideShowShowsEveryScreen()
    {
        const QList<vantrel::tools::ScreenShot>& shots = vantrel::tools::screenShots();
        for (const vantrel::tools::ScreenShot& shot : shots) {
            const QImage picture(
                QStringLiteral(VANTREL_SCREENSHOT_DIR "/") + shot.name + QStringLiteral(".png"));
            QCOMPARE(picture.size(), QSize(1024, 700));
            QVERIFY2(distinctColours(picture) > 16, qPrintable(shot.name));
        }

        const QString path = QStringLiteral(VANTREL_PROGRAM_DIR "/Presentation.pdf");
        QPdfDocument pdf;
        QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), shots.size());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().count("/Subtype /Image") >= shots.size());
        for (int page = 0; page < pdf.pageCount(); ++page) {
            const QSizeF size = pdf.pagePointSize(page);
            QVERIFY(size.width() > size.height());
            const QImage slide = pdf.render(page, (size * 2).toSize());
            // The screenshot takes the slide's right part under the title.
            const QImage right = slide.copy(
                slide.width() / 3, slide.height() / 4, slide.width() / 2, slide.height() / 2);
            QVERIFY2(paintedShare(right) > 0.1, qPrintable(QString::number(page + 1)));
            QVERIFY2(distinctColours(right) > 16, qPrintable(QString::number(page + 1)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDeliveredFiles)
#include "TestDeliveredFiles.moc"
