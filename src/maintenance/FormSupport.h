#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vantrel::ui {
class ManualLink;
}

namespace vantrel::maintenance {

// A message to the maker's technical support, sent as an e-mail through the
// mail program. A refused send is explained and offered again, as often as the
// user wants it; it is never repeated without asking.
class FormSupport : public QWidget {
    Q_OBJECT
public:
    explicit FormSupport(QWidget* parent = nullptr);

    // Where support requests go.
    static const QString supportAddress;

    enum class Attempt { First, Retry };
    // " Version 2.7 Revision 1" for the first attempt, " Version 2.7 Service Pack 1"
    // for a retry, from the program's version.
    static QString versionLine(Attempt attempt);

private:
    void send(Attempt attempt);

    QLabel* m_label;
    QPlainTextEdit* m_message;
    QPushButton* m_go;
    QTimer* m_retry;
    ui::ManualLink* m_manual;
};

} // namespace vantrel::maintenance
