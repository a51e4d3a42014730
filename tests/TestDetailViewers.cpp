#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "companies/FormCompanies.h"
#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "shell/FormDetails.h"
#include "shell/MapLink.h"
#include "ui/CompanyAccess.h"
#include "ui/Screens.h"

#include "TestFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>

using namespace vantrel;
using shell::FormDetails;
using shell::MapLink;

namespace {

// A companies or archive screen as the viewers see it: the company it stands on
// and what is written into it.
class TestCompany : public QWidget, public ui::CompanyAccess {
public:
    QVariant companyKey() const override { return key; }
    QVariant companyValue(const QString& column) const override { return values.value(column); }
    bool setLastVisited(const QDate& date) override { return write("DATE01", date); }
    bool setAppointmentNote(const QString& note) override { return write("TEXT21", note); }
    bool setNotes(const QString& notes) override { return write("MEMO01", notes); }
    bool setCompanyDetails(const QString& details) override { return write("MEMO02", details); }

    bool write(const QString& column, const QVariant& value)
    {
        if (refuseWrites)
            return false;
        values.insert(column, value);
        ++writes;
        return true;
    }

    QVariant key = 1;
    QVariantMap values;
    bool refuseWrites = false;
    int writes = 0;
};

QPlainTextEdit* textOf(FormDetails* viewer)
{
    return viewer->findChild<QPlainTextEdit*>("Text1");
}

// Closed as the user closes it; the next zoom makes a new viewer.
bool closeViewer(FormDetails* viewer)
{
    if (!viewer->close())
        return false;
    return QTest::qWaitFor([] { return !ui::Screens::existing("FormDetails"); });
}

} // namespace

class TestDetailViewers : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void zoomShowsTheNoteWithItsCaption();
    void closingWritesTheTextBack();
    void unchangedTextWritesNothing();
    void showingAnotherNoteWritesTheFirstBack();
    void noteOfACompanyNoLongerOnShowGoesToThatCompany();
    void refusedWriteKeepsTheViewerUnlessTheUserGivesUp();
    void zoomWritesIntoTheCompaniesScreenInViewMode();
    void notesOfANewCompanyFollowItWhenItIsStored();

    void searchUrl_data();
    void searchUrl();
    void blankAddressOpensTheStartPage();
    void waitingBoxOpensTheMapWhenFull();
    void mapShowsTheCompanyAskedForLast();

private:
    test::TestFolder* m_folder = nullptr;
    TestCompany* m_company = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
};

void TestDetailViewers::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    m_company = new TestCompany;
    m_company->values = { { "TEXT01", "Müller & O'Neil" },
        { "MEMO01", "Visit in spring.\nAsk for Mr. Gray." }, { "MEMO02", "Founded 1921." } };
}

void TestDetailViewers::cleanup()
{
    ui::Screens::closeAll();
    delete m_company;
    platform::Desktop::setOpener(nullptr);
    platform::MessageBox::setHandler(nullptr);
    delete m_folder;
}

void TestDetailViewers::zoomShowsTheNoteWithItsCaption()
{
    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO01");
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->isModal());
    QCOMPARE(textOf(viewer)->toPlainText(), QStringLiteral("Visit in spring.\nAsk for Mr. Gray."));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Müller & O'Neil - Notes"));
    QCOMPARE(viewer->findChild<QLineEdit*>("TextMemo")->text(), QStringLiteral("MEMO01"));

    // One viewer: the details replace the notes in it.
    QCOMPARE(FormDetails::zoom(m_company, "MEMO02"), viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Müller & O'Neil - Company Details"));
    QCOMPARE(textOf(viewer)->toPlainText(), QStringLiteral("Founded 1921."));
}

void TestDetailViewers::closingWritesTheTextBack()
{
    // Whether the screen is in view or edit mode is its own affair; the viewer
    // always writes through the screen.
    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO02");
    textOf(viewer)->selectAll();
    QTest::keyClicks(textOf(viewer), "Founded 1921 in Graz.");
    QVERIFY(closeViewer(viewer));
    QCOMPARE(m_company->values.value("MEMO02").toString(), QStringLiteral("Founded 1921 in Graz."));
    QCOMPARE(m_company->values.value("MEMO01").toString(),
        QStringLiteral("Visit in spring.\nAsk for Mr. Gray."));
}

void TestDetailViewers::unchangedTextWritesNothing()
{
    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO01");
    QVERIFY(closeViewer(viewer));
    QCOMPARE(m_company->writes, 0);
}

void TestDetailViewers::showingAnotherNoteWritesTheFirstBack()
{
    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO01");
    textOf(viewer)->setPlainText("Call before visiting.");
    FormDetails::zoom(m_company, "MEMO02");
    QCOMPARE(m_company->values.value("MEMO01").toString(), QStringLiteral("Call before visiting."));
    QCOMPARE(m_company->values.value("MEMO02").toString(), QStringLiteral("Founded 1921."));
}

void TestDetailViewers::noteOfACompanyNoLongerOnShowGoesToThatCompany()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute(
        "INSERT INTO TABLE01 (TEXT01, MEMO01) VALUES ('First', 'old'), ('Second', 'keep')"));
    m_company->key = 1;
    m_company->values.insert("MEMO01", "old");

    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO01");
    textOf(viewer)->setPlainText("new notes");
    // Meanwhile the screen moved on to the second company.
    m_company->key = 2;
    m_company->values.insert("MEMO01", "keep");
    QVERIFY(closeViewer(viewer));

    QCOMPARE(m_company->writes, 0);
    QCOMPARE(db.scalar("SELECT MEMO01 FROM TABLE01 WHERE AUTONUMBER = 1").toString(),
        QStringLiteral("new notes"));
    QCOMPARE(db.scalar("SELECT MEMO01 FROM TABLE01 WHERE AUTONUMBER = 2").toString(),
        QStringLiteral("keep"));

    // And when the screen is gone altogether.
    viewer = FormDetails::zoom(m_company, "MEMO01");
    textOf(viewer)->setPlainText("");
    delete m_company;
    m_company = nullptr;
    QVERIFY(closeViewer(viewer));
    QVERIFY(db.scalar("SELECT MEMO01 FROM TABLE01 WHERE AUTONUMBER = 2").isNull());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestDetailViewers::refusedWriteKeepsTheViewerUnlessTheUserGivesUp()
{
    FormDetails* viewer = FormDetails::zoom(m_company, "MEMO01");
    textOf(viewer)->setPlainText("typed with care");
    m_company->refuseWrites = true;

    m_messages->answers = { platform::MessageBox::No };
    QVERIFY(!viewer->close());
    QVERIFY(viewer->isVisible());
    QCOMPARE(textOf(viewer)->toPlainText(), QStringLiteral("typed with care"));
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(
        "An error has occurred. The text could not be written into the company."));
    QCOMPARE(m_messages->shown.first().defaultButton, platform::MessageBox::No);

    m_company->refuseWrites = false;
    QVERIFY(closeViewer(viewer));
    QCOMPARE(m_company->values.value("MEMO01").toString(), QStringLiteral("typed with care"));

    viewer = FormDetails::zoom(m_company, "MEMO01");
    textOf(viewer)->setPlainText("given up");
    m_company->refuseWrites = true;
    m_messages->answers = { platform::MessageBox::Yes };
    QVERIFY(closeViewer(viewer));
    QCOMPARE(m_company->values.value("MEMO01").toString(), QStringLiteral("typed with care"));
}

void TestDetailViewers::zoomWritesIntoTheCompaniesScreenInViewMode()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute(
        "INSERT INTO TABLE01 (TEXT01, TEXT20, MEMO01) VALUES "
        "('Alpha Steel', 'Company', 'Prefers mornings.'), ('Beta Works', 'Company', NULL)"));
    companies::FormCompanies screen;
    screen.resize(640, 480);
    screen.show();
    auto* notes = screen.findChild<QPlainTextEdit*>("MEMO01");
    QVERIFY(notes);
    QVERIFY(!screen.isEditMode());

    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTest::mouseClick(screen.findChild<QPushButton*>("CommandZoomNotes"), Qt::LeftButton);
    auto* viewer = dynamic_cast<FormDetails*>(ui::Screens::existing("FormDetails"));
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Alpha Steel - Notes"));
    // Over the box it zooms, and at least as large.
    QCOMPARE(viewer->geometry().topLeft(), notes->mapToGlobal(QPoint(0, 0)));
    QVERIFY(viewer->width() >= notes->width());
    QVERIFY(viewer->height() >= notes->height());
    QCOMPARE(textOf(viewer)->toPlainText(), QStringLiteral("Prefers mornings."));
    textOf(viewer)->moveCursor(QTextCursor::End);
    QTest::keyClicks(textOf(viewer), " Never on Fridays.");
    QVERIFY(closeViewer(viewer));
    QVERIFY(!screen.isEditMode());

    // On the screen at once, and stored with the company when the screen leaves it.
    QCOMPARE(notes->toPlainText(), QStringLiteral("Prefers mornings. Never on Fridays."));
    QVERIFY(screen.view()->moveNext());
    QCOMPARE(db.scalar("SELECT MEMO01 FROM TABLE01 WHERE TEXT01 = 'Alpha Steel'").toString(),
        QStringLiteral("Prefers mornings. Never on Fridays."));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestDetailViewers::notesOfANewCompanyFollowItWhenItIsStored()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute("INSERT INTO TABLE01 (TEXT01, TEXT20) VALUES ('Alpha Steel', 'Company')"));
    companies::FormCompanies screen;
    screen.show();
    const auto newCompany = [&screen](const char* name) {
        screen.findChild<QPushButton*>("CommandNew")->click();
        QTest::keyClicks(screen.findChild<QLineEdit*>("TEXT01"), name);
    };

    // Saved while the viewer is open, then the viewer closed.
    newCompany("Newco Ltd");
    FormDetails* viewer = FormDetails::zoom(&screen, "MEMO01");
    QTest::keyClicks(textOf(viewer), "Call after Easter.");
    screen.findChild<QPushButton*>("CommandSave")->click();
    QVERIFY(closeViewer(viewer));
    QCOMPARE(db.scalar("SELECT MEMO01 FROM TABLE01 WHERE TEXT01 = 'Newco Ltd'").toString(),
        QStringLiteral("Call after Easter."));

    // Another company picked before the viewer closes: the new one is stored on
    // leaving, and what is typed afterwards follows it.
    newCompany("Oldco GmbH");
    viewer = FormDetails::zoom(&screen, "MEMO02");
    QTest::keyClicks(textOf(viewer), "Founded");
    QVERIFY(screen.view()->moveFirst());
    QCOMPARE(screen.companyValue("TEXT01").toString(), QStringLiteral("Alpha Steel"));
    QTest::keyClicks(textOf(viewer), " 1990.");
    QVERIFY(closeViewer(viewer));
    QCOMPARE(db.scalar("SELECT MEMO02 FROM TABLE01 WHERE TEXT01 = 'Oldco GmbH'").toString(),
        QStringLiteral("Founded 1990."));
    QVERIFY(db.scalar("SELECT MEMO02 FROM TABLE01 WHERE TEXT01 = 'Alpha Steel'").isNull());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestDetailViewers::searchUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("query");

    QTest::newRow("empty second line")
        << "12 Main Street  Springfield"
        << "https://www.openstreetmap.org/search?query=12%20Main%20Street%20Springfield"
        << "12 Main Street Springfield";
    QTest::newRow("apostrophe")
        << "1 O'Connell Street  Dublin"
        << "https://www.openstreetmap.org/search?query=1%20O%27Connell%20Street%20Dublin"
        << "1 O'Connell Street Dublin";
    QTest::newRow("umlauts")
        << "Hauptstraße 5  Gößnitz"
        << "https://www.openstreetmap.org/search?query=Hauptstra%C3%9Fe%205%20G%C3%B6%C3%9Fnitz"
        << "Hauptstraße 5 Gößnitz";
    QTest::newRow("line breaks and empty lines")
        << "Dock 4\r\n\r\nPier Road\n\n  Hull  "
        << "https://www.openstreetmap.org/search?query=Dock%204%20Pier%20Road%20Hull"
        << "Dock 4 Pier Road Hull";
    QTest::newRow("query delimiters stay in the address")
        << "Smith & Sons, #3 + 4 = 7?"
        << "https://www.openstreetmap.org/"
           "search?query=Smith%20%26%20Sons%2C%20%233%20%2B%204%20%3D%207%3F"
        << "Smith & Sons, #3 + 4 = 7?";
}

void TestDetailViewers::searchUrl()
{
    QFETCH(QString, address);
    QFETCH(QString, url);
    QFETCH(QString, query);
    QVERIFY(MapLink::open(address));
    QCOMPARE(m_opener->opened.size(), 1);
    const QUrl opened = m_opener->opened.first();
    QCOMPARE(opened.toString(QUrl::FullyEncoded), url);
    QCOMPARE(QUrlQuery(opened).queryItemValue("query", QUrl::FullyDecoded), query);
}

void TestDetailViewers::blankAddressOpensTheStartPage()
{
    QVERIFY(MapLink::open("  \n "));
    QCOMPARE(m_opener->opened, QList<QUrl> { QUrl("https://www.openstreetmap.org/") });
}

void TestDetailViewers::waitingBoxOpensTheMapWhenFull()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute("INSERT INTO TABLE01 (TEXT01, TEXT20, TEXT06, TEXT08) "
                       "VALUES ('Graz Tools', 'Company', 'Hauptstraße 5', '8010 Graz')"));
    auto* companies = ui::Screens::bringToFront<companies::FormCompanies>("FormCompanies");
    QVERIFY(companies);

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(companies->findChild<QPushButton*>("CommandGoogleMaps"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Hauptstraße 5  8010 Graz"));
    auto* box = ui::Screens::existing("FormWait");
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("Loading Google Maps..."));
    auto* bar = box->findChild<QProgressBar*>("ProgressBar1");
    QCOMPARE(bar->maximum(), 100);

    // Copying something else while the box waits changes nothing.
    QApplication::clipboard()->setText("something else");
    QTest::qWait(1000);
    QVERIFY(bar->value() > 5);
    QVERIFY(bar->value() < 50);
    QVERIFY(m_opener->opened.isEmpty());

    QTRY_COMPARE_WITH_TIMEOUT(m_opener->opened.size(), 1, 10000);
    QVERIFY2(clock.elapsed() >= 4500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_opener->opened.first().toString(QUrl::FullyEncoded),
        QStringLiteral(
            "https://www.openstreetmap.org/search?query=Hauptstra%C3%9Fe%205%208010%20Graz"));
    QTRY_VERIFY(!ui::Screens::existing("FormWait"));
    QTest::qWait(200);
    QCOMPARE(m_opener->opened.size(), 1);
}

void TestDetailViewers::mapShowsTheCompanyAskedForLast()
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY(db.execute("INSERT INTO TABLE01 (TEXT01, TEXT20, TEXT06, TEXT08, TEXT12) VALUES "
                       "('Alpha', 'Company', 'Ring 1', 'Linz', 'www.alpha.example'),"
                       "('Beta', 'Company', 'Gasse 2', 'Wels', '')"));
    auto* companies = ui::Screens::bringToFront<companies::FormCompanies>("FormCompanies");
    auto* maps = companies->findChild<QPushButton*>("CommandGoogleMaps");
    QTest::mouseClick(maps, Qt::LeftButton);
    QTest::qWait(1000);
    QVERIFY(companies->view()->moveNext());
    QTest::mouseClick(maps, Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(m_opener->opened.size(), 1, 10000);
    QCOMPARE(QUrlQuery(m_opener->opened.first()).queryItemValue("query", QUrl::FullyDecoded),
        QStringLiteral("Gasse 2 Wels"));
    QTRY_VERIFY(!ui::Screens::existing("FormWait"));
    QTest::qWait(300);
    QCOMPARE(m_opener->opened.size(), 1);
    QVERIFY(m_messages->shown.isEmpty());

    // Without a browser the map and the website say why instead of doing nothing.
    m_opener->succeed = false;
    QTest::mouseClick(maps, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_messages->shown.size(), 1, 10000);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("No web browser is set up on this computer to open www.openstreetmap.org."));
    QVERIFY(companies->view()->moveFirst());
    QTest::mouseClick(companies->findChild<QPushButton*>("CommandBrowse"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("No web browser is set up on this computer to open www.alpha.example."));
    QCOMPARE(m_messages->shown.last().icon, platform::MessageBox::Icon::Warning);
}

VANTREL_TEST_MAIN(TestDetailViewers)
#include "TestDetailViewers.moc"
