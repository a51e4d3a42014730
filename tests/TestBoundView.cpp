#include "TestFolder.h"
#include "data/BoundView.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDate>
#include <QElapsedTimer>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vantrel::data;
using vantrel::test::TestFolder;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

class TestBoundView : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> m_folder;
    std::shared_ptr<Database> m_db;

    qlonglong addCompany(const QString& name, const QString& city = {})
    {
        if (!m_db->execute(s("INSERT INTO TABLE01 (TEXT01, TEXT08) VALUES (?, ?)"), { name, city }))
            qFatal("insert failed: %s", qUtf8Printable(m_db->lastError()));
        return m_db->lastInsertId();
    }

    qlonglong addContact(qlonglong company, const QString& first, const QString& last)
    {
        if (!m_db->execute(s("INSERT INTO TABLE03 (NUMBER01, TEXT02, TEXT03) VALUES (?, ?, ?)"),
                { company, first, last }))
            qFatal("insert failed: %s", qUtf8Printable(m_db->lastError()));
        return m_db->lastInsertId();
    }

    QVariant stored(const QString& sql, const QVariantList& parameters = {})
    {
        return m_db->scalar(sql, parameters);
    }

    // A view over the companies ordered by name, shared connection.
    std::unique_ptr<BoundView> companies(
        const QString& source = s("SELECT * FROM TABLE01 ORDER BY TEXT01"))
    {
        auto view = std::make_unique<BoundView>();
        view->setDatabase(m_db);
        view->setRecordSource(source);
        if (!view->refresh())
            qFatal("refresh failed: %s", qUtf8Printable(view->lastError()));
        return view;
    }

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
    }

    void cleanup()
    {
        m_db.reset();
        m_folder.reset();
    }

    void pendingEditIsWrittenOnRefreshMoveAndClose()
    {
        const qlonglong alpha = addCompany(s("Alpha"));
        const qlonglong beta = addCompany(s("Beta"));
        auto view = companies();
        QSignalSpy edited(view.get(), &BoundView::editedChanged);

        QVERIFY(view->setValue(s("text08"), s("Berlin")));
        QVERIFY(view->isEdited());
        QCOMPARE(edited.count(), 1);
        QVERIFY(!stored(s("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { alpha })
                     .toString()
                     .size());
        QVERIFY(view->refresh());
        QVERIFY(!view->isEdited());
        QCOMPARE(stored(s("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { alpha }).toString(),
            s("Berlin"));
        QCOMPARE(view->position(), 0);

        QVERIFY(view->setValue(s("TEXT08"), s("Bonn")));
        QVERIFY(view->moveNext());
        QCOMPARE(stored(s("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { alpha }).toString(),
            s("Bonn"));

        QVERIFY(view->setValue(s("TEXT08"), s("Cologne")));
        QVERIFY(view->close());
        QCOMPARE(stored(s("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { beta }).toString(),
            s("Cologne"));
        QCOMPARE(view->rowCount(), 0);
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 2);

        // Destruction is the screen's close as well.
        QVERIFY(view->setValue(s("TEXT08"), s("Dresden")));
        view.reset();
        QCOMPARE(stored(s("SELECT TEXT08 FROM TABLE01 WHERE AUTONUMBER = ?"), { alpha }).toString(),
            s("Dresden"));

        // Edits are kept per row until the row is left; cancel forgets them.
        view = companies();
        QVERIFY(view->setValue(s("TEXT08"), s("Essen")));
        view->cancelEdits();
        QVERIFY(!view->isEdited());
        QCOMPARE(view->value(s("TEXT08")).toString(), s("Dresden"));
        QVERIFY(view->refresh());
        QCOMPARE(view->value(s("TEXT08")).toString(), s("Dresden"));
    }

    void addNewIsInsertedWhenLeftWithDefaultsAndKey()
    {
        addCompany(s("Alpha"));
        addCompany(s("Beta"));
        auto view = companies(s("TABLE01"));
        QSignalSpy inserted(view.get(), &BoundView::rowInserted);

        QVERIFY(view->addNew());
        QCOMPARE(inserted.count(), 1);
        QVERIFY(view->isNewRow());
        QCOMPARE(view->rowCount(), 3);
        QCOMPARE(view->position(), 2);
        // The new row shows the table's defaults before it is stored.
        QCOMPARE(view->value(s("TEXT20")).toString(), s("Company"));
        QVERIFY(!view->bookmark().isValid());
        QVERIFY(view->setValue(s("TEXT01"), s("Gamma")));
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 2);

        QVERIFY(view->moveFirst());
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 3);
        QCOMPARE(stored(s("SELECT TEXT20 FROM TABLE01 WHERE TEXT01 = 'Gamma'")).toString(),
            s("Company"));
        const qlonglong key
            = stored(s("SELECT AUTONUMBER FROM TABLE01 WHERE TEXT01 = 'Gamma'")).toLongLong();
        QCOMPARE(view->valueAt(2, view->fieldIndex(s("AUTONUMBER"))).toLongLong(), key);
        QCOMPARE(view->bookmarkAt(2).toLongLong(), key);
        QVERIFY(!view->isNewRow());

        // Pending until refresh too, and then the key is known to the screen.
        QVERIFY(view->addNew());
        QVERIFY(view->setValue(s("TEXT01"), s("Delta")));
        QVERIFY(view->setValue(s("DATE03"), QDate(2024, 3, 1)));
        QVERIFY(view->update());
        QVERIFY(view->value(s("AUTONUMBER")).toLongLong() > key);
        QCOMPARE(view->value(s("DATE03")).toDate(), QDate(2024, 3, 1));
        QCOMPARE(stored(s("SELECT DATE03 FROM TABLE01 WHERE TEXT01 = 'Delta'")).toDate(),
            QDate(2024, 3, 1));
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 4);

        // A new row that nobody filled is dropped when left.
        QSignalSpy removed(view.get(), &BoundView::rowRemoved);
        QVERIFY(view->addNew());
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 4);
        QVERIFY(view->moveLast());
        QVERIFY(view->addNew());
        QVERIFY(view->movePrevious());
        QCOMPARE(removed.count(), 2);
        QCOMPARE(view->position(), 3);
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 4);

        // Cancelling a filled new row returns to the row before it.
        QVERIFY(view->addNew());
        QVERIFY(view->setValue(s("TEXT01"), s("Epsilon")));
        view->cancelEdits();
        QCOMPARE(view->position(), 3);
        QCOMPARE(view->rowCount(), 4);
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 4);
    }

    void deleteMovesToNeighbour()
    {
        for (const char* name : { "A", "B", "C", "D" })
            addCompany(s(name));
        auto view = companies();
        QVERIFY(view->moveTo(1));
        QVERIFY(view->setValue(s("TEXT08"), s("never stored")));
        QVERIFY(view->deleteCurrent());
        QVERIFY(!view->isEdited());
        QCOMPARE(view->rowCount(), 3);
        QCOMPARE(view->position(), 1);
        QCOMPARE(view->value(s("TEXT01")).toString(), s("C"));
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 = 'B'")).toInt(), 0);

        QVERIFY(view->moveLast());
        QVERIFY(view->deleteCurrent());
        QCOMPARE(view->position(), 1);
        QCOMPARE(view->value(s("TEXT01")).toString(), s("C"));

        QVERIFY(view->deleteCurrent());
        QVERIFY(view->deleteCurrent());
        QCOMPARE(view->rowCount(), 0);
        QVERIFY(view->isEof());
        QVERIFY(view->isBof());
        QCOMPARE(view->position(), -1);
        QVERIFY(!view->deleteCurrent());
        QCOMPARE(view->lastError(), s("No current record."));
        QVERIFY(!view->setValue(s("TEXT01"), s("x")));
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 0);
    }

    void movesPositionsAndBookmarks()
    {
        const qlonglong a = addCompany(s("Ant"));
        const qlonglong b = addCompany(s("bee"));
        addCompany(s("Cat"));
        auto view = companies();
        QCOMPARE(view->rowCount(), 3);
        QCOMPARE(view->position(), 0);
        QVERIFY(view->isBof() == false && view->isEof() == false);
        QSignalSpy moved(view.get(), &BoundView::currentRowChanged);

        QVERIFY(view->moveLast());
        QCOMPARE(view->position(), 2);
        QVERIFY(view->moveNext());
        QVERIFY(view->isEof());
        QVERIFY(!view->hasCurrentRow());
        QCOMPARE(view->position(), -1);
        QVERIFY(!view->value(s("TEXT01")).isValid());
        QVERIFY(!view->moveNext());
        QVERIFY(view->moveLast());
        QCOMPARE(view->value(s("TEXT01")).toString(), s("Cat"));
        QVERIFY(view->moveFirst());
        QVERIFY(view->movePrevious());
        QVERIFY(view->isBof());
        QVERIFY(!view->isEof());
        QVERIFY(view->moveNext());
        QCOMPARE(view->position(), 0);
        QCOMPARE(moved.count(), 6);
        // Moving onto the row that is current is no move.
        QVERIFY(view->moveFirst());
        QCOMPARE(moved.count(), 6);

        QVERIFY(view->moveTo(1));
        const QVariant mark = view->bookmark();
        QCOMPARE(mark.toLongLong(), b);
        QVERIFY(view->moveFirst());
        QCOMPARE(view->rowForBookmark(mark), 1);
        QVERIFY(view->moveToBookmark(mark));
        QCOMPARE(view->value(s("TEXT01")).toString(), s("bee"));
        // The key stays valid across a reload that changes the order.
        addCompany(s("Aardvark"));
        QVERIFY(view->refresh());
        QCOMPARE(view->rowForBookmark(mark), 2);
        QCOMPARE(view->rowForBookmark(a), 1);
        QVERIFY(!view->moveToBookmark(9999));
        QCOMPARE(view->position(), 0);
        QVERIFY(!view->moveTo(7));

        // Without a key column the bookmark still finds the row in this result.
        auto names = companies(s("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01 DESC"));
        QVERIFY(names->moveTo(2));
        const QVariant nameMark = names->bookmark();
        QVERIFY(nameMark.isValid());
        QVERIFY(names->moveFirst());
        QVERIFY(names->moveToBookmark(nameMark));
        QCOMPARE(names->value(s("TEXT01")).toString(), s("Ant"));
        QVERIFY(!names->setValue(s("TEXT01"), s("Bee")));
        QVERIFY(names->lastError().contains(s("does not include the key")));
        QVERIFY(!names->addNew());

        auto empty = companies(s("SELECT * FROM TABLE01 WHERE TEXT01 = 'none'"));
        QVERIFY(empty->isEof() && empty->isBof());
        QVERIFY(empty->moveFirst() && empty->moveLast());
        QCOMPARE(empty->position(), -1);
    }

    void settingTheHeldValueIsNoEdit()
    {
        const qlonglong key = addCompany(s("Alpha"));
        QVERIFY(m_db->execute(s("UPDATE TABLE01 SET NUMBER01 = 30, DATE01 = '2024-05-06' "
                                "WHERE AUTONUMBER = ?"),
            { key }));
        auto view = companies();
        QSignalSpy fields(view.get(), &BoundView::fieldChanged);

        QVERIFY(view->setValue(s("TEXT08"), s("")));
        QVERIFY(view->setValue(s("TEXT08"), QVariant()));
        QVERIFY(view->setValue(s("NUMBER01"), s("30")));
        QVERIFY(view->setValue(s("NUMBER01"), 30.0));
        QVERIFY(view->setValue(s("DATE01"), QDate(2024, 5, 6)));
        QVERIFY(view->setValue(s("DATE01"), s("2024-05-06")));
        QVERIFY(view->setValue(s("text01"), s("Alpha")));
        QVERIFY(!view->isEdited());
        QCOMPARE(fields.count(), 0);

        // Case is a change; typing the stored text back is none.
        QVERIFY(view->setValue(s("TEXT01"), s("ALPHA")));
        QVERIFY(view->isEdited());
        QCOMPARE(fields.count(), 1);
        QCOMPARE(fields.at(0).at(0).toString(), s("TEXT01"));
        QVERIFY(view->setValue(s("TEXT01"), s("Alpha")));
        QVERIFY(!view->isEdited());

        // Empty text is stored as NULL.
        QVERIFY(view->setValue(s("TEXT01"), s("")));
        QVERIFY(view->refresh());
        QVERIFY(stored(s("SELECT TEXT01 FROM TABLE01")).isNull());
        QVERIFY(stored(s("SELECT TEXT01 IS NULL FROM TABLE01")).toBool());
    }

    void badInputIsRefusedWithAMessage()
    {
        addCompany(s("Alpha"));
        auto view = companies();
        QVERIFY(!view->setValue(s("NUMBER01"), s("many")));
        QCOMPARE(view->lastError(), s("'many' is not a number."));
        QVERIFY(!view->setValue(s("DATE01"), s("someday")));
        QCOMPARE(view->lastError(), s("'someday' is not a valid date."));
        QVERIFY(!view->setValue(s("NOSUCH"), 1));
        QCOMPARE(view->lastError(), s("The field 'NOSUCH' is not in the record source."));
        QVERIFY(!view->setValue(s("AUTONUMBER"), 77));
        QVERIFY(view->lastError().contains(s("numbered by the database")));
        QVERIFY(!view->isEdited());

        QVERIFY(view->setValue(s("NUMBER01"), s(" 12 ")));
        QVERIFY(view->setValue(
            s("DATE01"), QLocale().toString(QDate(2023, 11, 30), QLocale::ShortFormat)));
        QVERIFY(view->refresh());
        QCOMPARE(view->value(s("NUMBER01")).toLongLong(), 12);
        QCOMPARE(view->value(s("DATE01")).toDate(), QDate(2023, 11, 30));

        auto broken = std::make_unique<BoundView>();
        broken->setRecordSource(s("TABLE01"));
        QVERIFY(!broken->refresh());
        QCOMPARE(broken->lastError(), s("The view has no open database."));
        QVERIFY(!broken->openDatabase(s("MISSING.mdb")));
        QVERIFY(broken->lastError().contains(s("MISSING.mdb")));
        QVERIFY(broken->openDatabase(s("CONTACT.mdb")));
        broken->setRecordSource(s("SELECT * FROM TABLE99"));
        QVERIFY(!broken->refresh());
        QCOMPARE(broken->lastError(), s("no such table: TABLE99"));
        broken->setRecordSource(s("SELECT * FROM TABLE01 WHERE TEXT01 = ?"), { s("Alpha") });
        QVERIFY(broken->refresh());
        QCOMPARE(broken->rowCount(), 1);
    }

    void joinWritesOnlyToItsTarget()
    {
        const qlonglong company = addCompany(s("Acme"), s("Berlin"));
        const qlonglong contact = addContact(company, s("Ann"), s("Smith"));
        auto view = std::make_unique<BoundView>();
        view->setDatabase(m_db);
        view->setRecordSource(s("SELECT * FROM TABLE01 INNER JOIN TABLE03 "
                                "ON TABLE01.AUTONUMBER = TABLE03.NUMBER01 "
                                "WHERE TABLE01.AUTONUMBER = ? ORDER BY TABLE03.TEXT02"),
            { company });
        QVERIFY(view->setWriteTarget(s("TABLE03")));
        QVERIFY2(view->refresh(), qPrintable(view->lastError()));
        QCOMPARE(view->targetTable(), s("TABLE03"));

        // Unqualified duplicates mean the target's column; qualified names reach both.
        QCOMPARE(view->value(s("AUTONUMBER")).toLongLong(), contact);
        QCOMPARE(view->value(s("TABLE01.AUTONUMBER")).toLongLong(), company);
        QCOMPARE(view->value(s("TEXT02")).toString(), s("Ann"));
        QCOMPARE(view->value(s("table01.text02")).toString(), QString());
        QCOMPARE(view->value(s("TEXT08")).toString(), QString());
        QCOMPARE(view->value(s("TABLE01.TEXT08")).toString(), s("Berlin"));
        QVERIFY(view->isFieldWritable(s("TEXT03")));
        QVERIFY(!view->isFieldWritable(s("TABLE01.TEXT01")));

        QVERIFY(view->setValue(s("TEXT03"), s("O'Neil")));
        QVERIFY(view->setValue(s("TABLE03.TEXT08"), s("555")));
        QVERIFY(!view->setValue(s("TABLE01.TEXT01"), s("Other")));
        QCOMPARE(view->lastError(),
            s("The field TEXT01 belongs to TABLE01; this view saves changes to TABLE03 only."));
        // The same value is no change and so no refusal.
        QVERIFY(view->setValue(s("TABLE01.TEXT08"), s("Berlin")));
        QVERIFY(view->refresh());

        QCOMPARE(
            stored(s("SELECT TEXT03 FROM TABLE03 WHERE AUTONUMBER = ?"), { contact }).toString(),
            s("O'Neil"));
        QCOMPARE(
            stored(s("SELECT TEXT08 FROM TABLE03 WHERE AUTONUMBER = ?"), { contact }).toString(),
            s("555"));
        QCOMPARE(
            stored(s("SELECT TEXT01 || '|' || TEXT08 || '|' || TEXT20 FROM TABLE01")).toString(),
            s("Acme|Berlin|Company"));
        QVERIFY(stored(s("SELECT TEXT08 IS NULL FROM TABLE01")).toBool() == false);
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE03")).toInt(), 1);

        // A new row of the join goes into the target table alone.
        QVERIFY(view->addNew());
        QVERIFY(view->setValue(s("NUMBER01"), company));
        QVERIFY(view->setValue(s("TEXT02"), s("Bob")));
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 2);
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 1);
        QVERIFY(view->moveLast());
        QCOMPARE(view->value(s("TEXT02")).toString(), s("Bob"));
        QVERIFY(view->deleteCurrent());
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE03")).toInt(), 1);
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 1);

        // Without a choice the first column's table is the target.
        auto byDefault = companies(s("SELECT * FROM TABLE01 INNER JOIN TABLE03 "
                                     "ON TABLE01.AUTONUMBER = TABLE03.NUMBER01"));
        QCOMPARE(byDefault->targetTable(), s("TABLE01"));
        QCOMPARE(byDefault->value(s("AUTONUMBER")).toLongLong(), company);
    }

    void computedColumnIsReadableButNeverWritten()
    {
        const qlonglong company = addCompany(s("Acme"));
        const qlonglong contact = addContact(company, s("Ann"), s("Smith"));
        auto view = companies(s("SELECT *, TEXT02 || ' ' || TEXT03 AS FullName FROM TABLE03 "
                                "ORDER BY TEXT02"));
        QCOMPARE(view->value(s("fullname")).toString(), s("Ann Smith"));
        QVERIFY(view->isFieldComputed(view->fieldIndex(s("FullName"))));
        QVERIFY(!view->isFieldWritable(s("FullName")));
        QSignalSpy fields(view.get(), &BoundView::fieldChanged);
        QVERIFY(view->setValue(s("FullName"), s("Ann Jones")));
        QCOMPARE(fields.count(), 1);
        QCOMPARE(view->value(s("FullName")).toString(), s("Ann Jones"));
        QVERIFY(!view->isEdited());
        QVERIFY(view->setValue(s("TEXT03"), s("Jones")));
        QVERIFY(view->refresh());
        QCOMPARE(view->value(s("FullName")).toString(), s("Ann Jones"));
        QCOMPARE(
            stored(s("SELECT TEXT03 FROM TABLE03 WHERE AUTONUMBER = ?"), { contact }).toString(),
            s("Jones"));
    }

    void valuesWithApostrophesAndWildcardsAreKept()
    {
        addCompany(s("O'Brien & Sons"));
        auto view = std::make_unique<BoundView>();
        view->setDatabase(m_db);
        view->setRecordSource(s("SELECT * FROM TABLE01 WHERE TEXT01 = ?"), { s("o'brien & sons") });
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 1);
        QVERIFY(view->setValue(s("TEXT01"), s("50% O'Brien \"Ltd\"")));
        QVERIFY(view->setValue(s("MEMO01"), s("it's; DROP TABLE TABLE01; --")));
        QVERIFY(view->moveNext());
        QCOMPARE(stored(s("SELECT TEXT01 FROM TABLE01")).toString(), s("50% O'Brien \"Ltd\""));
        QCOMPARE(
            stored(s("SELECT MEMO01 FROM TABLE01")).toString(), s("it's; DROP TABLE TABLE01; --"));
    }

    void failedWriteKeepsTheEdits()
    {
        addCompany(s("Alpha"));
        addCompany(s("Beta"));
        auto view = companies();
        QVERIFY(view->setValue(s("TEXT08"), s("Berlin")));
        Database other;
        QVERIFY(other.open(s("CONTACT.mdb")));
        QVERIFY(other.execute(s("ALTER TABLE TABLE01 RENAME TO GONE")));

        QVERIFY(!view->moveNext());
        QCOMPARE(view->lastError(), s("no such table: TABLE01"));
        QCOMPARE(view->position(), 0);
        QVERIFY(view->isEdited());
        QVERIFY(!view->refresh());
        QVERIFY(!view->close());
        QCOMPARE(view->value(s("TEXT08")).toString(), s("Berlin"));

        QVERIFY(other.execute(s("ALTER TABLE GONE RENAME TO TABLE01")));
        QVERIFY(view->refresh());
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01 WHERE TEXT08 = 'Berlin'")).toInt(), 1);

        // A row deleted elsewhere cannot take the edits; they stay until cancelled.
        QVERIFY(view->setValue(s("TEXT08"), s("Bonn")));
        QVERIFY(other.execute(s("DELETE FROM TABLE01 WHERE TEXT01 = 'Alpha'")));
        QVERIFY(!view->update());
        QVERIFY(view->lastError().contains(s("deleted")));
        QVERIFY(view->isEdited());
        view->cancelEdits();
        QVERIFY(view->refresh());
        QCOMPARE(view->rowCount(), 1);
    }

    void refusedWriteReportsTheEngineError()
    {
        addCompany(s("Alpha"));
        auto view = companies(s("TABLE01"));
        QVERIFY(m_db->execute(s("PRAGMA query_only = ON")));
        QVERIFY(view->setValue(s("TEXT01"), s("Omega")));
        QVERIFY(!view->update());
        QCOMPARE(view->lastError(), s("attempt to write a readonly database"));
        QVERIFY(view->isEdited());
        QCOMPARE(view->value(s("TEXT01")).toString(), s("Omega"));

        // A new row that cannot be stored stays current with what was typed.
        view->cancelEdits();
        QVERIFY(view->addNew());
        QVERIFY(view->setValue(s("TEXT01"), s("Pending")));
        QVERIFY(!view->moveFirst());
        QVERIFY(view->isNewRow());
        QCOMPARE(view->position(), 1);
        QCOMPARE(view->value(s("TEXT01")).toString(), s("Pending"));
        QVERIFY(m_db->execute(s("PRAGMA query_only = OFF")));
        QVERIFY(view->moveFirst());
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01")).toInt(), 2);

        // The engine's own words reach the screen, whatever refused the write.
        QVERIFY(m_db->execute(s("CREATE TRIGGER locked BEFORE DELETE ON TABLE01 "
                                "BEGIN SELECT RAISE(ABORT, 'Companies are locked'); END")));
        QVERIFY(!view->deleteCurrent());
        QCOMPARE(view->lastError(), s("Companies are locked"));
        QCOMPARE(view->rowCount(), 2);
    }

    void longValuesAreReadFromTheTableWhenShown()
    {
        const QString notes = s("Müller visited; ") + QString(2000, QLatin1Char('n'));
        const qlonglong alpha = addCompany(s("Alpha"));
        const qlonglong beta = addCompany(s("Beta"));
        const qlonglong gamma = addCompany(s("Gamma"));
        QVERIFY(m_db->execute(s("UPDATE TABLE01 SET MEMO01 = ?"), { notes }));
        auto view = companies();
        QCOMPARE(view->value(s("MEMO01")).toString(), notes);

        // The table's value is what shows, as for the rows of a keyset.
        Database other;
        QVERIFY(other.open(s("CONTACT.mdb")));
        const QString revised = notes + s(" Revised.");
        QVERIFY(other.execute(
            s("UPDATE TABLE01 SET MEMO01 = ? WHERE AUTONUMBER = ?"), { revised, alpha }));
        QCOMPARE(view->value(s("MEMO01")).toString(), revised);

        // Editing a short field leaves the long one as stored; cancelling an edit
        // of the long one brings back what was read.
        QVERIFY(view->setValue(s("TEXT08"), s("Berlin")));
        QVERIFY(view->update());
        QCOMPARE(stored(s("SELECT MEMO01 FROM TABLE01 WHERE AUTONUMBER = ?"), { alpha }).toString(),
            revised);
        QVERIFY(view->moveNext());
        QVERIFY(view->setValue(s("MEMO01"), s("short")));
        view->cancelEdits();
        QCOMPARE(view->value(s("MEMO01")).toString(), notes);
        QVERIFY(view->setValue(s("MEMO01"), notes + s(" Called back.")));
        QVERIFY(view->moveFirst());
        QCOMPARE(stored(s("SELECT MEMO01 FROM TABLE01 WHERE AUTONUMBER = ?"), { beta }).toString(),
            notes + s(" Called back."));

        // A record deleted meanwhile shows no notes rather than stale ones.
        QVERIFY(other.execute(s("DELETE FROM TABLE01 WHERE AUTONUMBER = ?"), { gamma }));
        QCOMPARE(view->valueAt(2, view->fieldIndex(s("TEXT01"))).toString(), s("Gamma"));
        QVERIFY(view->valueAt(2, view->fieldIndex(s("MEMO01"))).isNull());

        // A field that cannot be read back refuses the edit and changes nothing.
        auto unreadable = companies();
        QVERIFY(other.execute(s("ALTER TABLE TABLE01 RENAME TO GONE")));
        QVERIFY(!unreadable->setValue(s("TEXT08"), s("Bonn")));
        QCOMPARE(unreadable->lastError(), s("no such table: TABLE01"));
        QVERIFY(!unreadable->isEdited());
        QVERIFY(other.execute(s("ALTER TABLE GONE RENAME TO TABLE01")));
        QCOMPARE(unreadable->value(s("TEXT08")).toString(), s("Berlin"));
        QCOMPARE(unreadable->value(s("MEMO01")).toString(), revised);
    }

    void longValuesOfOtherTablesAreHeld()
    {
        const QString notes = QString(3000, QLatin1Char('c'));
        const qlonglong company = addCompany(s("Acme"));
        addContact(company, s("Ann"), s("Smith"));
        QVERIFY(m_db->execute(s("UPDATE TABLE01 SET MEMO01 = ?"), { notes }));
        auto view = std::make_unique<BoundView>();
        view->setDatabase(m_db);
        view->setRecordSource(s("SELECT TABLE03.*, TABLE01.MEMO01 AS CompanyNotes FROM TABLE03 "
                                "INNER JOIN TABLE01 ON TABLE01.AUTONUMBER = TABLE03.NUMBER01"));
        QVERIFY2(view->refresh(), qPrintable(view->lastError()));
        QVERIFY(m_db->execute(s("UPDATE TABLE01 SET MEMO01 = 'gone'")));
        // Only the target table is read by key; other tables' values are kept as read.
        QCOMPARE(view->value(s("CompanyNotes")).toString(), notes);
        QVERIFY(view->setValue(s("TEXT02"), s("Anne")));
        QVERIFY(view->update());
        QCOMPARE(view->value(s("CompanyNotes")).toString(), notes);
    }

    void largeResultLoadsQuickly()
    {
        {
            Transaction transaction(*m_db);
            for (int i = 0; i < 100000; ++i) {
                const QString n = QString::number(i);
                QVERIFY(m_db->execute(
                    s("INSERT INTO TABLE01 (TEXT01, TEXT02, TEXT03, TEXT04, TEXT05, TEXT08, "
                      "TEXT10, TEXT17, TEXT18, DATE03) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    { s("Company %1").arg((i * 7919) % 100000), n, s("Street ") + n, s("City"), n,
                        s("Town"), s("+49 30 ") + n, s("Customer"), s("Smith"),
                        QDate(2020, 1, 1).addDays(i % 1000) }));
            }
            QVERIFY(transaction.commit());
        }
        QElapsedTimer timer;
        timer.start();
        BoundView view;
        view.setDatabase(m_db);
        view.setRecordSource(s("SELECT * FROM TABLE01 WHERE TEXT20 = 'Company' ORDER BY TEXT01"));
        QVERIFY(view.refresh());
        QVERIFY(view.moveLast());
        qInfo("100,000 companies loaded and moved to the last in %lld ms", timer.elapsed());
        QCOMPARE(view.rowCount(), 100000);
        QCOMPARE(view.value(s("TEXT01")).toString(), s("Company 99999"));
    }
};

QTEST_GUILESS_MAIN(TestBoundView)
#include "TestBoundView.moc"
