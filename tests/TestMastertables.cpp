#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "companies/FormCompanies.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "mastertables/FormFindandReplace.h"
#include "mastertables/FormMastertables.h"
#include "platform/MessageBox.h"
#include "shell/FormMenu.h"
#include "ui/Screens.h"

#include "Controls.h"
#include "TestFolder.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vantrel;
using mastertables::FormFindandReplace;
using mastertables::FormMastertables;
using ui::Screens;

class TestMastertables : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tableButtonsListTheirTableSorted();
    void replaceButtonsFollowTheTable();
    void gridIsLockedUntilEditAndStaysOpenAcrossTables();
    void newRowLineAddsAnEntry();
    void changedEntryIsStoredBySaveChanges();
    void closingStoresTheEntryOrSaysWhyNot();
    void deleteAsksWithNoAsDefault();
    void deleteDoesNothingOnTheNewRowLine();
    void backgroundShowsTheScreensHint();

    void replaceSalesPersonListsSalesPeople();
    void replaceSalesPersonMatchesExactlyInEveryCompany();
    void replaceSalesManagerChangesOnlyManagers();
    void nothingPickedFillsCompaniesWithoutAPerson();
    void failedReplacementChangesNothing();
    void setupMenuOpensTheMasterTables();

private:
    void execute(const QString& sql);
    QStringList strings(const QString& sql);
    QPushButton* button(const char* name) const;
    QTableView* grid() const;
    QStringList gridTexts() const;
    void selectRow(int row);
    FormFindandReplace* openReplacement(const char* tableButton, const char* replaceButton);
    void pick(FormFindandReplace* screen, const char* combo, const QString& person);
    void addCompanies();

    test::TestFolder* m_folder = nullptr;
    FormMastertables* m_screen = nullptr;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
};

void TestMastertables::init()
{
    m_folder = new test::TestFolder;
    m_folder->createDatabases();
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    execute("INSERT INTO MT08 (TEXT01) VALUES ('pacific'), ('Atlantic'), ('Midwest'), ('Émilie'), "
            "('East')");
    execute("INSERT INTO MT12 (TEXT01) VALUES ('Smith'), ('Jones'), ('smith'), ('Adams')");
    execute("INSERT INTO MT13 (TEXT01) VALUES ('Baker'), ('Clark')");
    m_screen = new FormMastertables;
    m_screen->resize(900, 560);
    m_screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_screen));
}

void TestMastertables::cleanup()
{
    delete m_screen;
    Screens::closeAll();
    platform::MessageBox::setHandler(nullptr);
    delete m_folder;
}

void TestMastertables::execute(const QString& sql)
{
    data::Database db;
    QVERIFY(data::openBusinessDatabase(db));
    QVERIFY2(db.execute(sql), qPrintable(db.lastError()));
}

QStringList TestMastertables::strings(const QString& sql)
{
    data::Database db;
    data::openBusinessDatabase(db);
    data::QueryResult result;
    if (!db.query(sql, {}, &result))
        qFatal("%s", qPrintable(db.lastError()));
    QStringList values;
    for (const QVariantList& row : result.rows)
        values.append(row.first().isNull() ? QStringLiteral("<null>") : row.first().toString());
    return values;
}

QPushButton* TestMastertables::button(const char* name) const
{
    return test::findControl<QPushButton>(m_screen, name);
}

QTableView* TestMastertables::grid() const
{
    return m_screen->findChild<QTableView*>("DBGrid1");
}

QStringList TestMastertables::gridTexts() const
{
    QStringList texts;
    QAbstractItemModel* model = grid()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->headerData(row, Qt::Vertical).toString() != "*")
            texts.append(model->index(row, 0).data().toString());
    }
    return texts;
}

void TestMastertables::selectRow(int row)
{
    grid()->setCurrentIndex(grid()->model()->index(row, 0));
}

FormFindandReplace* TestMastertables::openReplacement(
    const char* tableButton, const char* replaceButton)
{
    QTest::mouseClick(button(tableButton), Qt::LeftButton);
    QTest::mouseClick(button(replaceButton), Qt::LeftButton);
    return qobject_cast<FormFindandReplace*>(Screens::existing("FormFindandReplace"));
}

void TestMastertables::pick(FormFindandReplace* screen, const char* combo, const QString& person)
{
    auto* box = screen->findChild<QComboBox*>(combo);
    const int index = box->findText(person, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(person));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void TestMastertables::addCompanies()
{
    execute("INSERT INTO TABLE01 (TEXT01, TEXT20, TEXT18, TEXT19) VALUES "
            "('Active Smith', 'Company', 'Smith', 'Baker'),"
            "('Archived Smith', 'Archive', 'Smith', 'Smith'),"
            "('Lower smith', 'Company', 'smith', 'Clark'),"
            "('Upper SMITH', 'Company', 'SMITH', NULL),"
            "('Nobody', 'Company', NULL, NULL),"
            "('Blank', 'Archive', '', 'Baker'),"
            "('Adams''s', 'Company', 'Adams', 'Smith')");
}

void TestMastertables::tableButtonsListTheirTableSorted()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QCOMPARE(m_screen->tableName(), QStringLiteral("MT08"));
    QCOMPARE(gridTexts(), (QStringList { "Atlantic", "East", "Émilie", "Midwest", "pacific" }));
    QCOMPARE(grid()->model()->columnCount(), 1);
    QCOMPARE(grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Region"));

    QTest::mouseClick(button("CommandManager"), Qt::LeftButton);
    QCOMPARE(gridTexts(), (QStringList { "Baker", "Clark" }));

    const QList<QPair<const char*, const char*>> buttons { { "CommandBranch", "MT01" },
        { "CommandDivision", "MT03" }, { "CommandSalesperson", "MT12" },
        { "CommandIndustry", "MT04" }, { "CommandOccupation", "MT05" }, { "CommandTitle", "MT09" },
        { "CommandTypeofContact", "MT10" }, { "CommandCategory", "MT02" },
        { "CommandProjects", "MT06" } };
    for (const auto& [name, table] : buttons) {
        QTest::mouseClick(button(name), Qt::LeftButton);
        QCOMPARE(m_screen->tableName(), QString::fromLatin1(table));
    }
    QVERIFY(m_messages->shown.isEmpty());
}

void TestMastertables::replaceButtonsFollowTheTable()
{
    QVERIFY(!button("CommandReplaceSP")->isVisible());
    QVERIFY(!button("CommandReplaceSM")->isVisible());
    QTest::mouseClick(button("CommandSalesperson"), Qt::LeftButton);
    QVERIFY(button("CommandReplaceSP")->isVisible());
    QVERIFY(!button("CommandReplaceSM")->isVisible());
    // The managers' button lies over the sales people's without hiding it.
    QTest::mouseClick(button("CommandManager"), Qt::LeftButton);
    QVERIFY(button("CommandReplaceSM")->isVisible());
    QVERIFY(button("CommandReplaceSP")->isVisible());
    QCOMPARE(button("CommandReplaceSM")->geometry(), button("CommandReplaceSP")->geometry());
    QTest::mouseClick(button("CommandTitle"), Qt::LeftButton);
    QVERIFY(!button("CommandReplaceSP")->isVisible());
    QVERIFY(!button("CommandReplaceSM")->isVisible());
}

void TestMastertables::gridIsLockedUntilEditAndStaysOpenAcrossTables()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QVERIFY(!grid()->isEnabled());
    QVERIFY(!button("CommandDelete")->isEnabled());
    QVERIFY(!button("CommandSave")->isVisible());
    QVERIFY(!(grid()->model()->flags(grid()->model()->index(0, 0)) & Qt::ItemIsEditable));

    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    QVERIFY(grid()->isEnabled());
    QVERIFY(button("CommandDelete")->isEnabled());
    QVERIFY(button("CommandSave")->isVisible());
    QCOMPARE(button("CommandSave")->geometry(), button("CommandEdit")->geometry());

    QTest::mouseClick(button("CommandTitle"), Qt::LeftButton);
    QVERIFY(grid()->isEnabled());
    QVERIFY(grid()->model()->flags(grid()->model()->index(0, 0)) & Qt::ItemIsEditable);

    QTest::mouseClick(button("CommandSave"), Qt::LeftButton);
    QVERIFY(!button("CommandSave")->isVisible());
    QVERIFY(grid()->isEnabled());
}

void TestMastertables::newRowLineAddsAnEntry()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    QAbstractItemModel* model = grid()->model();
    QCOMPARE(model->rowCount(), 6);
    const QModelIndex newLine = model->index(5, 0);
    QCOMPARE(model->headerData(5, Qt::Vertical).toString(), QStringLiteral("*"));

    // Typed into the grid as a user does.
    grid()->setCurrentIndex(newLine);
    grid()->edit(newLine);
    auto* editor = grid()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, "Alps");
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid line and the new-row line below it.
    QTRY_COMPARE(model->rowCount(), 7);
    QTest::mouseClick(button("CommandSave"), Qt::LeftButton);

    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(strings("SELECT TEXT01 FROM MT08 ORDER BY TEXT01"),
        (QStringList { "Alps", "Atlantic", "East", "Émilie", "Midwest", "pacific" }));
    QCOMPARE(
        gridTexts(), (QStringList { "Alps", "Atlantic", "East", "Émilie", "Midwest", "pacific" }));
}

void TestMastertables::changedEntryIsStoredBySaveChanges()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    QVERIFY(grid()->model()->setData(grid()->model()->index(4, 0), "Pacific"));
    QTest::mouseClick(button("CommandSave"), Qt::LeftButton);
    QCOMPARE(
        strings("SELECT TEXT01 FROM MT08 WHERE TEXT01 = 'pacific' COLLATE BINARY"), QStringList());
    QCOMPARE(strings("SELECT TEXT01 FROM MT08 WHERE TEXT01 = 'Pacific' COLLATE BINARY"),
        QStringList { "Pacific" });
}

void TestMastertables::closingStoresTheEntryOrSaysWhyNot()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    execute("CREATE TRIGGER refuse BEFORE UPDATE ON MT08 "
            "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
    QVERIFY(grid()->model()->setData(grid()->model()->index(4, 0), "Pacific"));
    QVERIFY(!m_screen->close());
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.contains("the disk is full"));
    QVERIFY(m_screen->isVisible());
    QCOMPARE(grid()->model()->index(4, 0).data().toString(), QStringLiteral("Pacific"));

    execute("DROP TRIGGER refuse");
    QVERIFY(m_screen->close());
    QCOMPARE(strings("SELECT TEXT01 FROM MT08 WHERE TEXT01 = 'Pacific' COLLATE BINARY"),
        QStringList { "Pacific" });
}

void TestMastertables::deleteAsksWithNoAsDefault()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    selectRow(3); // Midwest

    m_messages->answers = { platform::MessageBox::No };
    QTest::mouseClick(button("CommandDelete"), Qt::LeftButton);
    QCOMPARE(m_messages->shown.size(), 1);
    const platform::MessageBox::Message question = m_messages->shown.first();
    QCOMPARE(question.text, QStringLiteral("Are you sure you want to delete this record?"));
    QCOMPARE(question.icon, platform::MessageBox::Icon::Question);
    QCOMPARE(question.buttons, platform::MessageBox::Yes | platform::MessageBox::No);
    QCOMPARE(question.defaultButton, platform::MessageBox::No);
    QCOMPARE(strings("SELECT COUNT(*) FROM MT08"), QStringList { "5" });

    m_messages->answers = { platform::MessageBox::Yes };
    QTest::mouseClick(button("CommandDelete"), Qt::LeftButton);
    QCOMPARE(strings("SELECT TEXT01 FROM MT08 ORDER BY TEXT01"),
        (QStringList { "Atlantic", "East", "Émilie", "pacific" }));
    QCOMPARE(gridTexts(), (QStringList { "Atlantic", "East", "Émilie", "pacific" }));
}

void TestMastertables::deleteDoesNothingOnTheNewRowLine()
{
    QTest::mouseClick(button("CommandRegion"), Qt::LeftButton);
    QTest::mouseClick(button("CommandEdit"), Qt::LeftButton);
    selectRow(1);
    selectRow(5); // the new-row line; the view still stands on row 1
    m_messages->answers = { platform::MessageBox::Yes };
    QTest::mouseClick(button("CommandDelete"), Qt::LeftButton);
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(strings("SELECT COUNT(*) FROM MT08"), QStringList { "5" });
}

void TestMastertables::backgroundShowsTheScreensHint()
{
    auto* frame = m_screen->findChild<QWidget*>("FrameHelp");
    auto* label = m_screen->findChild<QLabel*>("LabelHelp");
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(button("CommandManager"), &enter);
    QCOMPARE(label->text(),
        QStringLiteral("If applicable, enter all sales managers in your organization."));
    QTest::mouseMove(m_screen, QPoint(m_screen->width() - 3, m_screen->height() - 3));
    QTRY_COMPARE(label->text(),
        QStringLiteral("For detailed information on setting up your mastertables, press F1."));
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->x(), grid()->x());
    QCOMPARE(frame->width(), grid()->width());
}

void TestMastertables::replaceSalesPersonListsSalesPeople()
{
    FormFindandReplace* replacement = openReplacement("CommandSalesperson", "CommandReplaceSP");
    QVERIFY(replacement);
    QVERIFY(replacement->isVisible());
    QCOMPARE(replacement->personList(), FormFindandReplace::PersonList::SalesPeople);
    auto* find = replacement->findChild<QComboBox*>("DBComboFind");
    QStringList people;
    for (int i = 0; i < find->count(); ++i)
        people.append(find->itemText(i));
    // Sorted without regard to case; the two spellings of Smith are both offered.
    QCOMPARE(people.size(), 4);
    QCOMPARE(people.mid(0, 2), (QStringList { "Adams", "Jones" }));
    QVERIFY(people.contains("Smith") && people.contains("smith"));
    QCOMPARE(find->currentIndex(), -1);
    QCOMPARE(find->placeholderText(), QStringLiteral("Person to Replace..."));
    QCOMPARE(replacement->findChild<QComboBox*>("DBComboReplace")->placeholderText(),
        QStringLiteral("Replace with..."));

    // The managers' button turns the same screen to the managers.
    QTest::mouseClick(button("CommandManager"), Qt::LeftButton);
    QTest::mouseClick(button("CommandReplaceSM"), Qt::LeftButton);
    QCOMPARE(replacement->personList(), FormFindandReplace::PersonList::SalesManagers);
    QCOMPARE(find->count(), 2);
    QCOMPARE(find->itemText(0), QStringLiteral("Baker"));
}

void TestMastertables::replaceSalesPersonMatchesExactlyInEveryCompany()
{
    addCompanies();
    auto* companies = Screens::instance<companies::FormCompanies>("FormCompanies");
    QVERIFY(companies);
    QCOMPARE(companies->companyValue("TEXT18").toString(), QStringLiteral("Smith"));
    QVERIFY(Screens::instance("FormArchive"));

    FormFindandReplace* replacement = openReplacement("CommandSalesperson", "CommandReplaceSP");
    pick(replacement, "DBComboFind", "Smith");
    pick(replacement, "DBComboReplace", "Jones");
    QCOMPARE(replacement->findChild<QLineEdit*>("TextFind")->text(), QStringLiteral("Smith"));
    QCOMPARE(replacement->findChild<QLineEdit*>("TextReplace")->text(), QStringLiteral("Jones"));
    QTest::mouseClick(replacement->findChild<QPushButton*>("CommandFindReplace"), Qt::LeftButton);

    QCOMPARE(strings("SELECT TEXT18 FROM TABLE01 ORDER BY AUTONUMBER"),
        (QStringList { "Jones", "Jones", "smith", "SMITH", "<null>", "", "Adams" }));
    QCOMPARE(strings("SELECT TEXT19 FROM TABLE01 ORDER BY AUTONUMBER"),
        (QStringList { "Baker", "Smith", "Clark", "<null>", "<null>", "Baker", "Smith" }));
    // The pick list keeps the old name.
    QCOMPARE(strings("SELECT COUNT(*) FROM MT12 WHERE TEXT01 = 'Smith' COLLATE BINARY"),
        QStringList { "1" });

    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text, QStringLiteral("Smith has been replaced by Jones"));
    QCOMPARE(m_messages->shown.first().buttons, int(platform::MessageBox::Ok));
    // The screen closes, and the record screens are made afresh with the new names.
    QTRY_VERIFY(!Screens::existing("FormFindandReplace"));
    QTRY_VERIFY(!Screens::existing("FormCompanies"));
    QTRY_VERIFY(!Screens::existing("FormArchive"));
    companies = Screens::instance<companies::FormCompanies>("FormCompanies");
    QCOMPARE(companies->companyValue("TEXT01").toString(), QStringLiteral("Active Smith"));
    QCOMPARE(companies->companyValue("TEXT18").toString(), QStringLiteral("Jones"));
}

void TestMastertables::replaceSalesManagerChangesOnlyManagers()
{
    addCompanies();
    FormFindandReplace* replacement = openReplacement("CommandManager", "CommandReplaceSM");
    pick(replacement, "DBComboFind", "Baker");
    pick(replacement, "DBComboReplace", "Clark");
    QTest::mouseClick(replacement->findChild<QPushButton*>("CommandFindReplace"), Qt::LeftButton);

    QCOMPARE(strings("SELECT TEXT19 FROM TABLE01 ORDER BY AUTONUMBER"),
        (QStringList { "Clark", "Smith", "Clark", "<null>", "<null>", "Clark", "Smith" }));
    QCOMPARE(strings("SELECT TEXT18 FROM TABLE01 ORDER BY AUTONUMBER"),
        (QStringList { "Smith", "Smith", "smith", "SMITH", "<null>", "", "Adams" }));
    QCOMPARE(m_messages->shown.first().text, QStringLiteral("Baker has been replaced by Clark"));
}

void TestMastertables::nothingPickedFillsCompaniesWithoutAPerson()
{
    addCompanies();
    FormFindandReplace* replacement = openReplacement("CommandSalesperson", "CommandReplaceSP");
    pick(replacement, "DBComboReplace", "Adams");
    QTest::mouseClick(replacement->findChild<QPushButton*>("CommandFindReplace"), Qt::LeftButton);

    QCOMPARE(strings("SELECT TEXT18 FROM TABLE01 ORDER BY AUTONUMBER"),
        (QStringList { "Smith", "Smith", "smith", "SMITH", "Adams", "Adams", "Adams" }));
    QCOMPARE(m_messages->shown.first().text, QStringLiteral(" has been replaced by Adams"));
}

void TestMastertables::failedReplacementChangesNothing()
{
    addCompanies();
    // Fails once the statement has changed some rows; none of them may stay changed.
    execute("CREATE TRIGGER refuse AFTER UPDATE OF TEXT18 ON TABLE01 WHEN NEW.TEXT01 = 'Archived "
            "Smith' "
            "BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
    FormFindandReplace* replacement = openReplacement("CommandSalesperson", "CommandReplaceSP");
    pick(replacement, "DBComboFind", "Smith");
    pick(replacement, "DBComboReplace", "Jones");
    QTest::mouseClick(replacement->findChild<QPushButton*>("CommandFindReplace"), Qt::LeftButton);

    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY2(m_messages->shown.first().text.startsWith("An error has occurred. "),
        qPrintable(m_messages->shown.first().text));
    QVERIFY(m_messages->shown.first().text.contains("the disk is full"));
    QCOMPARE(strings("SELECT COUNT(*) FROM TABLE01 WHERE TEXT18 = 'Jones'"), QStringList { "0" });
    QVERIFY(Screens::existing("FormFindandReplace"));
    QVERIFY(replacement->isVisible());
}

void TestMastertables::setupMenuOpensTheMasterTables()
{
    shell::FormMenu menu;
    menu.show();
    menu.screenActivated();
    QTest::mouseClick(menu.findChild<QPushButton*>("CommandEnter"), Qt::LeftButton);
    QTest::mouseClick(menu.findChild<QPushButton*>("CommandMastertables"), Qt::LeftButton);
    auto* opened = qobject_cast<FormMastertables*>(Screens::existing("FormMastertables"));
    QVERIFY(opened);
    QVERIFY(opened->isVisible());
    QVERIFY(opened->findChild<QPushButton*>("CommandHelp"));
}

VANTREL_TEST_MAIN(TestMastertables)
#include "TestMastertables.moc"
