#include "shell/StartSound.h"

#include "shell/ShellResources.h"

#include <QSoundEffect>
#include <QUrl>

namespace vantrel::shell {

StartSound::StartSound(QObject* parent)
    : QObject(parent)
{
}

void StartSound::play()
{
    if (!m_effect) {
        ensureShellResources();
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl(QStringLiteral("qrc:/shell/sounds/start.wav")));
    }
    m_effect->play();
}

} // namespace vantrel::shell
