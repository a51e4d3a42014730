#pragma once

#include <QString>
#include <QWidget>

class QProgressBar;
class QTimer;

namespace vantrel::shell {

// The waiting box before the map. The caller puts the company's address on the
// clipboard and shows the box; its bar fills in about five seconds, then the
// web map opens at that address in the default browser and the box closes.
class FormWait : public QWidget {
    Q_OBJECT
public:
    static constexpr int tickInterval = 50; // milliseconds, 100 ticks to a full bar

    explicit FormWait(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void tick();

    QProgressBar* m_progress;
    QTimer* m_timer;
    QString m_address;
};

} // namespace vantrel::shell
