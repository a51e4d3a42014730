#include "data/MemoText.h"
#include "office/RtfWriter.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using vantrel::data::MemoPhrase;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

bool found(const QString& phrase, const QByteArray& memo)
{
    return MemoPhrase(phrase).isFoundIn(memo);
}

} // namespace

class TestMemoText : public QObject {
    Q_OBJECT

private slots:
    void reportsAsTheEditorWritesThemAreSearchedByTheirText()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(s("Visit at Grüße & Co, Köln.\nHerr "));
        // A word whose letters carry different formats is split by the markup.
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(s("Mü"), bold);
        cursor.insertText(s("ller"), QTextCharFormat());
        cursor.insertText(s(" ordered 日本 samples 😀.\n50% {braces} back\\slash"));
        const QByteArray rtf = vantrel::office::writeRtf(document);
        QVERIFY(rtf.startsWith("{\\rtf"));

        for (const char* phrase : { "grüße & co, köln", "herr müller", "MÜLLER", "日本", "😀",
                 "50% {braces} back\\slash", "" })
            QVERIFY2(found(s(phrase), rtf), phrase);
        // The markup is no text of the report.
        for (const char* phrase :
            { "par", "rtf1", "fonttbl", "ansicpg", "\\'fc", "u252", "fcller" })
            QVERIFY2(!found(s(phrase), rtf), phrase);
    }

    void rtfFromOtherWritersIsSearchedByItsText_data()
    {
        QTest::addColumn<QByteArray>("memo");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("expected");
        QTest::newRow("code page escape")
            << QByteArray("{\\rtf1\\ansi Herr M\\'fcller}") << s("müller") << true;
        QTest::newRow("upper-case hex")
            << QByteArray("{\\rtf1\\ansi M\\'DCLLER}") << s("müller") << true;
        QTest::newRow("windows-1252 upper half")
            << QByteArray("{\\rtf1\\ansi Preis 5\\'80, \\'93quoted\\'94}") << s("5€, “quoted”")
            << true;
        QTest::newRow("unicode without fallback")
            << QByteArray("{\\rtf1\\uc0\\u26085\\u26412}") << s("日本") << true;
        QTest::newRow("question mark stand-in")
            << QByteArray("{\\rtf1 M\\u252?ller}") << s("müller") << true;
        QTest::newRow("two fallback characters")
            << QByteArray("{\\rtf1{\\uc2\\u252ue}ller}") << s("üller") << true;
        QTest::newRow("fallback ends with its group")
            << QByteArray("{\\rtf1{\\u252}x}") << s("üx") << true;
        QTest::newRow("negative unicode")
            << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << s("😀") << true;
        QTest::newRow("formatting inside a word")
            << QByteArray("{\\rtf1 Ac{\\b\\i me}\\cf2  Ltd}") << s("acme ltd") << true;
        QTest::newRow("hidden destinations")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Wingdings;}}{\\*\\generator Riched20;}"
                          "{\\info{\\author Smith}}Text}")
            << s("wingdings") << false;
        QTest::newRow("hidden author")
            << QByteArray("{\\rtf1{\\info{\\author Smith}}Text}") << s("smith") << false;
        QTest::newRow("text after hidden groups")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\x {nested}}Text}") << s("text")
            << true;
        QTest::newRow("binary data with braces")
            << QByteArray("{\\rtf1{\\*\\pict\\bin4 }{{x}visible}") << s("visible") << true;
        QTest::newRow("escaped symbols")
            << QByteArray("{\\rtf1 a\\{b\\}c\\\\d\\~e\\_f}") << s("a{b}c\\d e-f") << true;
        QTest::newRow("named characters")
            << QByteArray("{\\rtf1 one\\emdash two\\tab three\\par four}")
            << s("one—two\tthree\nfour") << true;
        QTest::newRow("line breaks of the file are no text")
            << QByteArray("{\\rtf1 Mu\r\nller}") << s("muller") << true;
        QTest::newRow("raw bytes are windows-1252") << QByteArray("{\\rtf1 M\xfc"
                                                                  "ller}")
                                                    << s("müller") << true;
    }

    void rtfFromOtherWritersIsSearchedByItsText()
    {
        QFETCH(QByteArray, memo);
        QFETCH(QString, phrase);
        QFETCH(bool, expected);
        QCOMPARE(found(phrase, memo), expected);
    }

    void plainMemosAreSearchedAsTheyStand()
    {
        QVERIFY(found(s("MÜLLER"), s("Call Herr Müller").toUtf8()));
        QVERIFY(found(s("{not rtf"), QByteArray("{not rtf} at all")));
        QVERIFY(found(s("\\par"), QByteArray("a \\par in plain text")));
        QVERIFY(!found(s("zebra"), QByteArray("plain")));
    }

    void phrasesAreFoundWhereverTheyStand()
    {
        for (const char* phrase : { "q", "qz", "quiz", "quizzical zebra q" }) {
            const QByteArray needle(phrase);
            for (int before = 0; before < 40; ++before) {
                for (int after = 0; after < 20; ++after) {
                    const QByteArray memo
                        = QByteArray(before, 'a') + needle.toUpper() + QByteArray(after, 'b');
                    QVERIFY2(found(s(phrase), memo), memo.constData());
                    // One byte short of the whole phrase is no match.
                    QVERIFY2(
                        !found(s(phrase), memo.left(before + needle.size() - 1)), memo.constData());
                }
            }
        }
    }

    void damagedRtfIsSearchedAsFarAsItGoes()
    {
        QVERIFY(found(s("abc"), QByteArray("{\\rtf1 abc\\'")));
        QVERIFY(found(s("abc"), QByteArray("{\\rtf1 abc\\'f")));
        QVERIFY(!found(s("x"), QByteArray("{\\rtf1 \\u")));
        QVERIFY(found(s("a"), QByteArray("{\\rtf1 \\u- a")));
        // No character has that number: it is passed over, and its stand-in shows.
        QVERIFY(found(s("x?"), QByteArray("{\\rtf1 x\\u999999999999999999999?")));
        QVERIFY(!found(s("tail"), QByteArray("{\\rtf1 \\bin999999999 tail")));
        QVERIFY(found(s("abc"), QByteArray("{\\rtf1 }}}}}abc")));
        QVERIFY(found(s("ü"), QByteArray("{\\rtf1 \\uc99999999999\\u252abc")));
        const QByteArray deep
            = "{\\rtf1 " + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + " after";
        QVERIFY(found(s("deep"), deep));
        QVERIFY(found(s("after"), deep));
        const QByteArray hiddenDeep = "{\\rtf1{\\*" + QByteArray(100000, '{') + "hidden"
            + QByteArray(100000, '}') + "} shown";
        QVERIFY(!found(s("hidden"), hiddenDeep));
        QVERIFY(found(s("shown"), hiddenDeep));
    }
};

QTEST_GUILESS_MAIN(TestMemoText)
#include "TestMemoText.moc"
