#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "activities/FormCorrespondence.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "office/DefaultLetterhead.h"
#include "office/MailItem.h"
#include "office/RtfReader.h"
#include "office/RtfWriter.h"
#include "office/WordProcessor.h"
#include "platform/MessageBox.h"
#include "shell/MDIFormMain.h"
#include "ui/AutoSaveOwner.h"
#include "ui/MailWindow.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"
#include "ui/WordWindow.h"
#include "ui/WorkingFiles.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "ShellFakes.h"
#include "TestFolder.h"
#include "TopLevelWindows.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

using namespace vantrel;
using activities::FormCorrespondence;
using platform::MessageBox;
using ui::AutoSave;
using ui::SaveQuestion;

namespace {

const QDate today(2026, 5, 4);
const qint64 companyKey = 12;
const QString companyName = QStringLiteral("Nordlicht GmbH");

// Stands in for the contacts screen that started the letter or e-mail.
class AutoSavingContacts : public QWidget, public ui::AutoSaveOwner {
public:
    void stopAutoSave(AutoSave::Kind kind) override { stopped.append(kind); }
    QList<AutoSave::Kind> stopped;
};

qint64 addLetter(const QVariant& key, const QDate& date, const QString& text)
{
    QTextDocument document;
    document.setPlainText(text);
    return test::insertRow(QStringLiteral("TABLE09"),
        { { "NUMBER01", key }, { "DATE01", date },
            { "MEMO01", QString::fromUtf8(office::writeRtf(document)) } });
}

int letterCount()
{
    return test::rowCount(QStringLiteral("TABLE09"));
}

// The text of the newest stored document, as its rich text reads.
QString storedText()
{
    data::QueryResult rows;
    if (!test::businessDatabase().query(
            QStringLiteral("SELECT MEMO01 FROM TABLE09 ORDER BY AUTONUMBER DESC LIMIT 1"), {},
            &rows)
        || rows.rows.isEmpty())
        return {};
    return office::plainTextOfRtf(rows.rows.first().first().toByteArray()).trimmed();
}

} // namespace

class TestCorrespondence : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void browsesRecordsWithoutMailCommand();
    void yesBeforeTheWorkingFileExistsStoresNothing();
    void savedLetterComesFirst();
    void savedEmailShowsAsPlainText();
    void noLeavesTheListAndStopsBothAutoSaves();
    void programEndAsksAboutTheLetterBeingWritten();
    void closingAnUnsentMailAsksAboutIt();

private:
    template <class T = QWidget> T* control(const char* name)
    {
        return test::findControl<T>(m_screen, name);
    }
    void open();
    QString position() { return control<QLabel>("LabelPosition")->text(); }
    QString shownText() { return control<QTextEdit>("RichTextBox1")->toPlainText(); }

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    AutoSavingContacts* m_contacts = nullptr;
    FormCorrespondence* m_screen = nullptr;
};

void TestCorrespondence::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkdir(QStringLiteral("Temp"));
    QString error;
    QVERIFY(office::writeDefaultLetterhead(m_folder->path(), &error));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    MessageBox::setHandler(std::move(messages));
    data::Clock::setFixed(QDateTime(today, QTime(14, 30)));
    ui::Screens::registerScreen(
        QStringLiteral("FormCompanies"), [] { return new test::FakeCompanyScreen; });
    ui::Screens::registerScreen(
        QStringLiteral("FormCorrespondence"), [] { return new FormCorrespondence; });
    ui::Screens::registerScreen(
        QStringLiteral("FormContacts"), [] { return new AutoSavingContacts; });
    ui::Screens::instance<test::FakeCompanyScreen>(QStringLiteral("FormCompanies"))
        ->standOn(companyKey, companyName, QStringLiteral("N-7"));
    m_contacts
        = dynamic_cast<AutoSavingContacts*>(ui::Screens::instance(QStringLiteral("FormContacts")));
}

void TestCorrespondence::cleanup()
{
    ui::Screens::closeAll();
    test::deleteWordWindows();
    data::Clock::reset();
    MessageBox::setHandler(nullptr);
    m_screen = nullptr;
    m_folder.reset();
}

void TestCorrespondence::open()
{
    ui::RecordViews::show(
        ui::RecordViews::View::Correspondence, ui::RecordViews::Branch::Companies);
    m_screen = dynamic_cast<FormCorrespondence*>(
        ui::Screens::existing(QStringLiteral("FormCorrespondence")));
    QVERIFY(m_screen);
    m_screen->resize(900, 700);
}

void TestCorrespondence::browsesRecordsWithoutMailCommand()
{
    addLetter(companyKey, today.addDays(-2), QStringLiteral("Offer letter"));
    addLetter(companyKey, today.addDays(-9), QStringLiteral("Fax: price list"));
    addLetter(99, today, QStringLiteral("Someone else's"));
    open();
    QCOMPARE(position(), QStringLiteral("RECORD 1 OF 2 RECORDS"));
    QCOMPARE(shownText(), QStringLiteral("Offer letter"));
    QVERIFY(!m_screen->findChild<QWidget*>(QStringLiteral("CommandOutlook")));
    QCOMPARE(control("DataTABLE09")->toolTip(), QStringLiteral("Navigate your Records"));

    control<QPushButton>("CommandSearch")->click();
    control<QLineEdit>("TextFind")->setText(QStringLiteral("PRICE"));
    control<QPushButton>("CommandFind")->click();
    QCOMPARE(position(), QStringLiteral("RECORD 1 OF 1 RECORDS"));
    QCOMPARE(shownText(), QStringLiteral("Fax: price list"));

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(control("CommandSearch"), &enter);
    QCOMPARE(control<QLabel>("LabelHelp")->text(),
        QStringLiteral("Search correspondence to Nordlicht GmbH containing text you enter. "
                       "Searches are not case sensitive."));

    m_messages->answers = { MessageBox::Yes };
    control<QPushButton>("CommandDelete")->click();
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("Are you sure you want to delete this record?"));
    QCOMPARE(m_messages->shown.first().defaultButton, MessageBox::No);
    QCOMPARE(letterCount(), 2);
    QCOMPARE(position(), QStringLiteral("RECORD 0 OF 0 RECORDS"));
}

void TestCorrespondence::yesBeforeTheWorkingFileExistsStoresNothing()
{
    addLetter(companyKey, today.addDays(-1), QStringLiteral("Yesterday's letter"));
    open();
    m_screen->askToSave(SaveQuestion::Pending::Document);
    QCOMPARE(control<QLabel>("LabelSave")->text(),
        QStringLiteral("Would you like to save this Document in Vantrel?"));
    QVERIFY(!control("CommandYes")->isHidden());
    QVERIFY(control("CommandYesOutlook")->isHidden());
    QVERIFY(control("RichTextBox1")->isHidden());

    control<QPushButton>("CommandYes")->click();
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(letterCount(), 1);
    QVERIFY(!control("FrameSave")->isHidden());
    QVERIFY(control("ProgressBar1")->isHidden());
    // The contacts screen keeps saving the letter, so the next Yes can store it.
    QVERIFY(m_contacts->stopped.isEmpty());
}

void TestCorrespondence::savedLetterComesFirst()
{
    addLetter(companyKey, today, QStringLiteral("This morning's fax"));
    addLetter(companyKey, today.addDays(-20), QStringLiteral("Old letter"));
    // The working file as the contacts screen's auto-save leaves it, from the real word processor.
    office::WordProcessor& word = office::WordProcessor::instance();
    const office::WordProcessor::Instance writer = word.start();
    QString error;
    QVERIFY(word.addDocument(writer, ui::letterheadPath(), &error));
    QVERIFY(
        word.typeText(writer, QStringLiteral("Dear Ms Berg,\r\nplease find our offer."), &error));
    QVERIFY(word.saveActiveDocument(writer, ui::workingDocumentPath(), &error));
    QVERIFY(word.quit(writer, &error));

    open();
    m_screen->askToSave(SaveQuestion::Pending::Document);
    control<QPushButton>("CommandYes")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(letterCount(), 3);
    QCOMPARE(position(), QStringLiteral("RECORD 1 OF 3 RECORDS"));
    QCOMPARE(shownText(), QStringLiteral("Dear Ms Berg,\nplease find our offer."));
    QCOMPARE(m_screen->view()->value(QStringLiteral("DATE01")).toDate(), today);
    QCOMPARE(m_screen->view()->value(QStringLiteral("NUMBER01")).toLongLong(), companyKey);
    QVERIFY(m_screen->view()->value(QStringLiteral("TEXT01")).isNull());
    QVERIFY(!m_screen->view()->isEdited());
    QVERIFY(control("FrameSave")->isHidden());
    QVERIFY(!control("RichTextBox1")->isHidden());
    QCOMPARE(m_contacts->stopped, QList<AutoSave::Kind> { AutoSave::Kind::Document });
}

void TestCorrespondence::savedEmailShowsAsPlainText()
{
    // What the mail window's auto-save writes: the item as plain text.
    office::MailItem mail;
    mail.to = QStringLiteral("berg@nordlicht.example");
    mail.subject = QStringLiteral("Offer");
    mail.body = QStringLiteral("*Important*: {prices} \\ valid until May");
    QString error;
    QVERIFY(mail.saveAsText(ui::workingMailTextPath(), &error));

    open();
    m_screen->askToSave(SaveQuestion::Pending::Mail);
    QCOMPARE(control<QLabel>("LabelSave")->text(),
        QStringLiteral("Would you like to save this E-Mail in Vantrel?"));
    QVERIFY(control("CommandYes")->isHidden());
    QVERIFY(!control("CommandYesOutlook")->isHidden());
    QCOMPARE(control<QPushButton>("CommandYesOutlook")->text(), QStringLiteral("&Yes"));

    control<QPushButton>("CommandYesOutlook")->click();
    QVERIFY(m_messages->shown.isEmpty());
    QCOMPARE(letterCount(), 1);
    QCOMPARE(position(), QStringLiteral("RECORD 1 OF 1 RECORDS"));
    const QString expected = mail.plainText();
    QCOMPARE(shownText(), QString(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // Plain: no run of the shown text is bold, italic or underlined.
    for (QTextBlock block = control<QTextEdit>("RichTextBox1")->document()->begin();
         block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            QVERIFY(format.fontWeight() <= QFont::Normal);
            QVERIFY(!format.fontItalic());
            QVERIFY(!format.fontUnderline());
        }
    }
    QCOMPARE(m_contacts->stopped, QList<AutoSave::Kind> { AutoSave::Kind::MailText });
}

void TestCorrespondence::noLeavesTheListAndStopsBothAutoSaves()
{
    addLetter(companyKey, today.addDays(-3), QStringLiteral("Kept letter"));
    open();
    m_screen->askToSave(SaveQuestion::Pending::Mail);
    control<QPushButton>("CommandNo")->click();
    QCOMPARE(letterCount(), 1);
    QCOMPARE(position(), QStringLiteral("RECORD 1 OF 1 RECORDS"));
    QCOMPARE(shownText(), QStringLiteral("Kept letter"));
    QVERIFY(control("FrameSave")->isHidden());
    QVERIFY(!control("RichTextBox1")->isHidden());
    QCOMPARE(m_contacts->stopped,
        (QList<AutoSave::Kind> { AutoSave::Kind::Document, AutoSave::Kind::MailText }));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestCorrespondence::programEndAsksAboutTheLetterBeingWritten()
{
    shell::MDIFormMain main;
    main.show();
    // A letter as the contacts screen starts it: shown, typed, and auto-saved once.
    office::WordProcessor& word = office::WordProcessor::instance();
    const office::WordProcessor::Instance writer = word.start();
    QString error;
    QVERIFY(word.addDocument(writer, ui::letterheadPath(), &error));
    QVERIFY(word.show(writer, &error));
    QVERIFY(word.typeText(writer, QStringLiteral("Dear Ms Berg,"), &error));
    QVERIFY(word.saveActiveDocument(writer, ui::workingDocumentPath(), &error));
    open();
    m_screen->askToSave(SaveQuestion::Pending::Document);
    const QList<ui::WordWindow*> windows = test::visibleWindows<ui::WordWindow>();
    QCOMPARE(windows.size(), 1);
    QPointer<ui::WordWindow> window = windows.first();
    QVERIFY(word.typeText(writer, QStringLiteral("\r\nour offer follows."), &error));

    // Keep writing: neither the window nor the program goes.
    m_messages->answers = { MessageBox::Cancel };
    QVERIFY(!main.close());
    QCOMPARE(m_messages->shown.size(), 1);
    const MessageBox::Message question = m_messages->shown.first();
    QVERIFY(question.text.startsWith(QStringLiteral("This document is not saved in Vantrel yet.")));
    QCOMPARE(question.buttons, int(MessageBox::Yes | MessageBox::No | MessageBox::Cancel));
    QCOMPARE(question.defaultButton, MessageBox::Cancel);
    QVERIFY(window && window->isVisible());
    QVERIFY(main.isVisible());
    QCOMPARE(letterCount(), 0);
    QVERIFY(QFileInfo::exists(ui::workingDocumentPath()));

    // Save: stored with what was typed after the last auto-save, then the program ends.
    m_messages->answers = { MessageBox::Yes };
    QVERIFY(main.close());
    QCOMPARE(letterCount(), 1);
    // The program ends, so its screens are gone; the letter is in the database.
    QVERIFY2(storedText().endsWith(QStringLiteral("Dear Ms Berg,\nour offer follows.")),
        qPrintable(storedText()));
    QVERIFY(!window || !window->isVisible());
    QVERIFY(control("FrameSave")->isHidden());
    QCOMPARE(m_contacts->stopped, QList<AutoSave::Kind> { AutoSave::Kind::Document });
    QCOMPARE(m_messages->shown.size(), 2);
}

void TestCorrespondence::closingAnUnsentMailAsksAboutIt()
{
    office::MailItem mail;
    mail.to = QStringLiteral("berg@nordlicht.example");
    mail.subject = QStringLiteral("Offer");
    mail.body = QStringLiteral("Prices follow.");
    QPointer<ui::MailWindow> window = new ui::MailWindow(mail);
    window->show();
    QString error;
    QVERIFY(window->saveAsText(ui::workingMailTextPath(), &error));
    open();
    m_screen->askToSave(SaveQuestion::Pending::Mail);

    m_messages->answers = { MessageBox::Cancel };
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(m_messages->shown.first().text.startsWith(
        QStringLiteral("This e-mail has not been sent, nor saved in Vantrel.")));

    // Discard: nothing stored, the browser's question answered with it.
    m_messages->answers = { MessageBox::No };
    QVERIFY(window->close());
    QCOMPARE(letterCount(), 0);
    QVERIFY(control("FrameSave")->isHidden());
    QCOMPARE(m_contacts->stopped,
        (QList<AutoSave::Kind> { AutoSave::Kind::Document, AutoSave::Kind::MailText }));
    QCOMPARE(m_messages->shown.size(), 2);
    QVERIFY(!SaveQuestion::waiting(SaveQuestion::Pending::Mail));
}

VANTREL_TEST_MAIN(TestCorrespondence)
#include "TestCorrespondence.moc"
