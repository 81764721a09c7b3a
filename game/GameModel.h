#pragma once

#include "config/ParameterSet.h"
#include "game/GameListener.h"
#include "game/QuestionItem.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// The single object behind a game: the chosen operators' settings, the number
// of questions, the questions in playing order and the registered listeners.
// Creating it seeds CRandom (from the clock unless a seed is given).
class CGameModel
{
public:
    // Runs the Setup dialog. Returns false when it was cancelled; on OK fills
    // selectedSets with copies of the chosen operators' sets in operator order
    // (without their "Selected" key) and questionCount with the chosen number.
    using SetupRunner = std::function<bool(std::vector<CParameterSet>& selectedSets, int& questionCount)>;
    // Shows a message to the user (the program uses a message box).
    using MessageSink = std::function<void(const QString& text)>;

    static constexpr int kDefaultQuestionCount = 10;
    // Generations per question slot before the slot is given up as a duplicate.
    static constexpr int kGenerationsPerSlot = 150;
    // String resource of the too-many-questions message.
    static constexpr int kShortfallMessageId = 150;

    CGameModel();
    explicit CGameModel(unsigned int seed);
    ~CGameModel();
    CGameModel(const CGameModel&) = delete;
    CGameModel& operator=(const CGameModel&) = delete;

    void SetSetupRunner(SetupRunner runner) { m_setupRunner = std::move(runner); }
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

    // With showSetup, runs Setup and takes its sets and number of questions;
    // without, rebuilds with the sets already held. Reports a shortfall through
    // the message sink. False only when Setup was cancelled (or none is set).
    bool NewGame(bool showSetup);
    // Builds questionCount distinct questions from the held sets, shuffles
    // them, replaces every item and notifies OnQuestionsBuilt.
    void BuildQuestions();

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Null when index is out of range.
    CQuestionItem* GetItem(int index) const;

    int GetQuestionCount() const { return m_questionCount; }
    int GetRequestedCount() const { return m_requestedCount; }
    const std::vector<CParameterSet>& GetOperatorSets() const { return m_operatorSets; }

    // Not owned; a listener registered twice is kept once.
    void AddListener(CGameListener* listener);
    void RemoveListener(CGameListener* listener);

    // Command relays to every listener in registration order.
    void OnPrevious();
    void OnNext();
    void OnCheck();
    void OnHint();
    bool StopGame();

private:
    void Notify(void (CGameListener::*operation)());

    std::vector<CGameListener*> m_listeners;
    std::vector<std::unique_ptr<CQuestionItem>> m_items;
    std::vector<CParameterSet> m_operatorSets;
    int m_questionCount = kDefaultQuestionCount;
    int m_requestedCount = kDefaultQuestionCount;
    SetupRunner m_setupRunner;
    MessageSink m_messageSink;
};
