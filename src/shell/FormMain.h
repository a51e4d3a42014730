#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel::shell {

class NotificationIcon;

// The navigation window at the left of the main window: the navigation tree,
// the program's only menu, and the choice to hide the program in the desktop's
// notification area.
class FormMain : public QWidget {
    Q_OBJECT
public:
    explicit FormMain(QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QTreeWidgetItem* node(const QString& key) const;
    // The node texts from the root down to the node, joined by "\".
    static QString captionPath(const QTreeWidgetItem* item);

    // What a click on the node does: the caption path, then the node's action.
    void clickNode(QTreeWidgetItem* item);
    // Selects the node whose screen a command brought up (a call report opens the
    // company's call reports), so the tree shows where the user is; its action
    // is not run again.
    void markNode(const QString& key);

    NotificationIcon* notificationIcon() const { return m_notificationIcon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTree();
    void ensureVisible(QTreeWidgetItem* item);
    void iconTrayToggled(bool checked);
    void restoreFromNotificationArea();

    QGroupBox* m_frame;
    QTreeWidget* m_tree;
    QCheckBox* m_iconTray;
    NotificationIcon* m_notificationIcon;
};

} // namespace vantrel::shell
