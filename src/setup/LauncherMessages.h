#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace vantrel::setup {

// The launcher's messages, titled "Vantrel Setup". Tests answer them in advance.
class LauncherMessages {
public:
    using Answerer = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons)>;

    static QMessageBox::StandardButton show(QWidget* parent, QMessageBox::Icon icon,
        const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Empty brings back the real dialogs.
    static void setAnswerer(Answerer answerer);
};

} // namespace vantrel::setup
