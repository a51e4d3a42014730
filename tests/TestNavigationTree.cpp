#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "ShellFakes.h"
#include "TestFolder.h"

#include "RecordingMailProgram.h"
#include "RecordingSpreadsheetProgram.h"
#include "RecordingWordProcessor.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "office/WordDocument.h"
#include "platform/BusyCursor.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "shell/NavigationImages.h"
#include "shell/NavigationNodes.h"
#include "shell/NodeActions.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include <memory>

using namespace vantrel;
using ui::Screens;

namespace {

struct Expected {
    const char* key;
    const char* text;
    const char* image;
    const char* parent;
};

// The tree as the user sees it, in display order.
const Expected expectedTree[] = {
    { "root", "Main Menu", "Menu", "" },
    { "child1_root", "Companies", "Company", "root" },
    { "child1_child1", "Contacts", "Arrow", "child1_root" },
    { "child2_child1", "Correspondence", "Arrow", "child1_root" },
    { "child3_child1", "Projects", "Arrow", "child1_root" },
    { "child4_child1", "Competition", "Arrow", "child1_root" },
    { "child5_child1", "Attachments", "Arrow", "child1_root" },
    { "child6_child1", "Sales", "Arrow", "child1_root" },
    { "child7_child1", "Call Reports", "Arrow", "child1_root" },
    { "child2_root", "Archive", "Archive", "root" },
    { "child1_child2", "Contacts ", "Arrow", "child2_root" },
    { "child2_child2", "Correspondence ", "Arrow", "child2_root" },
    { "child3_child2", "Projects ", "Arrow", "child2_root" },
    { "child4_child2", "Competition ", "Arrow", "child2_root" },
    { "child5_child2", "Attachments ", "Arrow", "child2_root" },
    { "child6_child2", "Sales ", "Arrow", "child2_root" },
    { "child7_child2", "Call Reports ", "Arrow", "child2_root" },
    { "child3_root", "Reports", "Report", "root" },
    { "child1_child3", "Companies  ", "Arrow", "child3_root" },
    { "child2_child3", "Contacts  ", "Arrow", "child3_root" },
    { "child4_child3", "Filter Call Reports", "Arrow", "child3_root" },
    { "child5_child3", "Search Call Reports", "Arrow", "child3_root" },
    { "child6_child3", "Competition", "Arrow", "child3_root" },
    { "child7_child3", "Overdue Meetings", "Arrow", "child3_root" },
    { "child8_child3", "Sales Figures", "Arrow", "child3_root" },
    { "child9_child3", "Active Projects", "Arrow", "child3_root" },
    { "child4_root", "Google", "Google", "root" },
    { "child5_root", "Competitors", "Competitor", "root" },
    { "child6_root", "Price List", "List", "root" },
    { "child7_root", "Mail Merge", "MailMerge", "root" },
    { "child8_root", "MS-Office", "Office", "root" },
    { "child1_child7", "MS-Excel", "Excel", "child8_root" },
    { "child2_child7", "MS-Outlook Calendar", "Calendar", "child8_root" },
    { "child3_child7", "MS-Outlook Tasks", "Task", "child8_root" },
    { "child4_child7", "MS-Outlook Inbox", "Inbox", "child8_root" },
    { "child5_child7", "MS-Word", "Word", "child8_root" },
};

QList<QTreeWidgetItem*> itemsInOrder(QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items.append(*it);
    return items;
}

void execute(const QString& sql, const QVariantList& parameters = {})
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY2(db.execute(sql, parameters), qPrintable(db.lastError()));
}

} // namespace

class TestNavigationTree : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void treeHasEveryNodeInOrder();
    void imageListHasEveryPicture();
    void treeOpensWithCompaniesAndOfficeExpanded();
    void nodeClickSetsCaptionPath();
    void nodesWithoutScreensDoNothingHarmful();
    void webSearchOpensAdvancedSearchPage();
    void laterRegistrationReplacesAnAction();
    void screenNodesBringTheirScreenToFront();
    void spreadsheetNodeShowsANewWorkbook();
    void wordProcessorNodeShowsAnEmptyDocument();
    void mailFolderNodesOpenTheFolderAndMinimize();
    void failingOfficeActionShowsTheErrorAndKeepsTheWindow();

    void contactsViewShowsCurrentOrArchivedCompany();
    void correspondenceViewFindsRowsByNameOrKey();
    void reportCompetitionNodeActsLikeCompaniesNode();
    void projectsViewListsActiveProjectsOnly();
    void viewWithoutCompanyShowsNoRows();
    void failingViewReportsTheError();
    void salesViewUsesImportSettings();
    void salesViewWithoutImportShowsImportScreen();

private:
    void registerCompanyScreens();
    void clickText(const QString& text, int occurrence = 0);
    test::FakeRecordScreen* recordScreen(const QString& name) const;

    std::unique_ptr<test::TestFolder> m_folder;
    std::unique_ptr<shell::MDIFormMain> m_main;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
    test::FakeCompanyScreen* m_companies = nullptr;
    test::FakeCompanyScreen* m_archive = nullptr;
};

void TestNavigationTree::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    m_main = std::make_unique<shell::MDIFormMain>();
    QTRY_VERIFY(m_main->isVisible());
}

void TestNavigationTree::cleanup()
{
    m_main.reset();
    Screens::closeAll();
    for (const char* name : { "FormCompanies", "FormArchive", "FormContacts", "FormCorrespondence",
             "FormCallReports", "FormProjects", "FormAttachments", "FormCompetitors", "FormSales",
             "FormImportSales", "FormPriceList" })
        Screens::registerScreen(QLatin1String(name), nullptr);
    platform::MessageBox::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    m_folder.reset();
}

void TestNavigationTree::registerCompanyScreens()
{
    m_companies = nullptr;
    m_archive = nullptr;
    Screens::registerScreen(QStringLiteral("FormCompanies"), [this] {
        m_companies = new test::FakeCompanyScreen;
        m_companies->standOn(7, QStringLiteral("O'Brien & Sons"), QStringLiteral("A-100"));
        return m_companies;
    });
    Screens::registerScreen(QStringLiteral("FormArchive"), [this] {
        m_archive = new test::FakeCompanyScreen;
        m_archive->standOn(9, QStringLiteral("Old Mill"), QStringLiteral("A-900"));
        return m_archive;
    });
    for (const char* name : { "FormContacts", "FormCorrespondence", "FormCallReports",
             "FormProjects", "FormAttachments", "FormCompetitors" })
        Screens::registerScreen(QLatin1String(name), [] { return new test::FakeRecordScreen; });
    Screens::registerScreen(QStringLiteral("FormSales"),
        [] { return new test::FakeRecordScreen(QStringLiteral("User.mdb")); });
}

void TestNavigationTree::clickText(const QString& text, int occurrence)
{
    for (QTreeWidgetItem* item : itemsInOrder(m_main->navigation()->tree())) {
        if (item->text(0) == text && occurrence-- == 0) {
            m_main->navigation()->clickNode(item);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no node '%1'").arg(text)));
}

test::FakeRecordScreen* TestNavigationTree::recordScreen(const QString& name) const
{
    return qobject_cast<test::FakeRecordScreen*>(Screens::existing(name));
}

void TestNavigationTree::treeHasEveryNodeInOrder()
{
    const QList<QTreeWidgetItem*> items = itemsInOrder(m_main->navigation()->tree());
    QCOMPARE(items.size(), int(std::size(expectedTree)));
    QCOMPARE(shell::navigationNodes().size(), int(std::size(expectedTree)));
    for (int i = 0; i < items.size(); ++i) {
        const Expected& expected = expectedTree[i];
        const shell::NavigationNode& node = shell::navigationNodes().at(i);
        QCOMPARE(items[i]->text(0), QLatin1String(expected.text));
        QCOMPARE(items[i]->data(0, Qt::UserRole).toString(), QLatin1String(expected.key));
        QCOMPARE(node.image, QLatin1String(expected.image));
        const QString parentKey
            = items[i]->parent() ? items[i]->parent()->data(0, Qt::UserRole).toString() : QString();
        QCOMPARE(parentKey, QLatin1String(expected.parent));
        QVERIFY(!items[i]->icon(0).isNull());
    }
}

void TestNavigationTree::imageListHasEveryPicture()
{
    const QStringList keys = shell::navigationImageKeys();
    QCOMPARE(keys.size(), 18);
    for (const QString& key : keys) {
        const QPixmap picture = shell::navigationImage(key).pixmap(16, 16);
        QVERIFY2(!picture.isNull(), qPrintable(key));
        // Drawn, not blank.
        const QImage image = picture.toImage();
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y)
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(painted, qPrintable(key));
    }
    QVERIFY(shell::navigationImage(QStringLiteral("Nothing")).isNull());
}

void TestNavigationTree::treeOpensWithCompaniesAndOfficeExpanded()
{
    shell::FormMain* navigation = m_main->navigation();
    QVERIFY(navigation->node(QStringLiteral("root"))->isExpanded());
    QVERIFY(navigation->node(QStringLiteral("child1_root"))->isExpanded());
    QVERIFY(navigation->node(QStringLiteral("child8_root"))->isExpanded());
    QVERIFY(!navigation->node(QStringLiteral("child2_root"))->isExpanded());
    QVERIFY(!navigation->node(QStringLiteral("child3_root"))->isExpanded());
    QTreeWidget* tree = navigation->tree();
    QCOMPARE(tree->verticalScrollBar()->value(), 0);
    QCOMPARE(tree->visualItemRect(navigation->node(QStringLiteral("child1_child1"))).height(), 19);
    QCOMPARE(tree->visualItemRect(navigation->node(QStringLiteral("root"))).height(), 19);
}

void TestNavigationTree::nodeClickSetsCaptionPath()
{
    clickText(QStringLiteral("Reports"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Reports"));
    clickText(QStringLiteral("Contacts  "));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Reports\\Contacts  "));
    clickText(QStringLiteral("MS-Office"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\MS-Office"));
    QCOMPARE(shell::FormMain::captionPath(m_main->navigation()->node(QStringLiteral("root"))),
        QStringLiteral("Main Menu"));
    // "Reports" and "MS-Office" have no action; nothing else happens.
    QVERIFY(!shell::NodeActions::hasAction(QStringLiteral("child3_root")));
    QVERIFY(!shell::NodeActions::hasAction(QStringLiteral("child8_root")));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestNavigationTree::nodesWithoutScreensDoNothingHarmful()
{
    const QStringList screensBefore = [] {
        QStringList names;
        for (const char* name : { "FormCompanies", "FormArchive", "FormContacts", "FormPriceList" })
            if (Screens::existing(QLatin1String(name)))
                names << QLatin1String(name);
        return names;
    }();
    QVERIFY(screensBefore.isEmpty());
    for (QTreeWidgetItem* item : itemsInOrder(m_main->navigation()->tree())) {
        if (item->text(0) == u"Google" || item->text(0).startsWith(u"MS-"))
            continue;
        m_main->navigation()->clickNode(item);
        QCOMPARE(m_main->windowTitle(), shell::FormMain::captionPath(item));
    }
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(m_opener->opened.isEmpty());
    QVERIFY(!Screens::existing(QStringLiteral("FormContacts")));
}

void TestNavigationTree::webSearchOpensAdvancedSearchPage()
{
    clickText(QStringLiteral("Google"));
    QCOMPARE(m_opener->opened.size(), 1);
    const QUrl page = m_opener->opened.first();
    QCOMPARE(page.scheme(), QStringLiteral("https"));
    QCOMPARE(page.path(), QStringLiteral("/advanced_search"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Google"));
    // A browser that does not start is reported.
    QVERIFY(m_messages->shown.isEmpty());
    m_opener->succeed = false;
    clickText(QStringLiteral("Google"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("No web browser is set up on this computer to open www.google.com."));
}

void TestNavigationTree::laterRegistrationReplacesAnAction()
{
    int runs = 0;
    shell::NodeActions::registerAction(QStringLiteral("child6_root"), [&runs] { ++runs; });
    clickText(QStringLiteral("Price List"));
    QCOMPARE(runs, 1);
    QVERIFY(!Screens::existing(QStringLiteral("FormPriceList")));
    shell::NodeActions::registerAction(QStringLiteral("child6_root"),
        [] { Screens::bringToFront(QStringLiteral("FormPriceList")); });
}

void TestNavigationTree::screenNodesBringTheirScreenToFront()
{
    Screens::registerScreen(QStringLiteral("FormPriceList"), [] { return new QWidget; });
    clickText(QStringLiteral("Price List"));
    QWidget* screen = Screens::existing(QStringLiteral("FormPriceList"));
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->objectName(), QStringLiteral("FormPriceList"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Price List"));
    clickText(QStringLiteral("Price List"));
    QCOMPARE(Screens::existing(QStringLiteral("FormPriceList")), screen);
}

void TestNavigationTree::spreadsheetNodeShowsANewWorkbook()
{
    auto program = std::make_unique<office::RecordingSpreadsheetProgram>();
    office::RecordingSpreadsheetProgram* spreadsheet = program.get();
    office::SpreadsheetProgram::setInstance(std::move(program));
    clickText(QStringLiteral("MS-Excel"));
    QCOMPARE(spreadsheet->savedPaths.size(), 1);
    QCOMPARE(spreadsheet->shownPaths, spreadsheet->savedPaths);
    QVERIFY(spreadsheet->savedPaths.first().startsWith(QStringLiteral("Temp/")));
    QVERIFY(m_main->isMinimized());
    QVERIFY(!platform::BusyCursor::isBusy());

    m_main->showNormal();
    spreadsheet->failure = QStringLiteral("The Temp folder is missing.");
    clickText(QStringLiteral("MS-Excel"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The Temp folder is missing."));
    QVERIFY(!m_main->isMinimized());
    office::SpreadsheetProgram::setInstance(nullptr);
}

void TestNavigationTree::wordProcessorNodeShowsAnEmptyDocument()
{
    auto program = std::make_unique<office::RecordingWordProcessor>();
    office::RecordingWordProcessor* word = program.get();
    office::WordProcessor::setInstance(std::move(program));
    clickText(QStringLiteral("MS-Word"));
    QCOMPARE(word->started, 1);
    QCOMPARE(word->shown.size(), 1);
    office::WordDocument* document = word->document(word->shown.first());
    QVERIFY(document);
    QVERIFY(document->body()->toPlainText().trimmed().isEmpty());
    QVERIFY(document->pageHeader()->isEmpty());
    QVERIFY(m_main->isMinimized());
    QVERIFY(m_messages->shown.isEmpty());
    QVERIFY(!platform::BusyCursor::isBusy());

    m_main->showNormal();
    word->failure = QStringLiteral("No window could be opened.");
    clickText(QStringLiteral("MS-Word"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. No window could be opened."));
    QVERIFY(!m_main->isMinimized());
    office::WordProcessor::setInstance(nullptr);
}

void TestNavigationTree::mailFolderNodesOpenTheFolderAndMinimize()
{
    auto program = std::make_unique<office::RecordingMailProgram>();
    office::RecordingMailProgram* mail = program.get();
    office::MailProgram::setInstance(std::move(program));
    using Folder = office::MailProgram::Folder;
    const std::pair<const char*, Folder> nodes[] = { { "MS-Outlook Calendar", Folder::Calendar },
        { "MS-Outlook Inbox", Folder::Inbox }, { "MS-Outlook Tasks", Folder::Tasks } };
    for (const auto& [text, folder] : nodes) {
        m_main->showNormal();
        QVERIFY(!m_main->isMinimized());
        clickText(QLatin1String(text));
        QCOMPARE(mail->shownFolders.last(), folder);
        QVERIFY(m_main->isMinimized());
        QVERIFY(!platform::BusyCursor::isBusy());
        QCOMPARE(
            m_main->windowTitle(), QStringLiteral("Main Menu\\MS-Office\\") + QLatin1String(text));
    }
    QCOMPARE(mail->shownFolders.size(), 3);
    QVERIFY(m_messages->shown.isEmpty());
    office::MailProgram::setInstance(nullptr);
}

void TestNavigationTree::failingOfficeActionShowsTheErrorAndKeepsTheWindow()
{
    auto program = std::make_unique<office::RecordingMailProgram>();
    program->failure = QStringLiteral("The agenda file is damaged.");
    office::MailProgram::setInstance(std::move(program));
    clickText(QStringLiteral("MS-Outlook Calendar"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("An error has occurred. The agenda file is damaged."));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QVERIFY(!m_main->isMinimized());
    QVERIFY(!platform::BusyCursor::isBusy());
    office::MailProgram::setInstance(nullptr);
}

void TestNavigationTree::contactsViewShowsCurrentOrArchivedCompany()
{
    execute(QStringLiteral(
        "INSERT INTO TABLE03 (NUMBER01, TEXT02, TEXT03) VALUES (7, 'Zeller', 'Anna'), "
        "(7, 'abbott', 'Tom'), (9, 'Miller', 'Jo'), (8, 'Other', 'Person')"));
    registerCompanyScreens();

    clickText(QStringLiteral("Contacts"));
    test::FakeRecordScreen* contacts = recordScreen(QStringLiteral("FormContacts"));
    QVERIFY(contacts);
    QVERIFY(contacts->isVisible());
    QCOMPARE(contacts->column(QStringLiteral("FullName")),
        (QVariantList { QStringLiteral("abbott Tom"), QStringLiteral("Zeller Anna") }));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("O'Brien & Sons - Contacts"));
    auto* frame = contacts->findChild<QWidget*>(QStringLiteral("FrameActivities"));
    auto* newButton = contacts->findChild<QWidget*>(QStringLiteral("CommandNew"));
    QVERIFY(frame->isVisible());
    QVERIFY(newButton->isEnabled());

    clickText(QStringLiteral("Contacts "));
    QCOMPARE(recordScreen(QStringLiteral("FormContacts")), contacts);
    QCOMPARE(
        contacts->column(QStringLiteral("FullName")), QVariantList { QStringLiteral("Miller Jo") });
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Contacts"));
    QVERIFY(!frame->isVisible());
    QVERIFY(!newButton->isEnabled());

    clickText(QStringLiteral("Contacts"));
    QVERIFY(frame->isVisible());
    QVERIFY(newButton->isEnabled());
    QVERIFY(m_messages->shown.isEmpty());
}

void TestNavigationTree::correspondenceViewFindsRowsByNameOrKey()
{
    execute(QStringLiteral("INSERT INTO TABLE09 (NUMBER01, TEXT01, DATE01, MEMO01) VALUES "
                           "(7, NULL, '2024-03-01', 'keyed'), "
                           "(NULL, 'o''brien & sons', '2024-05-01', 'named only'), "
                           "(8, 'Someone Else', '2024-06-01', 'other'), "
                           "(NULL, '', '2024-07-01', 'empty name')"));
    registerCompanyScreens();
    clickText(QStringLiteral("Correspondence"));
    test::FakeRecordScreen* letters = recordScreen(QStringLiteral("FormCorrespondence"));
    QVERIFY(letters);
    QCOMPARE(letters->column(QStringLiteral("MEMO01")),
        (QVariantList { QStringLiteral("named only"), QStringLiteral("keyed") }));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("O'Brien & Sons - Correspondence"));

    clickText(QStringLiteral("Call Reports "));
    QVERIFY(recordScreen(QStringLiteral("FormCallReports")));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Call Reports"));

    // A view a command opens (a letter from the contacts screen ends on the
    // correspondence) is marked in the tree, in its own branch.
    clickText(QStringLiteral("Contacts"));
    using ui::RecordViews;
    RecordViews::show(RecordViews::View::Correspondence, RecordViews::Branch::Companies);
    const QTreeWidgetItem* marked = m_main->navigation()->tree()->currentItem();
    QVERIFY(marked);
    QCOMPARE(marked->text(0), QStringLiteral("Correspondence"));
    QCOMPARE(marked->parent()->text(0), QStringLiteral("Companies"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("O'Brien & Sons - Correspondence"));
}

void TestNavigationTree::reportCompetitionNodeActsLikeCompaniesNode()
{
    execute(QStringLiteral(
        "INSERT INTO TABLE10 (NUMBER01, DATE01, TEXT02) VALUES "
        "(7, '2023-01-01', 'older'), (7, '2024-01-01', 'newer'), (9, '2024-02-02', 'archived')"));
    registerCompanyScreens();
    clickText(QStringLiteral("Competition"), 1);
    test::FakeRecordScreen* competitors = recordScreen(QStringLiteral("FormCompetitors"));
    QVERIFY(competitors);
    QCOMPARE(competitors->column(QStringLiteral("TEXT02")),
        (QVariantList { QStringLiteral("newer"), QStringLiteral("older") }));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("O'Brien & Sons - Competition"));
    clickText(QStringLiteral("Competition "));
    QCOMPARE(
        competitors->column(QStringLiteral("TEXT02")), QVariantList { QStringLiteral("archived") });
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Competition"));
}

void TestNavigationTree::projectsViewListsActiveProjectsOnly()
{
    execute(QStringLiteral("INSERT INTO TABLE06 (NUMBER01, TEXT01, TEXT03) VALUES "
                           "(7, 'Alpha', 'Active Project'), (7, 'Beta', 'Completed Project'), "
                           "(7, 'Gamma', 'Active Project'), (9, 'Delta', 'Active Project')"));
    execute(QStringLiteral(
        "INSERT INTO TABLE05 (NUMBER01, TEXT01, DATE01) VALUES (9, 'offer.pdf', '2024-01-01')"));
    registerCompanyScreens();
    clickText(QStringLiteral("Projects"));
    test::FakeRecordScreen* projects = recordScreen(QStringLiteral("FormProjects"));
    QCOMPARE(projects->column(QStringLiteral("TEXT01")),
        (QVariantList { QStringLiteral("Gamma"), QStringLiteral("Alpha") }));
    auto* newButton = projects->findChild<QWidget*>(QStringLiteral("CommandNew"));
    QVERIFY(newButton->isEnabled());
    clickText(QStringLiteral("Projects "));
    QCOMPARE(projects->column(QStringLiteral("TEXT01")), QVariantList { QStringLiteral("Delta") });
    QVERIFY(!newButton->isEnabled());
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Projects"));

    clickText(QStringLiteral("Attachments "));
    QCOMPARE(recordScreen(QStringLiteral("FormAttachments"))->column(QStringLiteral("TEXT01")),
        QVariantList { QStringLiteral("offer.pdf") });
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Attachments"));
}

void TestNavigationTree::viewWithoutCompanyShowsNoRows()
{
    execute(QStringLiteral(
        "INSERT INTO TABLE08 (NUMBER01, TEXT01, DATE01) VALUES (NULL, '', '2024-01-01'), "
        "(NULL, NULL, '2024-01-02')"));
    registerCompanyScreens();
    Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"))
        ->standOn({}, {}, {});
    clickText(QStringLiteral("Call Reports"));
    test::FakeRecordScreen* reports = recordScreen(QStringLiteral("FormCallReports"));
    QCOMPARE(reports->queries, 1);
    QVERIFY(reports->rows.isEmpty());
    QCOMPARE(m_main->windowTitle(), QStringLiteral(" - Call Reports"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestNavigationTree::failingViewReportsTheError()
{
    registerCompanyScreens();
    Screens::instance<test::FakeRecordScreen>(QStringLiteral("FormAttachments"))->failWith
        = QStringLiteral("disk I/O error");
    clickText(QStringLiteral("Attachments"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(
        m_messages->shown.first().text, QStringLiteral("An error has occurred. disk I/O error"));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Companies\\Attachments"));

    // The contacts view goes on past its own failure.
    Screens::instance<test::FakeRecordScreen>(QStringLiteral("FormContacts"))->failWith
        = QStringLiteral("locked");
    clickText(QStringLiteral("Contacts "));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Archived Contacts"));
}

void TestNavigationTree::salesViewUsesImportSettings()
{
    {
        data::Database db;
        QVERIFY(data::openUserDatabase(db));
        QVERIFY(db.execute(QStringLiteral("CREATE TABLE SALES (\"INVOICE DATE\" DATETEXT, "
                                          "\"ACCOUNT'NO\" TEXT, AMOUNT NUMERIC)")));
        QVERIFY(
            db.execute(QStringLiteral("INSERT INTO SALES VALUES ('2024-01-05', 'A-100', 10), "
                                      "('2024-03-05', 'A-100', 30), ('2024-02-05', 'A-900', 20)")));
        QVERIFY(db.execute(QStringLiteral("UPDATE TABLE02 SET TEXT08 = ?, TEXT09 = ?"),
            { QStringLiteral("INVOICE DATE"), QStringLiteral("ACCOUNT'NO") }));
    }
    registerCompanyScreens();
    clickText(QStringLiteral("Sales"));
    test::FakeRecordScreen* sales = recordScreen(QStringLiteral("FormSales"));
    QVERIFY(sales);
    QCOMPARE(sales->column(QStringLiteral("AMOUNT")), (QVariantList { 30, 10 }));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("O'Brien & Sons - Sales"));
    clickText(QStringLiteral("Sales "));
    QCOMPARE(sales->column(QStringLiteral("AMOUNT")), QVariantList { 20 });
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Old Mill - Sales"));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestNavigationTree::salesViewWithoutImportShowsImportScreen()
{
    registerCompanyScreens();
    Screens::registerScreen(QStringLiteral("FormImportSales"), [] { return new QWidget; });
    m_main->setWindowTitle(QStringLiteral("Vantrel"));
    clickText(QStringLiteral("Sales"));
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("Your sales figures have not been imported correctly."));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Critical);
    QWidget* import = Screens::existing(QStringLiteral("FormImportSales"));
    QVERIFY(import && import->isVisible());
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Companies\\Sales - Import Sales"));

    // Settings that name columns the table lacks fail the same way.
    {
        data::Database db;
        QVERIFY(data::openUserDatabase(db));
        QVERIFY(db.execute(QStringLiteral("CREATE TABLE SALES (A TEXT)")));
        QVERIFY(
            db.execute(QStringLiteral("UPDATE TABLE02 SET TEXT08 = 'Date', TEXT09 = 'Account'")));
    }
    clickText(QStringLiteral("Sales "));
    QCOMPARE(m_messages->shown.size(), 2);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Main Menu\\Archive\\Sales  - Import Sales"));
}

VANTREL_TEST_MAIN(TestNavigationTree)
#include "TestNavigationTree.moc"
