#include "ApplicationTest.h"
#include "ManualPictures.h"
#include "ManualRenderer.h"
#include "ManualSource.h"
#include "ui/ManualPages.h"

#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>
#include <QTest>

using namespace vantrel::shell;

using namespace vantrel::ui;

namespace {

// The sources beside the tests, found without the test data folder having to exist.
const QString manualSources = QDir::cleanPath(VANTREL_TEST_DATA_DIR "/../../docs/manual");
const QString slideSources = QDir::cleanPath(VANTREL_TEST_DATA_DIR "/../../docs/presentation");

// The page's text as a reader would search it, with ligatures ("fi") spelled out.
QString pageText(QPdfDocument& pdf, int page)
{
    return pdf.getAllText(page - 1).text().normalized(QString::NormalizationForm_KC).simplified();
}

void writeSource(const QString& folder, const QString& name, const QString& html)
{
    QDir().mkpath(folder);
    QFile file(folder + "/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(html.toUtf8());
}

QString section(const QString& title, const QString& screens = {}, int paragraphs = 1)
{
    QString html = "<html><head>";
    if (!screens.isEmpty())
        html += "<meta name=\"screens\" content=\"" + screens + "\">";
    html += "</head><body><h1>" + title + "</h1>";
    for (int i = 0; i < paragraphs; ++i)
        html += "<p>Paragraph " + QString::number(i) + " of the section.</p>";
    return html + "</body></html>";
}

// A complete set of small sections, one per page of the table; screens that
// share a page share their section.
QString completeSources(const QString& folder)
{
    QMap<int, QStringList> screensByPage;
    for (const ManualPage& entry : manualPages())
        screensByPage[entry.page].append(entry.screen);
    for (auto it = screensByPage.cbegin(); it != screensByPage.cend(); ++it) {
        writeSource(folder,
            QString("%1-%2.html").arg(it.key(), 2, 10, QChar('0')).arg(it.value().first()),
            section("About " + it.value().first(), it.value().join(' ')));
    }
    return folder;
}

// A stand-in for a screenshot, in the size the build takes them.
QImage screenshot()
{
    QImage image(1024, 700, QImage::Format_RGB32);
    image.fill(QColor(0x3c, 0x6e, 0x9a));
    return image;
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void everySectionTitleStandsOnItsPage();
    void slideShowHasOneSlidePerSourceWithItsPicture();
    void sectionThatWouldMissItsPageIsRefused();
    void badSourcesAreRefusedWithTheirReason();
};

void TestManual::everySectionTitleStandsOnItsPage()
{
    vantrel::test::TestFolder folder;
    QList<ManualSection> sections;
    QString error;
    QVERIFY2(readManualSources(manualSources, &sections, &error), qPrintable(error));
    QHash<QString, QImage> pictures;
    QVERIFY2(takeScreenPictures(&pictures, &error), qPrintable(error));
    QVERIFY(!pictures.value("screen:FormMenu").isNull());
    ManualRenderer renderer("Vantrel User Manual", "Version 0.1");
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
        renderer.addPicture(it.key(), it.value());
    QVERIFY2(
        renderer.writeManual(sections, folder.filePath("Help.pdf"), &error), qPrintable(error));

    QPdfDocument pdf;
    QCOMPARE(pdf.load(folder.filePath("Help.pdf")), QPdfDocument::Error::None);
    QVERIFY(pageText(pdf, 1).startsWith("Vantrel User Manual"));
    QVERIFY(pageText(pdf, 1).contains("Contents"));

    // Sections tied to screens start on their page; the others follow in order,
    // each at the top of a page of its own.
    int previous = 1;
    for (const ManualSection& s : std::as_const(sections)) {
        int page = s.page;
        if (page == 0) {
            page = previous + 1;
            while (page <= pdf.pageCount() && !pageText(pdf, page).startsWith(s.title))
                ++page;
        }
        QVERIFY2(page <= pdf.pageCount() && pageText(pdf, page).startsWith(s.title),
            qPrintable(QString("%1 is not at the top of page %2").arg(s.title).arg(page)));
        QVERIFY2(page > previous, qPrintable(s.title));
        previous = page;
    }
    for (const ManualPage& entry : manualPages()) {
        const auto described = std::find_if(sections.cbegin(), sections.cend(),
            [&](const ManualSection& s) { return s.screens.contains(entry.screen); });
        QVERIFY2(described != sections.cend(), qPrintable(entry.screen));
        QVERIFY2(pageText(pdf, entry.page).startsWith(described->title), qPrintable(entry.screen));
    }
    QCOMPARE(manualPageOf(u"FormCallReports"), 40);
    QCOMPARE(manualPageOf(u"FormCorrespondence"), 40);
    QCOMPARE(manualPageOf(u"FormArchive"), 0);
}

void TestManual::slideShowHasOneSlidePerSourceWithItsPicture()
{
    vantrel::test::TestFolder folder;
    QList<ManualSection> slides;
    QString error;
    QVERIFY2(readManualSources(slideSources, &slides, &error), qPrintable(error));
    ManualRenderer renderer("Vantrel Quick Start", "Version 0.1");
    static const QRegularExpression picture("src=\"(screen:[^\"]*)\"");
    for (const ManualSection& slide : std::as_const(slides))
        renderer.addPicture(picture.match(slide.html).captured(1), screenshot());
    const QString path = folder.filePath("Presentation.pdf");
    QVERIFY2(renderer.writePresentation(slides, path, &error), qPrintable(error));

    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), slides.size());
    for (int i = 0; i < slides.size(); ++i) {
        const QSizeF size = pdf.pagePointSize(i);
        QVERIFY(size.width() > size.height());
        // The PDF reader guesses the spaces from the glyphs' places: the words count.
        const QString title = slides.at(i).title;
        QVERIFY2(pageText(pdf, i + 1).remove(' ').startsWith(QString(title).remove(' ')),
            qPrintable(title));
        // The picture fills the slide's right part, below the title, beside the text.
        const QImage page = pdf.render(i, size.toSize());
        const auto isPicture = [&page](qreal across, qreal down) {
            const QColor colour
                = page.pixelColor(int(page.width() * across), int(page.height() * down));
            return qAbs(colour.blue() - 0x9a) < 8 && qAbs(colour.red() - 0x3c) < 8;
        };
        QVERIFY2(isPicture(0.66, 0.5), qPrintable(title));
        for (const qreal down : { 0.3, 0.5, 0.7 })
            QVERIFY2(!isPicture(0.25, down), qPrintable(title));
    }
}

void TestManual::sectionThatWouldMissItsPageIsRefused()
{
    vantrel::test::TestFolder folder;
    const QString sources = completeSources(folder.filePath("sources"));
    // Enough text before the master tables to run past their page.
    writeSource(sources, "03-long.html", section("A Long Chapter", {}, 400));
    QList<ManualSection> sections;
    QString error;
    QVERIFY2(readManualSources(sources, &sections, &error), qPrintable(error));

    ManualRenderer renderer("Vantrel User Manual", "Version 0.1");
    const QString pdf = folder.filePath("Help.pdf");
    QVERIFY(!renderer.writeManual(sections, pdf, &error));
    QVERIFY2(
        error.contains("07-FormMastertables.html") && error.contains("page 7"), qPrintable(error));
    QVERIFY(!QFile::exists(pdf));

    // Short enough, the same sources make a manual with blank pages up to each page.
    QVERIFY(QFile::remove(sources + "/03-long.html"));
    QVERIFY(readManualSources(sources, &sections, &error));
    QVERIFY2(renderer.writeManual(sections, pdf, &error), qPrintable(error));
    QPdfDocument document;
    QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
    QCOMPARE(document.pageCount(), 64);
    QVERIFY(pageText(document, 3).contains("intentionally left blank"));
    QVERIFY(pageText(document, 7).startsWith("About FormMastertables"));
}

void TestManual::badSourcesAreRefusedWithTheirReason()
{
    vantrel::test::TestFolder folder;
    QList<ManualSection> sections;
    QString error;
    QVERIFY(!readManualSources(folder.filePath("none"), &sections, &error));
    QVERIFY(error.contains("does not exist"));

    const QString untitled = folder.filePath("untitled");
    writeSource(untitled, "01.html", "<html><body><p>No title</p></body></html>");
    QVERIFY(!readManualSources(untitled, &sections, &error));
    QVERIFY2(error.contains("01.html") && error.contains("<h1>"), qPrintable(error));

    const QString unknown = folder.filePath("unknown");
    writeSource(unknown, "01.html", section("Archive", "FormArchive"));
    QVERIFY(!readManualSources(unknown, &sections, &error));
    QVERIFY2(error.contains("FormArchive"), qPrintable(error));

    const QString mixed = folder.filePath("mixed");
    writeSource(mixed, "01.html", section("Two Pages", "FormCompanies FormContacts"));
    QVERIFY(!readManualSources(mixed, &sections, &error));
    QVERIFY2(error.contains("different pages"), qPrintable(error));

    // Every screen with a Help button must find its section.
    const QString incomplete = completeSources(folder.filePath("incomplete"));
    QVERIFY(QFile::remove(incomplete + "/64-FormAllContacts.html"));
    QVERIFY(readManualSources(incomplete, &sections, &error));
    ManualRenderer renderer("Vantrel User Manual", "Version 0.1");
    QVERIFY(!renderer.writeManual(sections, folder.filePath("Help.pdf"), &error));
    QVERIFY2(error.contains("FormAllContacts"), qPrintable(error));

    const QString pictured = completeSources(folder.filePath("pictured"));
    writeSource(pictured, "03-picture.html", "<h1>Picture</h1><img src=\"screen:FormNowhere\">");
    QVERIFY(readManualSources(pictured, &sections, &error));
    QVERIFY(!renderer.writeManual(sections, folder.filePath("Help.pdf"), &error));
    QVERIFY2(error.contains("screen:FormNowhere"), qPrintable(error));

    // A slide shows one screenshot, its text beside it.
    const QString slideShow = folder.filePath("Presentation.pdf");
    ManualRenderer slides("Vantrel Quick Start", "Version 0.1");
    slides.addPicture("screen:Companies", screenshot());
    const QString picture = "<img src=\"screen:Companies\">";
    const struct {
        const char* name;
        QString html;
        const char* reason;
    } badSlides[] = {
        { "bare", section("No Picture"), "one picture of a screen, not 0" },
        { "twice", section("Two Pictures") + picture + picture, "one picture of a screen, not 2" },
        { "long", section("Too Much", {}, 40) + picture, "does not fit beside its picture" },
        { "missing", section("Missing") + "<img src=\"screen:Nowhere\">", "screen:Nowhere" },
    };
    for (const auto& bad : badSlides) {
        const QString sources = folder.filePath(bad.name);
        writeSource(sources, "01.html", section("Fine") + picture);
        writeSource(sources, "02.html", bad.html);
        QVERIFY(readManualSources(sources, &sections, &error));
        QVERIFY(!slides.writePresentation(sections, slideShow, &error));
        QVERIFY2(error.contains("02.html") && error.contains(bad.reason), qPrintable(error));
        QVERIFY(!QFile::exists(slideShow));
    }
}

VANTREL_TEST_MAIN(TestManual)
#include "TestManual.moc"
