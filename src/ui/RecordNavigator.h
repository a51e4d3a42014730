#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace vantrel::data {
class BoundView;
}

namespace vantrel::ui {

// The arrow bar of a bound view: first, previous, next and last record. The
// arrows that lead nowhere from the current row are disabled. Leaving a row
// stores its edits; when that fails the row stays current and moveFailed()
// gives the view's reason for the screen to show.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    // objectName is the bound view's control name ("DataTABLE08"); tip is the
    // bar's tool tip ("Navigate your Records").
    RecordNavigator(
        data::BoundView* view, const QString& objectName, const QString& tip, QWidget* parent);

    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();

signals:
    void moveFailed(const QString& message);

private:
    QToolButton* makeArrow(const char* name, const QString& arrow, const QString& tip);
    void moveTo(int row);
    void updateArrows();

    QPointer<data::BoundView> m_view;
    QToolButton* m_first;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace vantrel::ui
