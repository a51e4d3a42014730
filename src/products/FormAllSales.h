#pragma once

#include "ui/ActivatedScreen.h"

#include <QWidget>

class QProgressBar;
class QTimer;

namespace vantrel::products {

// A short-lived screen that sends every sales figure to the spreadsheet
// program, showing its progress; it closes itself when done.
class FormAllSales : public QWidget, public ui::ActivatedScreen {
    Q_OBJECT
public:
    explicit FormAllSales(QWidget* parent = nullptr);

    void screenActivated() override;
    // The job, run once by the first tick of Timer1.
    bool sendAllSales(QString* error);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tick();
    void advance();

    QProgressBar* m_progress;
    QTimer* m_timer;
    bool m_started = false;
};

} // namespace vantrel::products
