// The sound module: QSoundEffect behind ISoundBackend.
#include "platform/sound/SoundBackend.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QSoundEffect>
#include <QTimer>

#include <map>
#include <memory>
#include <set>
#include <vector>

Q_LOGGING_CATEGORY(lcSoundModule, "kestavo.platform.sound")

namespace {

// Every effect that exists, so pending loads can be found whoever owns them.
std::set<QSoundEffect*>& AllEffects()
{
    static std::set<QSoundEffect*> effects;
    return effects;
}

// Effects of destroyed players whose load had not finished yet: deleting one
// mid-load is safe for Qt, but the load itself must be over before teardown.
// Never destroyed: deleting an effect after the QApplication is gone is unsafe.
std::vector<std::unique_ptr<QSoundEffect>>& Orphans()
{
    static auto* orphans = new std::vector<std::unique_ptr<QSoundEffect>>;
    return *orphans;
}

bool IsLoading(const QSoundEffect* effect)
{
    return effect->status() == QSoundEffect::Loading;
}

int PendingLoads()
{
    int pending = 0;
    for (const QSoundEffect* effect : AllEffects())
        pending += IsLoading(effect) ? 1 : 0;
    return pending;
}

class CQtSoundBackend : public ISoundBackend
{
public:
    ~CQtSoundBackend() override
    {
        Stop();
        for (auto& entry : m_effects) {
            if (IsLoading(entry.second.get())) {
                entry.second->setMuted(true);
                Orphans().push_back(std::move(entry.second));
            } else {
                AllEffects().erase(entry.second.get());
            }
        }
    }

    void Play(const QUrl& source) override
    {
        Stop();
        auto& effect = m_effects[source.toString()];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            QSoundEffect* raw = effect.get();
            AllEffects().insert(raw);
            QObject::connect(raw, &QSoundEffect::statusChanged, raw, [raw] {
                if (raw->status() == QSoundEffect::Error)
                    qCDebug(lcSoundModule) << "cannot play" << raw->source();
            });
            // Loading is asynchronous; play() before it is ready plays once loaded.
            effect->setSource(source);
        }
        m_current = effect.get();
        m_current->play();
    }

    void Stop() override
    {
        for (auto& entry : m_effects)
            entry.second->stop();
        m_current = nullptr;
    }

    bool IsPlaying() const override { return m_current && m_current->isPlaying(); }

private:
    // One loaded effect per sound, kept so the second play starts at once.
    std::map<QString, std::unique_ptr<QSoundEffect>> m_effects;
    QSoundEffect* m_current = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT ISoundBackend* KestavoCreateSoundBackend()
{
    return new CQtSoundBackend;
}

extern "C" Q_DECL_EXPORT int KestavoPendingSoundLoads()
{
    return PendingLoads();
}

extern "C" Q_DECL_EXPORT void KestavoFinishPendingSoundLoads(int timeoutMs)
{
    if (PendingLoads() > 0) {
        // A load reports its end through a queued signal, so the events must run.
        QEventLoop loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&loop] {
            if (PendingLoads() == 0)
                loop.quit();
        });
        poll.start(5);
        loop.exec();
        if (PendingLoads() > 0)
            qCWarning(lcSoundModule) << PendingLoads() << "sounds still loading after" << timeoutMs << "ms";
    }
    auto& orphans = Orphans();
    for (auto it = orphans.begin(); it != orphans.end();) {
        if (IsLoading(it->get())) {
            ++it;
            continue;
        }
        AllEffects().erase(it->get());
        it = orphans.erase(it);
    }
}
