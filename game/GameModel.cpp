#include "game/GameModel.h"

#include "game/QuestionGenerator.h"
#include "game/Random.h"
#include "resources/StringTable.h"

#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcGameModel, "kestavo.game.model")

CGameModel::CGameModel()
    : CGameModel(CRandom::ClockSeed())
{
}

CGameModel::CGameModel(unsigned int seed)
{
    CRandom::Seed(seed);
}

CGameModel::~CGameModel() = default;

bool CGameModel::NewGame(bool showSetup)
{
    if (showSetup) {
        if (!m_setupRunner) {
            qCWarning(lcGameModel) << "no Setup dialog to run";
            return false;
        }
        std::vector<CParameterSet> selected;
        int count = 0;
        if (!m_setupRunner(selected, count))
            return false;
        if (!selected.empty())
            m_operatorSets = std::move(selected);
        if (count > 0)
            m_questionCount = count;
        m_requestedCount = count;
    } else if (m_requestedCount > 0) {
        m_questionCount = m_requestedCount;
    }

    BuildQuestions();

    if (m_questionCount < m_requestedCount) {
        const QString text = LoadResString(kShortfallMessageId);
        if (m_messageSink)
            m_messageSink(text);
        else
            qCWarning(lcGameModel).noquote() << text;
    }
    return true;
}

void CGameModel::BuildQuestions()
{
    if (m_operatorSets.empty() || m_questionCount <= 0)
        return;

    const size_t setCount = m_operatorSets.size();
    const size_t wanted = static_cast<size_t>(m_questionCount);
    const size_t slotCount = setCount * wanted;
    std::vector<CQuestion> pool;
    pool.reserve(wanted);

    // The chosen operators take turns; a slot whose operator keeps producing
    // questions already in the pool gives up after a fixed number of tries.
    for (size_t slot = 0; slot < slotCount && pool.size() < wanted; ++slot) {
        const CParameterSet& set = m_operatorSets[slot % setCount];
        for (int generation = 0; generation < kGenerationsPerSlot; ++generation) {
            CQuestion question;
            GenerateQuestion(question, set);
            const bool duplicate = std::any_of(
                pool.begin(), pool.end(), [&](const CQuestion& q) { return q.SameTexts(question); });
            if (!duplicate) {
                pool.push_back(question);
                break;
            }
        }
    }

    if (!pool.empty()) {
        m_questionCount = static_cast<int>(pool.size());

        std::vector<CQuestion> order;
        order.reserve(pool.size());
        while (pool.size() > 1) {
            const size_t k = static_cast<size_t>(CRandom::Next()) % pool.size();
            order.push_back(std::move(pool[k]));
            pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(k));
        }
        order.push_back(std::move(pool.front()));

        m_items.clear();
        for (const CQuestion& question : order) {
            auto item = std::make_unique<CQuestionItem>();
            item->SetQuestion(question);
            m_items.push_back(std::move(item));
        }
    }

    Notify(&CGameListener::OnQuestionsBuilt);
}

CQuestionItem* CGameModel::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

void CGameModel::AddListener(CGameListener* listener)
{
    if (!listener || std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
        return;
    m_listeners.push_back(listener);
}

void CGameModel::RemoveListener(CGameListener* listener)
{
    const auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it != m_listeners.end())
        m_listeners.erase(it);
}

void CGameModel::OnPrevious()
{
    Notify(&CGameListener::OnPrevious);
}

void CGameModel::OnNext()
{
    Notify(&CGameListener::OnNext);
}

void CGameModel::OnCheck()
{
    Notify(&CGameListener::OnCheck);
}

void CGameModel::OnHint()
{
    Notify(&CGameListener::OnHint);
}

bool CGameModel::StopGame()
{
    Notify(&CGameListener::OnStop);
    return true;
}

void CGameModel::Notify(void (CGameListener::*operation)())
{
    // A listener may register or unregister others (or itself) during the
    // call, e.g. the frame replacing the game view by the summary view: look
    // each listener up again by index and never run past the current end.
    const size_t count = m_listeners.size();
    for (size_t i = 0; i < count; ++i) {
        if (i >= m_listeners.size())
            break;
        CGameListener* listener = m_listeners[i];
        (listener->*operation)();
    }
}
