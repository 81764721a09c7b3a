// Sound without a usable audio device: silent, no error, no hang.
#include "platform/sound/SoundPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <link.h>

namespace {

// Lets queued loading and playback events run for a while.
void spin(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool AudioStackLoaded()
{
    bool found = false;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "libQt6Multimedia"))
                *static_cast<bool*>(data) = true;
            return 0;
        },
        &found);
    return found;
}

} // namespace

// Loading the audio stack costs a start a good part of its time: a player
// made at start loads nothing; the stack comes with Prepare or the first sound.
TEST(SoundPlayer, AudioStackComesWithTheFirstSoundNotThePlayer)
{
    EXPECT_FALSE(AudioStackLoaded());
    CSoundPlayer player;
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(AudioStackLoaded());
    player.Prepare();
    EXPECT_TRUE(AudioStackLoaded());
}

TEST(SoundPlayer, PlayCutOffAndStopNeverFail)
{
    CSoundPlayer player;
    EXPECT_TRUE(player.CurrentSource().isEmpty());
    EXPECT_EQ(CSoundPlayer::WaveResource(147), QUrl(QStringLiteral("qrc:/wave/147.wav")));

    // Whatever the machine's audio: both calls return and the program goes on.
    const QUrl a = QUrl::fromLocalFile(QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/resources/wave/147.wav"));
    const QUrl b = QUrl::fromLocalFile(QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/resources/wave/148.wav"));
    ASSERT_TRUE(QFile::exists(a.toLocalFile()));
    player.Play(a);
    EXPECT_EQ(player.CurrentSource(), a);
    spin(50);
    player.Play(b); // cuts off the first
    EXPECT_EQ(player.CurrentSource(), b);
    spin(50);
    player.Stop();
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(player.CurrentSource().isEmpty());
    player.Play(a); // a second play of a loaded sound
    spin(20);
    player.Stop();
    player.Stop();
}

TEST(SoundPlayer, UnreadableOrMissingSoundIsSilent)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.wav"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24);
    f.close();

    CSoundPlayer player;
    player.Play(QUrl::fromLocalFile(junk));
    spin(100);
    EXPECT_FALSE(player.IsPlaying());
    player.Play(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.wav"))));
    spin(100);
    EXPECT_FALSE(player.IsPlaying());
    player.Stop();
}

// A player destroyed while its sound is still being read must not leave the
// load running into the application's teardown.
TEST(SoundPlayer, LoadsOfDestroyedPlayersAreFinishedBeforeTeardown)
{
    const QUrl a = QUrl::fromLocalFile(QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/resources/wave/147.wav"));
    const QUrl b = QUrl::fromLocalFile(QStringLiteral(KESTAVO_TEST_SOURCE_DIR "/resources/wave/148.wav"));
    {
        CSoundPlayer player;
        player.Play(a);
        player.Play(b);
        EXPECT_EQ(CSoundPlayer::PendingLoads(), 2);
    }
    // Loading finishes only through queued events, which have not run yet.
    EXPECT_EQ(CSoundPlayer::PendingLoads(), 2);
    CSoundPlayer::FinishPendingLoads();
    EXPECT_EQ(CSoundPlayer::PendingLoads(), 0);
}
