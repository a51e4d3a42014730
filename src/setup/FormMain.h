#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "setup/FormServer.h"

class QLabel;
class QPushButton;

namespace vantrel::setup {

class DistributionFolder;

// The launcher's window: the slide show, the configuration instructions, the
// installation of the full program with the server set-up, the run-time
// libraries and the installation errors, each a small button with its label.
// The label of the button under the mouse turns dark green, the others blue,
// and the hint of the button takes the picture's place.
class FormMain : public QWidget {
    Q_OBJECT
public:
    explicit FormMain(const DistributionFolder& distribution, QWidget* parent = nullptr);

    static constexpr QRgb hoverColour = 0x008000;
    static constexpr QRgb restColour = 0x0000ff;

    FormServer* serverSetup() const { return m_server; }

signals:
    // The installation package was started; the launcher ends.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Entry {
        QPushButton* button;
        QLabel* label;
        QString hint;
    };

    QPushButton* addEntry(QWidget* frame, const char* name, const QString& label,
        const QString& hint, const QString& picture);
    void highlight(const Entry* entry);
    void openDocument(const QString& path);
    void showServerSetup();
    void startRuntime();

    const DistributionFolder& m_distribution;
    QLabel* m_picture;
    QLabel* m_hint;
    QList<Entry> m_entries;
    QPointer<FormServer> m_server;
};

} // namespace vantrel::setup
