#include "platform/sound/SoundPlayer.h"

#include "platform/sound/SoundBackend.h"

#include <QLoggingCategory>
#include <atomic>
#include <dlfcn.h>
#include <mutex>
#include <string>

Q_LOGGING_CATEGORY(lcSound, "kestavo.platform.sound")

namespace {

struct SSoundModule
{
    KestavoCreateSoundBackendFn create = nullptr;
    KestavoFinishPendingSoundLoadsFn finish = nullptr;
    KestavoPendingSoundLoadsFn pending = nullptr;
};

std::once_flag g_loadOnce;
SSoundModule g_module;
std::atomic<bool> g_loaded { false }; // set once, under g_loadOnce, after g_module

// The folder of this library: the module is installed (and built) beside it.
std::string OwnFolder()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || !info.dli_fname)
        return std::string();
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Loads the module once; it is never unloaded (Qt Multimedia's threads outlive
// every player). Missing or broken: the program stays silent.
const SSoundModule& Module()
{
    std::call_once(g_loadOnce, [] {
        const std::string path = OwnFolder() + KESTAVO_SOUND_MODULE;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            qCWarning(lcSound) << "no sound:" << dlerror();
            return;
        }
        SSoundModule module;
        module.create = reinterpret_cast<KestavoCreateSoundBackendFn>(dlsym(handle, "KestavoCreateSoundBackend"));
        module.finish
            = reinterpret_cast<KestavoFinishPendingSoundLoadsFn>(dlsym(handle, "KestavoFinishPendingSoundLoads"));
        module.pending = reinterpret_cast<KestavoPendingSoundLoadsFn>(dlsym(handle, "KestavoPendingSoundLoads"));
        if (!module.create || !module.finish || !module.pending) {
            qCWarning(lcSound) << "no sound:" << path.c_str() << "lacks its entry points";
            return;
        }
        g_module = module;
        g_loaded = true;
    });
    return g_module;
}

} // namespace

CSoundPlayer::CSoundPlayer(QObject* parent)
    : QObject(parent)
{
}

void CSoundPlayer::Prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    if (const auto create = Module().create)
        m_backend.reset(create());
}

CSoundPlayer::~CSoundPlayer() = default;

int CSoundPlayer::PendingLoads()
{
    // Without a player ever made the module is not loaded and nothing loads.
    return g_loaded ? g_module.pending() : 0;
}

void CSoundPlayer::FinishPendingLoads(int timeoutMs)
{
    if (g_loaded)
        g_module.finish(timeoutMs);
}

QUrl CSoundPlayer::WaveResource(int id)
{
    return QUrl(QStringLiteral("qrc:/wave/%1.wav").arg(id));
}

void CSoundPlayer::Play(const QUrl& source)
{
    m_current = source;
    Prepare();
    if (m_backend)
        m_backend->Play(source);
}

void CSoundPlayer::Stop()
{
    m_current = QUrl();
    if (m_backend)
        m_backend->Stop();
}

QUrl CSoundPlayer::CurrentSource() const
{
    return m_current;
}

bool CSoundPlayer::IsPlaying() const
{
    return m_backend && m_backend->IsPlaying();
}
