#pragma once

#include <QObject>
#include <QUrl>
#include <memory>

class ISoundBackend;

// Plays short wave sounds asynchronously. A new sound cuts off the one still
// playing. Without an audio device (or with an unreadable sound, or without
// the sound module) it stays silent: never an error, never a wait. The audio
// stack is loaded with the first sound (or Prepare), not with the player: a
// player made at start costs the start nothing.
class CSoundPlayer : public QObject
{
    Q_OBJECT
public:
    explicit CSoundPlayer(QObject* parent = nullptr);
    ~CSoundPlayer() override;

    // The url of a wave resource by id: qrc:/wave/<id>.wav.
    static QUrl WaveResource(int id);

    // Loads the audio stack now, if not yet, so that the first sound does not
    // wait for it.
    void Prepare();
    // Starts the sound and returns at once.
    void Play(const QUrl& source);
    // Stops any playing sound.
    void Stop();

    // The last sound asked for (empty after construction).
    QUrl CurrentSource() const;
    // Whether a sound is audible right now.
    bool IsPlaying() const;

    // Qt reads a sound in a loader thread that keeps going after its player is
    // gone and touches the plugin loader, which tearing down the QApplication
    // frees underneath it. Call this before the QApplication is destroyed: it
    // lets loads still running finish (at most timeoutMs) and frees the sounds
    // of players already destroyed.
    static void FinishPendingLoads(int timeoutMs = 3000);
    // How many sounds are still being read, of live and destroyed players.
    static int PendingLoads();

private:
    std::unique_ptr<ISoundBackend> m_backend; // null before Prepare and without the sound module
    bool m_prepared = false;
    QUrl m_current;
};
