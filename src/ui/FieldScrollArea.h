#pragma once

#include <QScrollArea>

namespace vantrel::ui {

// The fields of a record screen. They keep the width their values need: a
// screen too small for them scrolls them, up and down and sideways, instead of
// cutting their values short. The area itself asks for little room, so no
// screen's minimum size grows beyond what a small display can show.
class FieldScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit FieldScrollArea(QWidget* widget, QWidget* parent = nullptr);

    // The width the fields may use without a sideways scroll bar, room for the
    // upright one kept so that its coming and going does not change the answer.
    int usableWidth() const;

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace vantrel::ui
