#pragma once

#include <cstdint>

// Decides what a request to end the running game does when the teacher has
// asked for protection against stray taps: nothing within the first second of
// a game (the second tap of the double tap that started it), otherwise a
// question to the class. Without protection every request ends the game.
class CEndGameGuard
{
public:
    enum class Decision
    {
        End,
        Ignore,
        Ask
    };

    static constexpr std::int64_t kSettleMs = 1000;

    void SetAskFirst(bool ask) { m_askFirst = ask; }
    bool AskFirst() const { return m_askFirst; }

    // A game began at nowMs (steady clock milliseconds).
    void GameStarted(std::int64_t nowMs) { m_startedMs = nowMs; }

    // STOP, Next on the last question, Game > Stop.
    Decision OnEndRequested(std::int64_t nowMs) const;
    // Closing the program during a game: never a stray tap on the strip, so
    // it is asked about however young the game is.
    Decision OnExitRequested() const { return m_askFirst ? Decision::Ask : Decision::End; }

private:
    bool m_askFirst = false;
    std::int64_t m_startedMs = INT64_MIN;
};
