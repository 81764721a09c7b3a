#pragma once

#include <QUrl>

// The half of the sound player that needs Qt Multimedia. It lives in its own
// module (libkestavo-sound.so), loaded when the first player is made, so that
// starting the program does not load the audio stack and its codecs before the
// first screen.
class ISoundBackend
{
public:
    virtual ~ISoundBackend() = default;
    virtual void Play(const QUrl& source) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// The module's entry points, looked up by these names.
extern "C" {
using KestavoCreateSoundBackendFn = ISoundBackend* (*)();
using KestavoFinishPendingSoundLoadsFn = void (*)(int timeoutMs);
using KestavoPendingSoundLoadsFn = int (*)();
}
#define KESTAVO_SOUND_MODULE "libkestavo-sound.so"
