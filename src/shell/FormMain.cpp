#include "shell/FormMain.h"

#include "shell/NavigationImages.h"
#include "shell/NavigationItemDelegate.h"
#include "shell/NavigationNodes.h"
#include "shell/NodeActions.h"
#include "shell/NotificationIcon.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vantrel::shell {

namespace {

constexpr int navigationWidth = 3300;
constexpr int treeItemHeight = 19; // pixels
constexpr int keyRole = Qt::UserRole;

} // namespace

FormMain::FormMain(QWidget* parent)
    : QWidget(parent)
    , m_frame(new QGroupBox(QStringLiteral("Navigation"), this))
    , m_tree(new QTreeWidget(m_frame))
    , m_iconTray(new QCheckBox(QStringLiteral("Minimize in Icon Tray"), this))
    , m_notificationIcon(new NotificationIcon(ui::programIcon(), QStringLiteral("Vantrel"), this))
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowIcon(ui::programIcon());
    setFixedWidth(ui::twipsToPixelsX(navigationWidth, this));

    m_frame->setObjectName(QStringLiteral("FrameNavigation"));
    m_tree->setObjectName(QStringLiteral("TreeViewNavigation"));
    m_iconTray->setObjectName(QStringLiteral("CheckIconTray"));
    m_iconTray->setToolTip(
        QStringLiteral("Minimizes the Program but does not disiplay an Icon in the Taskbar"));

    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setUniformRowHeights(true);
    m_tree->setItemDelegate(new NavigationItemDelegate(treeItemHeight, m_tree));
    m_tree->setIndentation(14);
    // Long texts scroll sideways instead of being cut short.
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->installEventFilter(this);

    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(m_tree);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 6);
    layout->addWidget(m_frame, 1);
    layout->addWidget(m_iconTray);

    buildTree();

    connect(m_tree, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem* item) { clickNode(item); });
    connect(m_iconTray, &QCheckBox::toggled, this, &FormMain::iconTrayToggled);
    connect(m_notificationIcon, &NotificationIcon::leftClicked, this,
        &FormMain::restoreFromNotificationArea);
    connect(m_notificationIcon, &NotificationIcon::rightClicked, this,
        &FormMain::restoreFromNotificationArea);
}

QTreeWidgetItem* FormMain::node(const QString& key) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->data(0, keyRole).toString() == key)
            return *it;
    }
    return nullptr;
}

QString FormMain::captionPath(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (; item; item = item->parent())
        texts.prepend(item->text(0));
    return texts.join(QLatin1Char('\\'));
}

void FormMain::clickNode(QTreeWidgetItem* item)
{
    if (!item)
        return;
    window()->setWindowTitle(captionPath(item));
    NodeActions::run(item->data(0, keyRole).toString());
}

void FormMain::markNode(const QString& key)
{
    if (QTreeWidgetItem* item = node(key))
        m_tree->setCurrentItem(item);
}

bool FormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            clickNode(m_tree->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormMain::buildTree()
{
    QHash<QString, QTreeWidgetItem*> items;
    for (const NavigationNode& entry : navigationNodes()) {
        QTreeWidgetItem* parent = items.value(entry.parentKey);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, entry.text);
        item->setIcon(0, navigationImage(entry.image));
        item->setData(0, keyRole, entry.key);
        items.insert(entry.key, item);
    }
    ensureVisible(items.value(QStringLiteral("child1_child1")));
    ensureVisible(items.value(QStringLiteral("child1_child7")));
    ensureVisible(items.value(QStringLiteral("root")));
}

void FormMain::ensureVisible(QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    m_tree->scrollToItem(item);
}

void FormMain::iconTrayToggled(bool checked)
{
    if (!checked)
        return;
    if (m_notificationIcon->show()) {
        window()->hide();
        return;
    }
    // Without a notification area the window could not come back: minimize it instead.
    window()->showMinimized();
    const QSignalBlocker blocker(m_iconTray);
    m_iconTray->setChecked(false);
}

void FormMain::restoreFromNotificationArea()
{
    m_notificationIcon->remove();
    QWidget* main = window();
    // The window may have been minimized (by the program, when an office window came up)
    // before it hid here; shown as it was it would stay iconic.
    main->setWindowState((main->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    main->show();
    main->raise();
    main->activateWindow();
    const QSignalBlocker blocker(m_iconTray);
    m_iconTray->setChecked(false);
}

} // namespace vantrel::shell
