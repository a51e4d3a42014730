#include "ApplicationTest.h"
#include "RecordingMessageBoxHandler.h"
#include "RecordingOpener.h"
#include "app/ScreenCatalog.h"
#include "companies/AttachmentFiles.h"
#include "companies/FormAttachments.h"
#include "companies/OpenFileChooser.h"
#include "data/BoundView.h"
#include "data/Clock.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui/ManualLink.h"
#include "ui/RecordViews.h"
#include "ui/Screens.h"

#include "BusinessRows.h"
#include "Controls.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vantrel;
using companies::FormAttachments;
using test::insertRow;
using ui::RecordViews;

namespace {

const QDate today(2026, 3, 11);

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAttachments : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsTheCompanysAttachmentsNewestFirst();
    void newAttachmentListsTheFolderAndStoresTheChosenFile();
    void archiveModeAttachesToTheArchivedCompany();
    void openingAMissingFileSaysSo();
    void deleteKeepsAFileStillAttachedElsewhere();
    void namesLeavingTheFolderAreNeverTouched();
    void droppedOrChosenFilesAreCopiedUnderAFreshName();

private:
    FormAttachments* open(RecordViews::Branch branch = RecordViews::Branch::Companies)
    {
        RecordViews::show(RecordViews::View::Attachments, branch);
        auto* form = qobject_cast<FormAttachments*>(
            ui::Screens::existing(QStringLiteral("FormAttachments")));
        if (!form)
            qFatal("attachments screen not opened");
        return form;
    }
    QStringList listed(FormAttachments* form)
    {
        QStringList names;
        data::BoundView* view = form->view();
        for (int row = 0; row < view->rowCount(); ++row) {
            view->moveTo(row);
            names << view->value(QStringLiteral("TEXT01")).toString();
        }
        view->moveFirst();
        return names;
    }

    std::unique_ptr<test::TestFolder> m_folder;
    platform::RecordingMessageBoxHandler* m_messages = nullptr;
    platform::RecordingOpener* m_opener = nullptr;
    qint64 m_live = 0;
    qint64 m_archived = 0;
};

void TestAttachments::initTestCase()
{
    app::registerScreens();
}

void TestAttachments::init()
{
    m_folder = std::make_unique<test::TestFolder>();
    m_folder->createDatabases();
    QDir().mkpath(QStringLiteral("Attachments"));
    auto messages = std::make_unique<platform::RecordingMessageBoxHandler>();
    m_messages = messages.get();
    platform::MessageBox::setHandler(std::move(messages));
    auto opener = std::make_unique<platform::RecordingOpener>();
    m_opener = opener.get();
    platform::Desktop::setOpener(std::move(opener));
    data::Clock::setFixed(QDateTime(today, QTime(9, 0)));
    m_live = insertRow(
        QStringLiteral("TABLE01"), { { "TEXT01", "Live Co" }, { "TEXT20", "Company" } });
    m_archived
        = insertRow(QStringLiteral("TABLE01"), { { "TEXT01", "Old Co" }, { "TEXT20", "Archive" } });
}

void TestAttachments::cleanup()
{
    ui::Screens::closeAll();
    companies::OpenFileChooser::setHandler(nullptr);
    platform::Desktop::setOpener(nullptr);
    platform::MessageBox::setHandler(nullptr);
    data::Clock::reset();
    m_folder.reset();
}

void TestAttachments::listsTheCompanysAttachmentsNewestFirst()
{
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "old.pdf" }, { "DATE01", "2025-01-01" }, { "NUMBER01", m_live } });
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "new.pdf" }, { "DATE01", "2026-01-01" }, { "NUMBER01", m_live } });
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "archived.pdf" }, { "DATE01", "2026-02-01" }, { "NUMBER01", m_archived } });
    FormAttachments* form = open();
    QCOMPARE(listed(form), QStringList({ "new.pdf", "old.pdf" }));
    QCOMPARE(form->companyKey().toLongLong(), m_live);
    QVERIFY(!test::findControl<QPushButton>(form, "CommandDelete")->isEnabled());
    form->pickAttachment(1);
    QVERIFY(test::findControl<QPushButton>(form, "CommandDelete")->isEnabled());
    QCOMPARE(form->findChild<ui::ManualLink*>()->page(), 46);
}

void TestAttachments::newAttachmentListsTheFolderAndStoresTheChosenFile()
{
    writeFile(QStringLiteral("Attachments/b offer.pdf"), "pdf");
    writeFile(QStringLiteral("Attachments/a plan.xlsx"), "xlsx");
    FormAttachments* form = open();
    auto* files = test::findControl<QListWidget>(form, "File1");
    auto* newButton = test::findControl<QPushButton>(form, "CommandNew");
    QVERIFY(files->isHidden());
    newButton->click();
    QVERIFY(!files->isHidden());
    QVERIFY(!newButton->isEnabled());
    QCOMPARE(test::findControl<QLabel>(form, "LabelSelect")->text(),
        QStringLiteral("Select a File to Attach..."));
    QCOMPARE(files->count(), 2);
    QCOMPARE(files->item(0)->text(), QStringLiteral("a plan.xlsx"));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 0); // nothing stored before a choice

    form->attachFile(files->item(1)->text());
    QVERIFY(files->isHidden());
    QVERIFY(newButton->isEnabled());
    QCOMPARE(test::findControl<QLabel>(form, "LabelSelect")->text(),
        QStringLiteral("Select Attachment..."));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 1);
    QCOMPARE(
        form->view()->value(QStringLiteral("TEXT01")).toString(), QStringLiteral("b offer.pdf"));
    QCOMPARE(form->view()->value(QStringLiteral("DATE01")).toDate(), today);
    QCOMPARE(form->view()->value(QStringLiteral("NUMBER01")).toLongLong(), m_live);

    // The description typed afterwards is stored with that row.
    form->view()->setValue(QStringLiteral("MEMO01"), QStringLiteral("Offer, signed"));
    form->view()->refresh();
    QCOMPARE(test::businessDatabase()
                 .scalar(QStringLiteral("SELECT MEMO01 FROM TABLE05 WHERE TEXT01 = 'b offer.pdf'"))
                 .toString(),
        QStringLiteral("Offer, signed"));
}

void TestAttachments::archiveModeAttachesToTheArchivedCompany()
{
    writeFile(QStringLiteral("Attachments/contract.pdf"), "pdf");
    FormAttachments* form = open(RecordViews::Branch::Archive);
    QCOMPARE(form->companyKey().toLongLong(), m_archived);
    form->newAttachment();
    form->attachFile(QStringLiteral("contract.pdf"));
    QCOMPARE(listed(form), QStringList({ "contract.pdf" }));
    QCOMPARE(test::businessDatabase()
                 .scalar(QStringLiteral("SELECT NUMBER01 FROM TABLE05"))
                 .toLongLong(),
        m_archived);
    form = open(RecordViews::Branch::Companies);
    QVERIFY(listed(form).isEmpty());
}

void TestAttachments::openingAMissingFileSaysSo()
{
    writeFile(QStringLiteral("Attachments/here.txt"), "x");
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "gone.txt" }, { "DATE01", "2026-01-02" }, { "NUMBER01", m_live } });
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "here.txt" }, { "DATE01", "2026-01-01" }, { "NUMBER01", m_live } });
    FormAttachments* form = open();
    form->openAttachment(1);
    QCOMPARE(m_opener->opened.size(), 1);
    QVERIFY(
        m_opener->opened.first().toLocalFile().endsWith(QStringLiteral("/Attachments/here.txt")));
    QVERIFY(m_messages->shown.isEmpty());

    form->openAttachment(0);
    QCOMPARE(m_messages->shown.size(), 1);
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("It appears that this attachment does not exist!"));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Warning);

    // The desktop refusing the file is the same to the user.
    m_opener->succeed = false;
    form->openAttachment(1);
    QCOMPARE(m_messages->shown.size(), 2);
}

void TestAttachments::deleteKeepsAFileStillAttachedElsewhere()
{
    writeFile(QStringLiteral("Attachments/shared.pdf"), "pdf");
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "shared.pdf" }, { "DATE01", "2026-01-02" }, { "NUMBER01", m_live } });
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "shared.pdf" }, { "DATE01", "2026-01-01" }, { "NUMBER01", m_archived } });
    FormAttachments* form = open();

    m_messages->answers << platform::MessageBox::No;
    form->pickAttachment(0);
    form->deleteAttachment();
    QCOMPARE(m_messages->shown.first().text,
        QStringLiteral("Are you sure toy want to delete shared.pdf and its associated file?"));
    QCOMPARE(m_messages->shown.first().icon, platform::MessageBox::Icon::Question);
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 2);

    m_messages->answers << platform::MessageBox::Yes;
    form->deleteAttachment();
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 1);
    QVERIFY(QFile::exists(QStringLiteral("Attachments/shared.pdf"))); // the archived company's

    form = open(RecordViews::Branch::Archive);
    form->pickAttachment(0);
    m_messages->answers << platform::MessageBox::Yes;
    form->deleteAttachment();
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 0);
    QVERIFY(!QFile::exists(QStringLiteral("Attachments/shared.pdf")));

    // A row whose file is already gone is still deleted.
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "never.pdf" }, { "DATE01", "2026-01-01" }, { "NUMBER01", m_archived } });
    form = open(RecordViews::Branch::Archive);
    m_messages->answers << platform::MessageBox::Yes;
    form->deleteAttachment();
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 0);
}

void TestAttachments::namesLeavingTheFolderAreNeverTouched()
{
    writeFile(QStringLiteral("precious.txt"), "keep");
    for (const char* name : { "../precious.txt", "/etc/passwd", "..", "sub/x.txt" })
        QVERIFY2(!companies::AttachmentFiles::isAttachmentName(QLatin1String(name)), name);
    QVERIFY(companies::AttachmentFiles::isAttachmentName(QStringLiteral("..report.pdf")));
    insertRow(QStringLiteral("TABLE05"),
        { { "TEXT01", "../precious.txt" }, { "DATE01", "2026-01-01" }, { "NUMBER01", m_live } });
    FormAttachments* form = open();
    form->openAttachment(0);
    QVERIFY(m_opener->opened.isEmpty());
    QCOMPARE(m_messages->shown.last().text,
        QStringLiteral("It appears that this attachment does not exist!"));
    m_messages->answers << platform::MessageBox::Yes;
    form->deleteAttachment();
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 0);
    QCOMPARE(fileContent(QStringLiteral("precious.txt")), QByteArray("keep"));
}

void TestAttachments::droppedOrChosenFilesAreCopiedUnderAFreshName()
{
    QTemporaryDir desktop;
    const QString source = desktop.filePath(QStringLiteral("offer.pdf"));
    writeFile(source, "new offer");
    writeFile(QStringLiteral("Attachments/offer.pdf"), "older offer");
    FormAttachments* form = open();

    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(source) });
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the screen: the application only passes drops on during a real drag.
    static_cast<QObject*>(form)->event(&drop);
    QCOMPARE(fileContent(QStringLiteral("Attachments/offer.pdf")), QByteArray("older offer"));
    QCOMPARE(fileContent(QStringLiteral("Attachments/offer (2).pdf")), QByteArray("new offer"));
    QCOMPARE(listed(form), QStringList({ "offer (2).pdf" }));

    auto chooser = std::make_unique<companies::RecordingOpenFileChooser>();
    chooser->answers << source;
    companies::OpenFileChooser::setHandler(std::move(chooser));
    test::findControl<QPushButton>(form, "CommandBrowse")->click();
    QCOMPARE(fileContent(QStringLiteral("Attachments/offer (3).pdf")), QByteArray("new offer"));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 2);

    // A file that cannot be read is reported and attaches nothing.
    form->attachCopy(desktop.filePath(QStringLiteral("missing.pdf")));
    QCOMPARE(m_messages->shown.size(), 1);
    QVERIFY(m_messages->shown.first().text.startsWith(QStringLiteral("An error has occurred. ")));
    QCOMPARE(test::rowCount(QStringLiteral("TABLE05")), 2);
}

VANTREL_TEST_MAIN(TestAttachments)
#include "TestAttachments.moc"
