#include "ScreenTour.h"

#include "SampleData.h"

#include "data/Clock.h"
#include "platform/MessageBox.h"
#include "shell/FormMain.h"
#include "shell/MDIFormMain.h"
#include "ui/Screens.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

namespace vantrel::tools {

namespace {

using platform::MessageBox;

// Answers every message with its most cautious choice and keeps the texts: a
// message while the screens open means that something went wrong.
class AnsweringHandler : public MessageBox::Handler {
public:
    explicit AnsweringHandler(QStringList* shown)
        : m_shown(shown)
    {
    }

    MessageBox::Button show(QWidget*, const MessageBox::Message& message) override
    {
        m_shown->append(message.text);
        for (const MessageBox::Button cautious : { MessageBox::Cancel, MessageBox::No })
            if (message.buttons & cautious)
                return cautious;
        return MessageBox::Ok;
    }

private:
    QStringList* m_shown;
};

// Lets the event loop run: timers, layouts and deferred loading.
void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (timer.elapsed() < milliseconds);
}

template <class Condition> bool waitFor(Condition condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        settle(10);
    }
    return true;
}

bool itemViewShows(const QAbstractItemView* view, const QString& text)
{
    const QAbstractItemModel* model = view->model();
    if (!model)
        return false;
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            if (model->index(row, column).data().toString().contains(text))
                return true;
    return false;
}

bool widgetShows(const QWidget* widget, const QString& text)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text().contains(text);
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text().contains(text);
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText().contains(text);
    if (const auto* rich = qobject_cast<const QTextEdit*>(widget))
        return rich->toPlainText().contains(text);
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->toPlainText().contains(text);
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
        return itemViewShows(view, text);
    return false;
}

// True when a control of the screen that the user can see holds the text.
bool screenShows(const QWidget* screen, const QString& text)
{
    const QList<QWidget*> controls = screen->findChildren<QWidget*>();
    return std::any_of(controls.cbegin(), controls.cend(),
        [&](const QWidget* control) { return control->isVisible() && widgetShows(control, text); });
}

// What a click on a node of the navigation tree does, with the node selected.
auto clickNode(const char* key)
{
    return [key](shell::MDIFormMain& main) {
        shell::FormMain* navigation = main.navigation();
        QTreeWidgetItem* node = navigation->node(QLatin1String(key));
        if (!node)
            return;
        navigation->tree()->setCurrentItem(node);
        navigation->clickNode(node);
    };
}

// A click of the mouse on an entry of a list, as the list's signals report it.
void clickEntry(QAbstractItemView* view, const QModelIndex& index)
{
    if (!view || !index.isValid())
        return;
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    }
}

template <class Control> Control* control(const QString& screen, const char* name)
{
    QWidget* shown = ui::Screens::existing(screen);
    return shown ? shown->findChild<Control*>(QLatin1String(name)) : nullptr;
}

// The call report composed up to its last step: by telephone, at ten, today, with
// the first contact; "Go" would now open the word processor. A telephone call
// leaves the date of the last visit as it is.
void composeCallReport(shell::MDIFormMain&)
{
    if (auto* command = control<QPushButton>(QStringLiteral("FormContacts"), "CommandReport"))
        command->click();
    const QString entry = QStringLiteral("FormCreateCallReport");
    if (auto* methods = control<QListWidget>(entry, "ListMethod")) {
        const QList<QListWidgetItem*> call
            = methods->findItems(QStringLiteral("Telephone Call"), Qt::MatchExactly);
        if (!call.isEmpty())
            clickEntry(methods, methods->indexFromItem(call.first()));
    }
    // The time list and the calendar take their picks from popups and cells
    // that an offscreen click does not reach; their own signals stand in.
    if (auto* times = control<QComboBox>(entry, "ComboTime")) {
        const int ten = times->findData(QTime(10, 0));
        times->setCurrentIndex(ten);
        emit times->activated(ten);
    }
    if (auto* calendar = control<QCalendarWidget>(entry, "MonthView1")) {
        calendar->setSelectedDate(data::Clock::today());
        emit calendar->clicked(data::Clock::today());
    }
    if (auto* names = control<QListView>(entry, "DBListNames"))
        clickEntry(names, names->model()->index(0, 0));
}

// The first project picked and its action steps shown.
void showActionSteps(shell::MDIFormMain& main)
{
    clickNode("child3_child1")(main);
    const QString screen = QStringLiteral("FormProjects");
    if (auto* projects = control<QListView>(screen, "DBListProjects"))
        clickEntry(projects, projects->model()->index(0, 0));
    if (auto* command = control<QPushButton>(screen, "CommandActionSteps"))
        command->click();
}

QList<ScreenShot> makeScreenShots()
{
    using namespace sample;
    return {
        { QStringLiteral("MainWindow"), QStringLiteral("FormMenu"), QStringLiteral("Quick Start"),
            clickNode("root") },
        { QStringLiteral("Companies"), QStringLiteral("FormCompanies"), QLatin1String(firstCompany),
            clickNode("child1_root") },
        { QStringLiteral("Contacts"), QStringLiteral("FormContacts"), QLatin1String(firstContact),
            clickNode("child1_child1") },
        { QStringLiteral("CallReportEntry"), QStringLiteral("FormCreateCallReport"),
            QStringLiteral("Person Contacted: ") + QLatin1String(firstContact), composeCallReport },
        { QStringLiteral("CallReports"), QStringLiteral("FormCallReports"),
            QLatin1String(callReportPhrase), clickNode("child7_child1") },
        { QStringLiteral("Projects"), QStringLiteral("FormProjects"), QLatin1String(actionStep),
            showActionSteps },
        { QStringLiteral("Competition"), QStringLiteral("FormCompetition"),
            QLatin1String(competitorProduct), clickNode("child5_root") },
        { QStringLiteral("PriceList"), QStringLiteral("FormPriceList"), QLatin1String(product),
            clickNode("child6_root") },
        { QStringLiteral("OverdueMeetings"), QStringLiteral("FormReportOverdue"),
            QLatin1String(overdueCompany), clickNode("child7_child3") },
    };
}

} // namespace

const QList<ScreenShot>& screenShots()
{
    static const QList<ScreenShot> shots = makeScreenShots();
    return shots;
}

bool takeScreenShots(
    const QList<ScreenShot>& shots, const QSize& size, QList<QImage>* images, QString* error)
{
    QStringList messages;
    MessageBox::setHandler(std::make_unique<AnsweringHandler>(&messages));
    struct Restore {
        ~Restore()
        {
            ui::Screens::closeAll();
            MessageBox::setHandler(nullptr);
        }
    } restore;

    auto main = std::make_unique<shell::MDIFormMain>();
    bool started = false;
    QObject::connect(main.get(), &shell::MDIFormMain::started, [&started] { started = true; });
    if (!waitFor([&] { return started; }, 10'000)) {
        *error = QStringLiteral("The main window did not start.");
        return false;
    }
    main->resize(size);
    settle(50);

    images->clear();
    for (const ScreenShot& shot : shots) {
        if (!ui::Screens::isRegistered(shot.screen)) {
            *error = QStringLiteral("%1: there is no screen %2 in the program.")
                         .arg(shot.name, shot.screen);
            return false;
        }
        if (shot.open)
            shot.open(*main);
        waitFor(
            [&] {
                const QWidget* screen = ui::Screens::existing(shot.screen);
                return !messages.isEmpty()
                    || (screen && screen->isVisible() && screenShows(screen, shot.shows));
            },
            5'000);
        if (!messages.isEmpty()) {
            *error = QStringLiteral("%1: opening the screen %2 showed the message \"%3\".")
                         .arg(shot.name, shot.screen, messages.join(QStringLiteral("\" \"")));
            return false;
        }
        const QWidget* screen = ui::Screens::existing(shot.screen);
        if (!screen || !screen->isVisible()) {
            *error = QStringLiteral("%1: the screen %2 could not be opened.")
                         .arg(shot.name, shot.screen);
            return false;
        }
        if (!screenShows(screen, shot.shows)) {
            *error = QStringLiteral("%1: the screen %2 does not show \"%3\" of the sample data.")
                         .arg(shot.name, shot.screen, shot.shows);
            return false;
        }
        // Once more for what the loading left to the event loop, such as scroll positions.
        settle(30);
        images->append(main->grab().toImage());
    }
    return true;
}

} // namespace vantrel::tools
