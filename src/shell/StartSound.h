#pragma once

#include <QObject>

class QSoundEffect;

namespace vantrel::shell {

// The sound that greets the user when the main window comes up. Without a
// sound device nothing is heard and nothing else changes.
class StartSound : public QObject {
    Q_OBJECT
public:
    explicit StartSound(QObject* parent = nullptr);

    void play();

private:
    QSoundEffect* m_effect = nullptr;
};

} // namespace vantrel::shell
