#include "ApplicationTest.h"
#include "ui/HintLine.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using vantrel::ui::HintLine;

// A screen with two hinted controls, one plain label and room for background.
class HintScreen : public QWidget {
public:
    HintScreen()
        : hints(new HintLine(this))
        , website(new QPushButton("Website", this))
        , name(new QLineEdit(this))
        , plain(new QLabel("No hint here", this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(website);
        layout->addWidget(name);
        layout->addWidget(plain);
        layout->addSpacing(80);
        layout->addWidget(hints->frame());
        resize(400, 360);
    }

    HintLine* hints;
    QPushButton* website;
    QLineEdit* name;
    QLabel* plain;
    QString company = "Miller Ltd";
};

class TestHintLine : public QObject {
    Q_OBJECT
private slots:
    void frameCarriesTheDescribedNames();
    void controlShowsItsHintAndBackgroundHidesIt();
    void hintBuiltFromTheCurrentRecord();
    void disabledControlStillExplainsItself();
    void plainControlLeavesTheHintAlone();
    void addedBackgroundHidesTheHint();
    void hidingKeepsTheLayoutStill();

private:
    static QPoint background(const HintScreen& screen)
    {
        // Inside the spacing between the plain label and the frame.
        return QPoint(screen.width() / 2, screen.plain->geometry().bottom() + 30);
    }
    static void show(HintScreen& screen)
    {
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
    }
};

void TestHintLine::frameCarriesTheDescribedNames()
{
    HintScreen screen;
    QCOMPARE(screen.hints->frame()->objectName(), QStringLiteral("FrameHelp"));
    QCOMPARE(screen.hints->frame()->title(), QStringLiteral("Help"));
    QCOMPARE(screen.hints->label()->objectName(), QStringLiteral("LabelHelp"));
    QCOMPARE(screen.findChild<QLabel*>("LabelHelp"), screen.hints->label());
    // Nothing to explain before the mouse reaches a control.
    QVERIFY(screen.hints->frame()->isHidden());
}

void TestHintLine::controlShowsItsHintAndBackgroundHidesIt()
{
    HintScreen screen;
    screen.hints->setHint(screen.website, "Open the web site.");
    screen.hints->setHint(screen.name, "The company's name.");
    QSignalSpy backgroundHovered(screen.hints, &HintLine::backgroundHovered);
    show(screen);

    QTest::mouseMove(screen.website);
    QTRY_VERIFY(screen.hints->frame()->isVisible());
    QCOMPARE(screen.hints->label()->text(), QStringLiteral("Open the web site."));

    // From one control to the next the text is just replaced.
    QTest::mouseMove(screen.name);
    QTRY_COMPARE(screen.hints->label()->text(), QStringLiteral("The company's name."));
    QVERIFY(screen.hints->frame()->isVisible());

    QTest::mouseMove(&screen, background(screen));
    QTRY_VERIFY(screen.hints->frame()->isHidden());
    QVERIFY(!backgroundHovered.isEmpty());

    // Back on the control, the same text shows again.
    QTest::mouseMove(screen.name);
    QTRY_VERIFY(screen.hints->frame()->isVisible());
    QCOMPARE(screen.hints->label()->text(), QStringLiteral("The company's name."));
}

void TestHintLine::hintBuiltFromTheCurrentRecord()
{
    HintScreen screen;
    screen.hints->setHint(
        screen.website, [&screen] { return "Visit " + screen.company + "'s website."; });
    show(screen);

    QTest::mouseMove(screen.website);
    QTRY_COMPARE(screen.hints->label()->text(), QStringLiteral("Visit Miller Ltd's website."));

    // Another record is on show by the time the mouse comes back.
    QTest::mouseMove(&screen, background(screen));
    QTRY_VERIFY(screen.hints->frame()->isHidden());
    screen.company = "O'Brien & Sons";
    QTest::mouseMove(screen.website);
    QTRY_COMPARE(screen.hints->label()->text(), QStringLiteral("Visit O'Brien & Sons's website."));
}

void TestHintLine::disabledControlStillExplainsItself()
{
    HintScreen screen;
    screen.hints->setHint(screen.website, "Locked until the password is entered.");
    screen.website->setEnabled(false);
    show(screen);

    QTest::mouseMove(screen.website, QPoint(5, 5));
    QTest::mouseMove(screen.website);
    QTRY_VERIFY(screen.hints->frame()->isVisible());
    QCOMPARE(
        screen.hints->label()->text(), QStringLiteral("Locked until the password is entered."));
}

void TestHintLine::plainControlLeavesTheHintAlone()
{
    HintScreen screen;
    screen.hints->setHint(screen.name, "The company's name.");
    show(screen);

    QTest::mouseMove(screen.name);
    QTRY_VERIFY(screen.hints->frame()->isVisible());
    QTest::mouseMove(screen.plain);
    QTest::qWait(20);
    QVERIFY(screen.hints->frame()->isVisible());
    QCOMPARE(screen.hints->label()->text(), QStringLiteral("The company's name."));
}

void TestHintLine::addedBackgroundHidesTheHint()
{
    QWidget screen;
    auto* hints = new HintLine(&screen);
    auto* frame = new QGroupBox("Options", &screen);
    auto* button = new QPushButton("Go", frame);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(button);
    frameLayout->addSpacing(100);
    auto* layout = new QVBoxLayout(&screen);
    layout->addWidget(frame);
    layout->addWidget(hints->frame());
    hints->setHint(button, "Go on.");
    hints->addBackground(frame);
    screen.resize(300, 300);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    QTest::mouseMove(button);
    QTRY_VERIFY(hints->frame()->isVisible());
    QTest::mouseMove(frame, QPoint(frame->width() / 2, button->geometry().bottom() + 50));
    QTRY_VERIFY(hints->frame()->isHidden());
}

void TestHintLine::hidingKeepsTheLayoutStill()
{
    HintScreen screen;
    screen.hints->setHint(screen.website, "Open the web site.");
    show(screen);
    const QRect before = screen.plain->geometry();
    QTest::mouseMove(screen.website);
    QTRY_VERIFY(screen.hints->frame()->isVisible());
    QCOMPARE(screen.plain->geometry(), before);
}

VANTREL_TEST_MAIN(TestHintLine)
#include "TestHintLine.moc"
