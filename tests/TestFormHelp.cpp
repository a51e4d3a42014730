#include "ApplicationTest.h"
#include "shell/FormHelp.h"
#include "ui/ManualLink.h"
#include "ui/Twips.h"

#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPdfWriter>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace vantrel::shell;
using namespace vantrel::ui;

namespace {

void writePdf(const QString& path, int pages)
{
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(100, 100, QString("Page %1").arg(page));
    }
}

// A screen with a manual page, as every screen with a Help button is built.
class Screen : public QWidget {
public:
    explicit Screen(const char* name)
    {
        setObjectName(name);
        edit = new QLineEdit(this);
        link = new ManualLink(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        layout->addWidget(link->button());
    }
    QLineEdit* edit;
    ManualLink* link;
};

QList<FormHelp*> viewers()
{
    return vantrel::test::topLevelWindows<FormHelp>();
}

} // namespace

class TestFormHelp : public QObject {
    Q_OBJECT
private slots:
    void viewerShowsThePageAtTheZoom();
    void f1OnTwoScreensLeavesOneViewerAtTheLaterPage();
    void f1OutsideTheScreenDoesNothing();
    void closedViewerIsMadeAfresh();
    void missingManualIsShownInTheViewer();
};

void TestFormHelp::viewerShowsThePageAtTheZoom()
{
    vantrel::test::TestFolder folder;
    writePdf(folder.filePath("Help.pdf"), 70);
    Screen contacts("FormContacts");
    QCOMPARE(contacts.link->page(), 30);
    QCOMPARE(contacts.link->button()->objectName(), QStringLiteral("CommandHelp"));
    QCOMPARE(contacts.link->button()->text(), QStringLiteral("Help (F1)"));

    QTest::mouseClick(contacts.link->button(), Qt::LeftButton);
    QCOMPARE(viewers().size(), 1);
    FormHelp* help = viewers().first();
    QCOMPARE(help->objectName(), QStringLiteral("FormHelp"));
    QCOMPARE(help->windowTitle(), QStringLiteral("Vantrel Help"));
    QVERIFY(help->isVisible());
    QCOMPARE(help->size(), twipsToPixels(QSize(12825, 7530), help));
    auto* view = help->findChild<QPdfView*>("WebBrowser1");
    QVERIFY(view);
    QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::Custom);
    QCOMPARE(view->zoomFactor(), 0.86);
    QCOMPARE(help->currentPage(), 30);
    // The viewer fills its window, also after a resize.
    help->resize(500, 400);
    QTRY_COMPARE(view->size(), help->size());
    delete help;
}

void TestFormHelp::f1OnTwoScreensLeavesOneViewerAtTheLaterPage()
{
    vantrel::test::TestFolder folder;
    writePdf(folder.filePath("Help.pdf"), 70);
    Screen contacts("FormContacts");
    Screen companies("FormCompanies");

    QTest::keyRelease(contacts.edit, Qt::Key_F1);
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(viewers().first()->currentPage(), 30);

    QTest::keyRelease(companies.edit, Qt::Key_F1);
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(viewers().first()->currentPage(), 26);

    // Pressing F1 does nothing by itself; the release opens the manual.
    QTest::keyPress(contacts.edit, Qt::Key_F1);
    QCOMPARE(viewers().first()->currentPage(), 26);
    delete viewers().first();
}

void TestFormHelp::f1OutsideTheScreenDoesNothing()
{
    vantrel::test::TestFolder folder;
    writePdf(folder.filePath("Help.pdf"), 70);
    Screen contacts("FormContacts");
    QLineEdit elsewhere;
    QTest::keyRelease(&elsewhere, Qt::Key_F1);
    QTest::keyRelease(contacts.edit, Qt::Key_F2);
    QVERIFY(viewers().isEmpty());
}

void TestFormHelp::closedViewerIsMadeAfresh()
{
    vantrel::test::TestFolder folder;
    writePdf(folder.filePath("Help.pdf"), 70);
    Screen contacts("FormContacts");
    QPointer<FormHelp> first = FormHelp::showPage(&contacts, 30);
    first->close();
    QTRY_VERIFY(!first);
    QVERIFY(viewers().isEmpty());

    Screen companies("FormCompanies");
    QTest::keyRelease(companies.edit, Qt::Key_F1);
    QCOMPARE(viewers().size(), 1);
    QCOMPARE(viewers().first()->currentPage(), 26);
    delete viewers().first();
}

void TestFormHelp::missingManualIsShownInTheViewer()
{
    vantrel::test::TestFolder folder;
    Screen companies("FormCompanies");
    FormHelp* help = FormHelp::showPage(&companies, 26);
    auto* missing = help->findChild<QLabel*>("LabelMissing");
    QVERIFY(missing->isVisible());
    QVERIFY(missing->text().contains("Help.pdf"));
    QVERIFY(help->findChild<QPdfView*>("WebBrowser1")->isHidden());

    // Once the manual is in place, the next request shows it.
    writePdf(folder.filePath("Help.pdf"), 70);
    QCOMPARE(FormHelp::showPage(&companies, 26), help);
    QVERIFY(missing->isHidden());
    QCOMPARE(help->currentPage(), 26);
    delete help;
}

VANTREL_TEST_MAIN(TestFormHelp)
#include "TestFormHelp.moc"
