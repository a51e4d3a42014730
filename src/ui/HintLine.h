#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QWidget;

namespace vantrel::ui {

// The hint line of a screen: the frame FrameHelp ("Help") with the label LabelHelp,
// which shows one sentence about the control under the mouse. A screen declares
// its hints once, as fixed texts or as texts built from its current record; the
// mouse over the screen's background hides the frame.
class HintLine : public QObject {
    Q_OBJECT
public:
    using TextSource = std::function<QString()>;

    // Makes FrameHelp as a child of the screen; the screen puts frame() into its layout.
    explicit HintLine(QWidget* screen);

    QGroupBox* frame() const { return m_frame; }
    QLabel* label() const { return m_label; }

    void setHint(QWidget* control, const QString& text);
    // Built anew each time the mouse reaches the control, so it names the record on show.
    void setHint(QWidget* control, TextSource text);
    // An area that counts as background besides the screen itself (a frame that groups controls).
    void addBackground(QWidget* area);

signals:
    // The mouse moved over the background; the frame is hidden.
    void backgroundHovered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* hintedControlAt(QWidget* widget) const;
    void showHint(QWidget* control);

    QWidget* m_screen;
    QGroupBox* m_frame;
    QLabel* m_label;
    QHash<QWidget*, TextSource> m_hints;
    QSet<QWidget*> m_backgrounds;
};

} // namespace vantrel::ui
