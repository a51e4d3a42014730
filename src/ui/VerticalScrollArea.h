#pragma once

#include <QScrollArea>

namespace vantrel::ui {

// A scroll area that scrolls up and down only: it is as wide as its widget needs,
// so a screen too low for its fields scrolls them instead of squeezing them, and
// a screen too narrow gives way as it would without the area.
class VerticalScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit VerticalScrollArea(QWidget* widget, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vantrel::ui
