#include "shell/StartSound.h"

#include "ui/Resources.h"

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
        ui::ensureResources();
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl(QStringLiteral("qrc:/ui/sounds/start.wav")));
    }
    m_effect->play();
}

} // namespace vantrel::shell
