#pragma once

#include <QWidget>

class QLabel;

namespace vantrel::ui {

// "Loading MS-Word..." or "Loading MS-Outlook..." with the office program's
// picture, shown while a screen drives that program. Controls: LabelLoad,
// ImageWord, ImageOutlook. Hidden until started.
class LoadIndicator : public QWidget {
    Q_OBJECT
public:
    enum class Program { Word, Outlook };

    explicit LoadIndicator(QWidget* parent);

    void start(Program program);
    void stop();

    // Shows the indicator for one operation and hides it on every way out.
    class Showing {
    public:
        Showing(LoadIndicator* indicator, Program program);
        ~Showing();
        Showing(const Showing&) = delete;
        Showing& operator=(const Showing&) = delete;

    private:
        LoadIndicator* m_indicator;
    };

private:
    QLabel* m_text;
    QLabel* m_word;
    QLabel* m_outlook;
};

} // namespace vantrel::ui
