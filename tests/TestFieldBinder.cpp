#include "ApplicationTest.h"
#include "TestFolder.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "ui/FieldBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace vantrel::data;
using vantrel::test::TestFolder;
using vantrel::ui::FieldBinder;
using vantrel::ui::TextDocumentCodec;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

class TestFieldBinder : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> m_folder;
    std::shared_ptr<Database> m_db;
    std::unique_ptr<BoundView> m_view;

    QVariant stored(const QString& sql) { return m_db->scalar(sql); }

private slots:
    void initTestCase()
    {
        // Short dates with two-digit years are the hard case for reading back.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_folder->createDatabases();
        m_db = std::make_shared<Database>();
        QVERIFY(openBusinessDatabase(*m_db));
        QVERIFY(m_db->execute(
            s("INSERT INTO TABLE01 (TEXT01, TEXT08, TEXT09, TEXT18, MEMO01, NUMBER01, DATE01) "
              "VALUES ('Acme', 'Berlin', 'North', 'Smith', 'Good customer', 1, '1901-05-06'), "
              "('Bolt', 'Bonn', NULL, 'Jones', NULL, 0, NULL)")));
        QVERIFY(m_db->execute(s("INSERT INTO MT12 (TEXT01) VALUES ('Jones'), ('Smith')")));
        m_view = std::make_unique<BoundView>();
        QVERIFY(m_view->setDatabase(m_db));
        m_view->setRecordSource(s("SELECT * FROM TABLE01 ORDER BY TEXT01"));
        QVERIFY(m_view->refresh());
    }

    void cleanup()
    {
        m_view.reset();
        m_db.reset();
        m_folder.reset();
    }

    void showingValuesIsNoEdit()
    {
        QLineEdit name;
        QPlainTextEdit notes;
        QTextEdit details;
        QLabel city;
        QLineEdit visited;
        QCheckBox frequent;
        QComboBox region;
        region.setEditable(true);
        FieldBinder binder(m_view.get());
        binder.bind(&name, s("TEXT01"));
        binder.bind(&notes, s("MEMO01"));
        binder.bind(&details, s("MEMO01"));
        binder.bind(&city, s("TEXT08"));
        binder.bind(&visited, s("DATE01"));
        binder.bind(&frequent, s("NUMBER01"));
        binder.bind(&region, s("TEXT09"));

        QCOMPARE(name.text(), s("Acme"));
        QCOMPARE(notes.toPlainText(), s("Good customer"));
        QCOMPARE(details.toPlainText(), s("Good customer"));
        QCOMPARE(city.text(), s("Berlin"));
        QCOMPARE(visited.text(), QLocale().toString(QDate(1901, 5, 6), QLocale::ShortFormat));
        QVERIFY(frequent.isChecked());
        QCOMPARE(region.currentText(), s("North"));
        QVERIFY(!m_view->isEdited());

        QVERIFY(m_view->moveNext());
        QCOMPARE(name.text(), s("Bolt"));
        QVERIFY(notes.toPlainText().isEmpty());
        QVERIFY(visited.text().isEmpty());
        QVERIFY(!frequent.isChecked());
        QVERIFY(region.currentText().isEmpty());
        QVERIFY(!m_view->isEdited());
        QVERIFY(m_view->moveFirst());
        QVERIFY(!m_view->isEdited());

        // Leaving a box without changing it stores nothing, even a date whose
        // short form would be read back into another century.
        emit visited.editingFinished();
        emit name.editingFinished();
        QVERIFY(!m_view->isEdited());
        QCOMPARE(m_view->value(s("DATE01")).toDate(), QDate(1901, 5, 6));

        // A locked box shows a long value from its beginning.
        QLineEdit locked;
        locked.setEnabled(false);
        binder.bind(&locked, s("MEMO01"));
        QCOMPARE(locked.text(), s("Good customer"));
        QCOMPARE(locked.cursorPosition(), 0);

        // A field set by the screen's code shows in its widgets at once.
        QVERIFY(m_view->setValue(s("TEXT08"), s("Potsdam")));
        QCOMPARE(city.text(), s("Potsdam"));
        m_view->cancelEdits();
        QCOMPARE(city.text(), s("Berlin"));
    }

    void typingIsAnEditThatRefreshStores()
    {
        QLineEdit name;
        QPlainTextEdit notes;
        QLineEdit visited;
        QLineEdit twin;
        FieldBinder binder(m_view.get());
        binder.bind(&name, s("TEXT01"));
        binder.bind(&twin, s("TEXT01"));
        binder.bind(&notes, s("MEMO01"));
        binder.bind(&visited, s("DATE01"));

        QTest::keyClicks(&name, s(" O'Hara"));
        QVERIFY(m_view->isEdited());
        QCOMPARE(m_view->value(s("TEXT01")).toString(), s("Acme O'Hara"));
        QCOMPARE(twin.text(), s("Acme O'Hara"));
        QCOMPARE(name.cursorPosition(), name.text().size());

        notes.moveCursor(QTextCursor::End);
        QTest::keyClicks(&notes, s(", pays late"));
        QCOMPARE(m_view->value(s("MEMO01")).toString(), s("Good customer, pays late"));

        visited.clear();
        QTest::keyClicks(&visited, s("3/1/24"));
        QCOMPARE(m_view->value(s("DATE01")).toDate(), QDate(2024, 3, 1));
        visited.clear();
        QTest::keyClicks(&visited, s("2024-03-02"));
        QCOMPARE(m_view->value(s("DATE01")).toDate(), QDate(2024, 3, 2));
        QTest::keyClick(&visited, Qt::Key_Return);
        QCOMPARE(visited.text(), s("3/2/24"));

        QVERIFY(m_view->refresh());
        QCOMPARE(stored(s("SELECT TEXT01 || '|' || MEMO01 || '|' || DATE01 FROM TABLE01 "
                          "WHERE AUTONUMBER = 1"))
                     .toString(),
            s("Acme O'Hara|Good customer, pays late|2024-03-02"));

        // Clearing a box stores NULL.
        name.selectAll();
        QTest::keyClick(&name, Qt::Key_Delete);
        QVERIFY(m_view->refresh());
        QVERIFY(stored(s("SELECT TEXT01 IS NULL FROM TABLE01 WHERE AUTONUMBER = 1")).toBool());
    }

    void refusedInputShowsTheFieldAgain()
    {
        QLineEdit visited;
        FieldBinder binder(m_view.get());
        binder.bind(&visited, s("DATE01"));
        QSignalSpy refused(&binder, &FieldBinder::editRefused);

        visited.selectAll();
        QTest::keyClicks(&visited, s("soon"));
        QCOMPARE(visited.text(), s("soon"));
        QCOMPARE(refused.count(), 0);
        QVERIFY(!m_view->isEdited());
        QTest::keyClick(&visited, Qt::Key_Return);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.at(0).at(0).toString(), s("DATE01"));
        QCOMPARE(refused.at(0).at(1).toString(), s("'soon' is not a valid date."));
        QCOMPARE(visited.text(), QLocale().toString(QDate(1901, 5, 6), QLocale::ShortFormat));

        // A company's field in a contacts view is shown but not written.
        QVERIFY(m_db->execute(s("INSERT INTO TABLE03 (NUMBER01, TEXT02) VALUES (1, 'Ann')")));
        BoundView contacts;
        QVERIFY(contacts.setDatabase(m_db));
        contacts.setRecordSource(s("SELECT * FROM TABLE01 INNER JOIN TABLE03 "
                                   "ON TABLE01.AUTONUMBER = TABLE03.NUMBER01"));
        QVERIFY(contacts.setWriteTarget(s("TABLE03")));
        QVERIFY(contacts.refresh());
        QPlainTextEdit company;
        FieldBinder contactBinder(&contacts);
        QSignalSpy companyRefused(&contactBinder, &FieldBinder::editRefused);
        contactBinder.bind(&company, s("TABLE01.TEXT01"));
        QCOMPARE(company.toPlainText(), s("Acme"));
        QTest::keyClicks(&company, s("X"));
        QCOMPARE(companyRefused.count(), 1);
        QCOMPARE(company.toPlainText(), s("Acme"));
        QVERIFY(!contacts.isEdited());
    }

    void combosAndCheckBoxes()
    {
        BoundView salesPeople;
        QVERIFY(salesPeople.setDatabase(m_db));
        salesPeople.setRecordSource(s("SELECT MT12.TEXT01 FROM MT12 ORDER BY MT12.TEXT01"));
        QVERIFY(salesPeople.refresh());
        BoundViewModel salesModel(&salesPeople);

        QComboBox pick;
        pick.setModel(&salesModel);
        QComboBox typed;
        typed.setEditable(true);
        typed.setModel(&salesModel);
        QCheckBox frequent;
        FieldBinder binder(m_view.get());
        binder.bind(&pick, s("TEXT18"));
        binder.bind(&typed, s("TEXT09"));
        binder.bind(&frequent, s("NUMBER01"));
        QCOMPARE(pick.currentText(), s("Smith"));
        QCOMPARE(typed.currentText(), s("North"));

        // The pick list refilled keeps showing the field's value, and that is no edit.
        QVERIFY(m_db->execute(s("INSERT INTO MT12 (TEXT01) VALUES ('Adams')")));
        QVERIFY(salesPeople.refresh());
        QCOMPARE(pick.count(), 3);
        QCOMPARE(pick.currentText(), s("Smith"));
        QVERIFY(!m_view->isEdited());

        QTest::keyClick(&pick, Qt::Key_Up);
        QCOMPARE(pick.currentText(), s("Jones"));
        QCOMPARE(m_view->value(s("TEXT18")).toString(), s("Jones"));

        typed.lineEdit()->selectAll();
        QTest::keyClicks(typed.lineEdit(), s("South"));
        QCOMPARE(m_view->value(s("TEXT09")).toString(), s("South"));
        QTest::keyClick(typed.lineEdit(), Qt::Key_Return);
        QCOMPARE(typed.count(), 3);

        QTest::keyClick(&frequent, Qt::Key_Space);
        QVERIFY(!frequent.isChecked());
        QCOMPARE(m_view->value(s("NUMBER01")).toInt(), 0);
        QVERIFY(m_view->refresh());
        QCOMPARE(stored(s("SELECT TEXT18 || '|' || TEXT09 || '|' || NUMBER01 FROM TABLE01 "
                          "WHERE AUTONUMBER = 1"))
                     .toString(),
            s("Jones|South|0"));

        // A value missing from a pick list shows as no selection and stays stored.
        QVERIFY(m_view->setValue(s("TEXT18"), s("Former")));
        QCOMPARE(pick.currentIndex(), -1);
        QVERIFY(m_view->moveNext());
        QCOMPARE(pick.currentText(), s("Jones"));
        QTest::keyClick(&frequent, Qt::Key_Space);
        QCOMPARE(m_view->value(s("NUMBER01")).toInt(), 1);
        QVERIFY(m_view->refresh());
        QCOMPARE(
            stored(s("SELECT TEXT18 FROM TABLE01 WHERE AUTONUMBER = 1")).toString(), s("Former"));
        QCOMPARE(stored(s("SELECT NUMBER01 FROM TABLE01 WHERE AUTONUMBER = 2")).toInt(), 1);
    }

    void richTextGoesThroughItsCodec()
    {
        TextDocumentCodec codec;
        codec.write = [](const QTextDocument& document) {
            return s("{") + document.toPlainText() + s("}");
        };
        codec.read = [](QTextDocument& document, const QString& text) {
            document.setPlainText(text.mid(1, text.size() - 2));
        };
        QVERIFY(m_view->setValue(s("MEMO02"), s("{Founded 1990}")));
        QVERIFY(m_view->update());
        QTextEdit details;
        FieldBinder binder(m_view.get());
        binder.bind(&details, s("MEMO02"), codec);
        QCOMPARE(details.toPlainText(), s("Founded 1990"));
        QVERIFY(!m_view->isEdited());
        details.moveCursor(QTextCursor::End);
        QTest::keyClicks(&details, s("!"));
        QCOMPARE(m_view->value(s("MEMO02")).toString(), s("{Founded 1990!}"));
    }

    void noCurrentRowEmptiesAndDisables()
    {
        QLineEdit name;
        QLineEdit city;
        QLabel region;
        city.setEnabled(false);
        FieldBinder binder(m_view.get());
        binder.bind(&name, s("TEXT01"));
        binder.bind(&city, s("TEXT08"));
        binder.bind(&region, s("TEXT09"));
        QVERIFY(m_view->moveLast());
        QVERIFY(m_view->moveNext());
        QVERIFY(name.text().isEmpty());
        QVERIFY(!name.isEnabled());
        QVERIFY(region.text().isEmpty());
        QVERIFY(m_view->moveFirst());
        QCOMPARE(name.text(), s("Acme"));
        QVERIFY(name.isEnabled());
        // What the screen disabled stays disabled.
        QVERIFY(!city.isEnabled());
        QCOMPARE(region.text(), s("North"));

        // A new row shows the table's defaults in its widgets.
        QVERIFY(m_view->addNew());
        QVERIFY(name.text().isEmpty());
        QVERIFY(name.isEnabled());
        QTest::keyClicks(&name, s("Cobalt"));
        QVERIFY(m_view->refresh());
        QCOMPARE(stored(s("SELECT TEXT20 FROM TABLE01 WHERE TEXT01 = 'Cobalt'")).toString(),
            s("Company"));
    }
};

VANTREL_TEST_MAIN(TestFieldBinder)
#include "TestFieldBinder.moc"
