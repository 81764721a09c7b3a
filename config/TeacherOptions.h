#pragma once

// Classroom choices a teacher makes once, kept as numbers under the program's
// key of the user's settings, beside the question count.
class CTeacherOptions
{
public:
    static constexpr const char* kAskBeforeEndingValue = "AskBeforeEndingGame";
    static constexpr const char* kSummaryMarksValue = "SummaryMarks";

    // "Ask before ending a game": off unless the teacher turned it on.
    static bool AskBeforeEndingGame();
    // False when the choice could not be saved.
    static bool SetAskBeforeEndingGame(bool ask);

    // Ticks and crosses beside the summary's rows: on unless turned off.
    static bool SummaryMarks();
    static bool SetSummaryMarks(bool shown);
};
