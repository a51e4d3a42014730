#include "ApplicationTest.h"
#include "TestFolder.h"
#include "data/BoundView.h"
#include "data/BoundViewModel.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDate>
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

class TestBoundViewModel : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> m_folder;
    std::shared_ptr<Database> m_db;
    std::unique_ptr<BoundView> m_view;

    void addCompany(const QString& name, const QString& city, const QDate& entered = {})
    {
        QVERIFY(m_db->execute(s("INSERT INTO TABLE01 (TEXT01, TEXT08, DATE03) VALUES (?, ?, ?)"),
            { name, city, entered.isValid() ? QVariant(entered) : QVariant() }));
    }

    QVariant stored(const QString& sql) { return m_db->scalar(sql); }

private slots:
    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_folder->createDatabases();
        m_db = std::make_shared<Database>();
        QVERIFY(openBusinessDatabase(*m_db));
        addCompany(s("Beta"), s("Bonn"), QDate(2024, 2, 29));
        addCompany(s("Alpha"), s("Aachen"));
        addCompany(s("Gamma"), s("Gera"));
        m_view = std::make_unique<BoundView>();
        QVERIFY(m_view->setDatabase(m_db));
        m_view->setRecordSource(s("SELECT * FROM TABLE01 ORDER BY TEXT01"));
    }

    void cleanup()
    {
        m_view.reset();
        m_db.reset();
        m_folder.reset();
    }

    void followsReloadsEditsAndRowChanges()
    {
        BoundViewModel model(m_view.get());
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumns({ { s("TEXT01"), s("Company") }, { s("DATE03"), s("Entered") },
            { s("TEXT08"), s("City") } });
        QCOMPARE(model.rowCount(), 0);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QVERIFY(m_view->refresh());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), s("Company"));
        QCOMPARE(model.index(0, 0).data().toString(), s("Alpha"));
        QCOMPARE(model.index(1, 1).data().toString(),
            QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat));
        QCOMPARE(model.index(1, 1).data(BoundViewModel::ValueRole).toDate(), QDate(2024, 2, 29));
        QVERIFY(model.index(2, 1).data().toString().isEmpty());
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString(QChar(0x25B6)));

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
        QVERIFY(m_view->setValue(s("TEXT08"), s("Aalen")));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(0, 2));
        QCOMPARE(model.index(0, 2).data().toString(), s("Aalen"));
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString(QChar(0x270E)));
        QVERIFY(m_view->moveNext());
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString());
        QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QString(QChar(0x25B6)));
        QVERIFY(headers.count() >= 2);

        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QVERIFY(m_view->addNew());
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(m_view->setValue(s("TEXT01"), s("Delta")));
        QVERIFY(m_view->moveFirst());
        QCOMPARE(model.index(3, 0).data().toString(), s("Delta"));
        QVERIFY(m_view->moveTo(1));
        QVERIFY(m_view->deleteCurrent());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, 0).data().toString(), s("Gamma"));

        // A reload picks up rows stored by anyone, in the source's order.
        QVERIFY(m_db->execute(s("INSERT INTO TABLE01 (TEXT01) VALUES ('Aardvark')")));
        QVERIFY(m_view->refresh());
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.index(0, 0).data().toString(), s("Aardvark"));

        // Without a choice of columns every field shows under its own name.
        BoundViewModel all(m_view.get());
        QCOMPARE(all.columnCount(), m_view->fieldCount());
        QCOMPARE(all.headerData(1, Qt::Horizontal).toString(), s("TEXT01"));
        m_view.reset();
        QCOMPARE(all.rowCount(), 0);
        QCOMPARE(all.columnCount(), 0);
    }

    void editableGridWritesThroughTheView()
    {
        QVERIFY(m_view->refresh());
        BoundViewModel model(m_view.get());
        QAbstractItemModelTester tester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumns({ { s("TEXT01"), s("Company") }, { s("AUTONUMBER"), s("Key") },
            { s("NUMBER01"), s("Visits") } });
        QVERIFY(!model.setData(model.index(1, 0), s("Bravo")));
        QVERIFY(!(model.flags(model.index(1, 0)) & Qt::ItemIsEditable));
        model.setEditable(true);
        model.setAllowAddNew(true);
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(model.isNewRowLine(3));
        QCOMPARE(model.headerData(3, Qt::Vertical).toString(), s("*"));
        QVERIFY(model.flags(model.index(1, 0)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(1, 1)) & Qt::ItemIsEditable));

        QVERIFY(model.setData(model.index(1, 0), s("Bravo")));
        QCOMPARE(m_view->position(), 1);
        QVERIFY(m_view->isEdited());
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 = 'Bravo'")).toInt(), 0);
        QVERIFY(model.setData(model.index(1, 2), s("14")));
        QVERIFY(model.setData(model.index(2, 0), s("Gamma's")));
        QCOMPARE(stored(s("SELECT NUMBER01 FROM TABLE01 WHERE TEXT01 = 'Bravo'")).toInt(), 14);

        QSignalSpy failed(&model, &BoundViewModel::editFailed);
        QVERIFY(!model.setData(model.index(0, 2), s("lots")));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), s("'lots' is not a number."));
        QCOMPARE(m_view->position(), 0);
        QCOMPARE(stored(s("SELECT COUNT(*) FROM TABLE01 WHERE TEXT01 = 'Gamma''s'")).toInt(), 1);

        // Typing into the new-row line starts a row; the line moves below it.
        QVERIFY(!model.setData(model.index(3, 0), s("")));
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(model.setData(model.index(3, 0), s("Omega")));
        QCOMPARE(model.rowCount(), 5);
        QVERIFY(m_view->isNewRow());
        QVERIFY(model.isNewRowLine(4));
        QVERIFY(model.setData(model.index(3, 2), s("2")));
        QVERIFY(model.setData(model.index(0, 0), s("Alpha")));
        QVERIFY(!m_view->isEdited());
        QCOMPARE(stored(s("SELECT NUMBER01 FROM TABLE01 WHERE TEXT01 = 'Omega'")).toInt(), 2);
        QCOMPARE(model.index(3, 1).data().toLongLong(),
            stored(s("SELECT AUTONUMBER FROM TABLE01 WHERE TEXT01 = 'Omega'")).toLongLong());
    }

    void pickingARowMakesItCurrentThroughItsBookmark()
    {
        QVERIFY(m_view->refresh());
        BoundViewModel model(m_view.get());
        QComboBox combo;
        combo.setModel(&model);
        combo.setModelColumn(m_view->fieldIndex(s("TEXT01")));
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(2), s("Gamma"));

        const QVariant mark = combo.itemData(2, BoundViewModel::BookmarkRole);
        QCOMPARE(mark, model.bookmarkAt(2));
        QVERIFY(m_view->moveToBookmark(mark));
        QCOMPARE(m_view->value(s("TEXT08")).toString(), s("Gera"));
        QCOMPARE(model.rowForBookmark(mark), 2);

        // The same bookmark still finds the row after a reload moved it.
        QVERIFY(m_db->execute(s("INSERT INTO TABLE01 (TEXT01) VALUES ('Aardvark')")));
        QVERIFY(m_view->refresh());
        QCOMPARE(combo.count(), 4);
        QCOMPARE(model.rowForBookmark(mark), 3);
        QCOMPARE(combo.itemText(model.rowForBookmark(mark)), s("Gamma"));
    }
};

VANTREL_TEST_MAIN(TestBoundViewModel)
#include "TestBoundViewModel.moc"
