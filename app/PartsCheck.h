#pragma once

#include <QString>
#include <QStringList>
#include <array>

// Looks, once at start, for the parts the program relies on but that are
// installed on their own (the answer fields' control, the board software,
// the handwriting reader, help, licence, the settings folder) and says in
// plain words what is missing and what still works.
class CPartsCheck
{
public:
    enum EPart
    {
        PenControl,
        BoardSoftware,
        InkComponent,
        Recognizer,
        RecognizerWords,
        HelpPages,
        LicenseFile,
        SettingsFolder,
        PartCount
    };

    // Which parts were found; all present by default.
    struct SFound
    {
        std::array<bool, PartCount> present;
        SFound() { present.fill(true); }
    };

    // The handwriting reader and its model, loaded and checked whole. Needs
    // no window system, so it may run on a thread of its own while the
    // window is built (reading the model is most of the probe's work).
    struct SRecognizerFound
    {
        bool reader = true;
        bool words = true;
    };
    static SRecognizerFound ProbeRecognizer();

    // Probes the installed parts. Needs a QApplication: the answer fields'
    // control is created (and released) to see that it can be. The second
    // form takes the reader's result from ProbeRecognizer run before.
    static SFound Probe();
    static SFound Probe(const SRecognizerFound& recognizer);

    // One sentence per missing part, in the order of EPart. Without the
    // control no answer can be entered at all, so the pen parts behind it
    // are not mentioned then: their sentences promise keyboard input.
    static QStringList Sentences(const SFound& found);
    // The sentences as one text; empty when nothing is missing.
    static QString Report(const SFound& found);

    // Whether settings can be saved: new files can be made in the user's
    // settings folder (or, when it does not exist yet, in the nearest folder
    // above it that does), and the settings file, its lock file and its
    // temporary file are not in the way (something other than a plain file,
    // or a lock file that cannot be opened for writing).
    static bool SettingsFolderWritable();
};
