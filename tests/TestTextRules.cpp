#include "data/Database.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/TextRules.h"

#include "TestFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace vantrel::data;

// How names and searches behave in the engine, as users see them in lists and finds.
class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void likePatterns_data();
    void likePatterns();
    void equalityIgnoresCaseBeyondAscii();
    void listsOrderAsAPersonExpects();
    void userSearchTextIsLiteral_data();
    void userSearchTextIsLiteral();
    void patternsThatChangeFromRowToRow();
    void numbersAndDatesCompareAsSuch();
    void engineErrorsCarryTheirDescription();
    void sqliteShellLoadsTheTextRules();

private:
    std::unique_ptr<vantrel::test::TestFolder> m_folder;
    Database m_db;
    QStringList names(const QString& sql, const QVariantList& parameters = {});
};

void TestTextRules::init()
{
    m_folder = std::make_unique<vantrel::test::TestFolder>();
    m_folder->createDatabases();
    QVERIFY(openBusinessDatabase(m_db));
    for (const char* name : { "zeta", "Émile Dupont", "eve", "Apple", "apple pie", "ÄRZTE GmbH",
             "O'Brien & Sons", "50% Discount", "under_score", "Bäcker", "Baker", "*Star*" })
        QVERIFY(
            m_db.execute("INSERT INTO TABLE01 (TEXT01) VALUES (?)", { QString::fromUtf8(name) }));
}

void TestTextRules::cleanup()
{
    m_db.close();
    m_folder.reset();
}

QStringList TestTextRules::names(const QString& sql, const QVariantList& parameters)
{
    QueryResult result;
    if (!m_db.query(sql, parameters, &result))
        qWarning() << m_db.lastError();
    QStringList list;
    for (const QVariantList& row : std::as_const(result.rows))
        list.append(row.at(0).toString());
    return list;
}

void TestTextRules::likePatterns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("star prefix") << "Apple"
                                 << "A*" << true;
    QTest::newRow("case ignored") << "apple"
                                  << "A*" << true;
    QTest::newRow("case beyond ascii") << "ärzte"
                                       << "ÄR*" << true;
    QTest::newRow("contains") << "The big apple"
                              << "*APPLE*" << true;
    QTest::newRow("question one char") << "Baker"
                                       << "B?ker" << true;
    QTest::newRow("question not empty") << "Bker"
                                        << "B?ker" << false;
    QTest::newRow("hash digit") << "R2D2"
                                << "R#D#" << true;
    QTest::newRow("hash not letter") << "RXD2"
                                     << "R#D#" << false;
    QTest::newRow("set") << "Bat"
                         << "B[aeiou]t" << true;
    QTest::newRow("set miss") << "Bxt"
                              << "B[aeiou]t" << false;
    QTest::newRow("range") << "c7"
                           << "[a-f]#" << true;
    QTest::newRow("negated set") << "Bxt"
                                 << "B[!aeiou]t" << true;
    QTest::newRow("negated set miss") << "Bat"
                                      << "B[!aeiou]t" << false;
    QTest::newRow("bracketed star literal") << "5*3"
                                            << "5[*]3" << true;
    QTest::newRow("bracketed star not wildcard") << "513"
                                                 << "5[*]3" << false;
    QTest::newRow("percent is plain") << "50% off"
                                      << "50%*" << true;
    QTest::newRow("percent not wildcard") << "50 off"
                                          << "50%*" << false;
    QTest::newRow("underscore is plain") << "ab"
                                         << "a_" << false;
    QTest::newRow("apostrophe") << "O'Brien"
                                << "O'*" << true;
    QTest::newRow("whole string") << "Apple pie"
                                  << "Apple" << false;
    QTest::newRow("star backtracks") << "abcabcabd"
                                     << "*abd" << true;
    QTest::newRow("unclosed bracket is literal") << "a[b"
                                                 << "a[b" << true;
    QTest::newRow("empty pattern") << ""
                                   << "" << true;
}

void TestTextRules::likePatterns()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesLike(text, pattern), matches);
    // The engine's Like is the same function.
    QCOMPARE(m_db.scalar("SELECT ? LIKE ?", { text, pattern }).toBool(), matches);
}

void TestTextRules::equalityIgnoresCaseBeyondAscii()
{
    QCOMPARE(
        names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 = ?", { "APPLE" }), QStringList { "Apple" });
    QCOMPARE(
        names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 = ?", { QString::fromUtf8("ärzte gmbh") }),
        QStringList { QString::fromUtf8("ÄRZTE GmbH") });
    // Accents still make a different name.
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 = ?", { "Backer" }), QStringList {});
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 = ?", { "o'brien & sons" }),
        QStringList { "O'Brien & Sons" });
}

void TestTextRules::listsOrderAsAPersonExpects()
{
    const QStringList ordered = names("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01");
    const QStringList expected { "*Star*", "50% Discount", "Apple", "apple pie",
        QString::fromUtf8("ÄRZTE GmbH"), QString::fromUtf8("Bäcker"), "Baker",
        QString::fromUtf8("Émile Dupont"), "eve", "O'Brien & Sons", "under_score", "zeta" };
    QCOMPARE(ordered, expected);
    QVERIFY(compareText(u"apple", u"APPLE") == 0);
    QVERIFY(compareText(u"Émile", u"Emilf") < 0);
    QVERIFY(compareText(u"Émile", u"Emile") != 0);
}

void TestTextRules::userSearchTextIsLiteral_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("plain, any case") << "APPLE" << QStringList { "Apple", "apple pie" };
    QTest::newRow("apostrophe") << "o'b" << QStringList { "O'Brien & Sons" };
    QTest::newRow("percent") << "50%" << QStringList { "50% Discount" };
    QTest::newRow("underscore") << "_" << QStringList { "under_score" };
    QTest::newRow("star") << "*" << QStringList { "*Star*" };
    QTest::newRow("question mark") << "?" << QStringList {};
    QTest::newRow("umlaut") << QString::fromUtf8("BÄCK")
                            << QStringList { QString::fromUtf8("Bäcker") };
}

void TestTextRules::userSearchTextIsLiteral()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 LIKE ? ORDER BY TEXT01",
                 { QLatin1Char('*') + likeLiteralPattern(typed) + QLatin1Char('*') }),
        found);
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE memoContains(TEXT01, ?) ORDER BY TEXT01",
                 { typed }),
        found);
    QCOMPARE(
        names("SELECT TEXT01 FROM TABLE01 WHERE contains(TEXT01, ?) ORDER BY TEXT01", { typed }),
        found);
}

void TestTextRules::patternsThatChangeFromRowToRow()
{
    // A pattern kept for one statement must not answer for another row's pattern.
    QVERIFY(m_db.execute("UPDATE TABLE01 SET TEXT02 = substr(TEXT01, 1, 2) || '*'"));
    QVERIFY(m_db.execute("UPDATE TABLE01 SET TEXT02 = 'x*' WHERE TEXT01 = 'eve'"));
    QStringList all = names("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01");
    all.removeAll(QStringLiteral("eve"));
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 LIKE TEXT02 ORDER BY TEXT01"), all);
    // The same statement run again with another pattern.
    Statement statement(m_db, "SELECT count(*) FROM TABLE01 WHERE TEXT01 LIKE ?");
    for (const auto& [pattern, count] : { std::pair { "a*", 2 }, std::pair { "*e*", 10 },
             std::pair { "[!a-z]*", 4 }, std::pair { "a*", 2 } }) {
        QVERIFY(statement.bind({ QString::fromLatin1(pattern) }));
        QVERIFY(statement.step());
        QCOMPARE(statement.value(0).toInt(), count);
        statement.reset();
    }
    // Text that is not valid UTF-8 is matched, not misread past its end.
    QVERIFY(m_db.execute("INSERT INTO TABLE01 (TEXT01) VALUES (CAST(X'41C3' AS TEXT))"));
    QCOMPARE(m_db.scalar("SELECT count(*) FROM TABLE01 WHERE TEXT01 LIKE 'A?'").toInt(), 1);
    QCOMPARE(m_db.scalar("SELECT count(*) FROM TABLE01 WHERE TEXT01 LIKE 'A*'").toInt(), 3);
}

void TestTextRules::numbersAndDatesCompareAsSuch()
{
    QVERIFY(m_db.execute("UPDATE TABLE01 SET NUMBER01 = ? WHERE TEXT01 = 'zeta'", { "9" }));
    QVERIFY(m_db.execute("UPDATE TABLE01 SET NUMBER01 = 10 WHERE TEXT01 = 'eve'"));
    // A quoted number compares with a number column as a number.
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE NUMBER01 > '0' ORDER BY NUMBER01"),
        (QStringList { "zeta", "eve" }));
    QVERIFY(
        m_db.execute("UPDATE TABLE01 SET DATE01 = ? WHERE TEXT01 = 'zeta'", { QDate(2026, 1, 9) }));
    QVERIFY(m_db.execute("UPDATE TABLE01 SET DATE01 = ? WHERE TEXT01 = 'eve'",
        { QDateTime(QDate(2025, 12, 31), QTime(17, 30)) }));
    QCOMPARE(names("SELECT TEXT01 FROM TABLE01 WHERE DATE01 >= ? ORDER BY DATE01",
                 { QDate(2025, 12, 1) }),
        (QStringList { "eve", "zeta" }));
    QCOMPARE(m_db.scalar("SELECT DATE01 FROM TABLE01 WHERE TEXT01 = 'eve'"),
        QVariant(QDateTime(QDate(2025, 12, 31), QTime(17, 30))));
}

void TestTextRules::engineErrorsCarryTheirDescription()
{
    QVERIFY(!m_db.execute("SELECT * FROM NOSUCHTABLE"));
    QVERIFY(m_db.lastError().contains("no such table: NOSUCHTABLE"));
    QVERIFY(!m_db.execute("SELECT \"NOSUCHCOLUMN\" FROM TABLE01"));
    QVERIFY(m_db.lastError().contains("no such column"));
    QVERIFY(!m_db.execute("SELECT * FROM TABLE01 WHERE TEXT01 = ?", {}));
    QVERIFY(m_db.lastError().contains("expects 1 values"));
    {
        Transaction transaction(m_db);
        QVERIFY(m_db.execute("DELETE FROM TABLE01"));
    }
    // Leaving the scope without commit rolls back.
    QCOMPARE(m_db.scalar("SELECT COUNT(*) FROM TABLE01").toInt(), 12);
}

#ifndef VANTREL_SANITIZED_TEST
namespace {

// The sqlite3 shell's output for the commands given on its input; a shell that
// cannot run fails the test.
QString shellOutput(const QString& database, const QString& commands)
{
    QProcess shell;
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(QStringLiteral("sqlite3"), { database });
    if (!shell.waitForStarted())
        return QStringLiteral("<the sqlite3 shell could not be started>");
    shell.write(commands.toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAll()).trimmed();
}

} // namespace
#endif

// A support person opens a copy of the database with the shell and the
// extension shipped in the program folder, and sees what the program sees.
void TestTextRules::sqliteShellLoadsTheTextRules()
{
#ifdef VANTREL_SANITIZED_TEST
    // The shell cannot load an extension built with the sanitizers into its process.
    QSKIP("The text rules extension is checked in the plain build.");
#else
    const QStringList expected = names("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01");
    const QStringList found
        = names("SELECT TEXT01 FROM TABLE01 WHERE TEXT01 LIKE 'b?[ck]*' ORDER BY 1");
    QCOMPARE(found.size(), 2);
    m_db.close();
    const QString database = m_folder->filePath(QStringLiteral("CONTACT.mdb"));
    const QString query = QStringLiteral("SELECT TEXT01 FROM TABLE01 ORDER BY TEXT01;\n");

    QVERIFY(shellOutput(database, query).contains(QStringLiteral("no such collation sequence")));

    QFileInfo extension(QStringLiteral(VANTREL_SQLITE_TEXT_EXTENSION));
    QVERIFY(extension.exists());
    QCOMPARE(extension.absolutePath(),
        QFileInfo(QStringLiteral(VANTREL_PROGRAM_DIR)).absoluteFilePath());
    // As the support person types it: the file's name without its ending.
    const QString load = QStringLiteral(".load %1/%2\n")
                             .arg(extension.absolutePath(), extension.completeBaseName());
    QCOMPARE(shellOutput(database, load + query).split(QLatin1Char('\n')), expected);
    QCOMPARE(shellOutput(database,
                 load
                     + QStringLiteral(
                         "SELECT TEXT01 FROM TABLE01 WHERE TEXT01 LIKE 'b?[ck]*' ORDER BY 1;\n"))
                 .split(QLatin1Char('\n')),
        found);
    QCOMPARE(shellOutput(database,
                 load + QStringLiteral("SELECT count(*) FROM TABLE01 WHERE TEXT01 = 'ZETA';\n")),
        QStringLiteral("1"));
#endif
}

QTEST_GUILESS_MAIN(TestTextRules)
#include "TestTextRules.moc"
