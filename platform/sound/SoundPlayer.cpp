#include "platform/sound/SoundPlayer.h"

#include <QLoggingCategory>
#include <QSoundEffect>

Q_LOGGING_CATEGORY(lcSound, "kestavo.platform.sound")

CSoundPlayer::CSoundPlayer(QObject* parent)
    : QObject(parent)
{
}

CSoundPlayer::~CSoundPlayer()
{
    Stop();
}

QUrl CSoundPlayer::WaveResource(int id)
{
    return QUrl(QStringLiteral("qrc:/wave/%1.wav").arg(id));
}

void CSoundPlayer::Play(const QUrl& source)
{
    Stop();
    auto& effect = m_effects[source.toString()];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        QSoundEffect* raw = effect.get();
        connect(raw, &QSoundEffect::statusChanged, this, [raw] {
            if (raw->status() == QSoundEffect::Error)
                qCDebug(lcSound) << "cannot play" << raw->source();
        });
        // Loading is asynchronous; play() before it is ready plays once loaded.
        effect->setSource(source);
    }
    m_current = effect.get();
    m_current->play();
}

void CSoundPlayer::Stop()
{
    for (auto& entry : m_effects)
        entry.second->stop();
    m_current = nullptr;
}

QUrl CSoundPlayer::CurrentSource() const
{
    return m_current ? m_current->source() : QUrl();
}

bool CSoundPlayer::IsPlaying() const
{
    return m_current && m_current->isPlaying();
}
