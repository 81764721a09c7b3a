#include "game/GameModel.h"

#include "config/OperatorSettings.h"
#include "resources/StringTable.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

CParameterSet Defaults(const char* op, int level)
{
    CParameterSet set;
    ApplyDefaults(set, op, level);
    return set;
}

// A Setup that confirms with the given sets and number of questions.
CGameModel::SetupRunner Confirm(std::vector<CParameterSet> sets, int count)
{
    return [sets, count](std::vector<CParameterSet>& selected, int& questionCount) {
        selected = sets;
        questionCount = count;
        return true;
    };
}

std::string Key(const CQuestion& q)
{
    return (q.operand1 + q.operatorSign + q.operand2 + "=" + q.result + "R" + q.remainder).toStdString();
}

class RecordingListener : public CGameListener
{
public:
    RecordingListener(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name))
        , m_log(log)
    {
    }
    void OnQuestionsBuilt() override { Record("built"); }
    void OnPrevious() override { Record("previous"); }
    void OnNext() override { Record("next"); }
    void OnCheck() override { Record("check"); }
    void OnHint() override { Record("hint"); }
    void OnStop() override { Record("stop"); }

    std::function<void()> onNext;

private:
    void Record(const char* what)
    {
        m_log.push_back(m_name + ":" + what);
        if (std::string(what) == "next" && onNext)
            onNext();
    }

    std::string m_name;
    std::vector<std::string>& m_log;
};

TEST(GameModelTest, TooManyQuestionsForTheLevelIsReportedOnce)
{
    CGameModel model(42);
    std::vector<QString> messages;
    model.SetMessageSink([&](const QString& text) { messages.push_back(text); });
    model.SetSetupRunner(Confirm({ Defaults(OperatorName::Addition, 0) }, 50));

    ASSERT_TRUE(model.NewGame(true));
    EXPECT_EQ(model.GetRequestedCount(), 50);
    EXPECT_LT(model.GetQuestionCount(), 40)
        << "addition at the first level has fewer than 40 distinct questions";
    EXPECT_GT(model.GetQuestionCount(), 10);
    EXPECT_EQ(model.GetItemCount(), model.GetQuestionCount());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front(), LoadResString(150));
    EXPECT_TRUE(
        messages.front().startsWith(QStringLiteral("The number of questions that you\u2019ve specified")));

    std::map<std::string, int> seen;
    for (int i = 0; i < model.GetItemCount(); ++i)
        EXPECT_EQ(++seen[Key(model.GetItem(i)->question)], 1)
            << "duplicate " << Key(model.GetItem(i)->question);

    // "Keep learning level" asks for the requested 50 again and reports again.
    ASSERT_TRUE(model.NewGame(false));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_LT(model.GetQuestionCount(), 50);
}

TEST(GameModelTest, OperatorsShareTheGameAndTheOrderIsShuffled)
{
    CGameModel model(7);
    model.SetSetupRunner(
        Confirm({ Defaults(OperatorName::Addition, 2), Defaults(OperatorName::Multiplication, 2) }, 10));
    ASSERT_TRUE(model.NewGame(true));
    ASSERT_EQ(model.GetItemCount(), 10);
    EXPECT_EQ(model.GetQuestionCount(), 10);

    int additions = 0;
    bool alternating = true;
    for (int i = 0; i < 10; ++i) {
        const QString& sign = model.GetItem(i)->question.operatorSign;
        additions += sign == QStringLiteral("+");
        // Before the shuffle the pool alternates +, x, +, x ...
        if (sign != (i % 2 == 0 ? QStringLiteral("+") : QStringLiteral("x")))
            alternating = false;
    }
    EXPECT_EQ(additions, 5);
    EXPECT_FALSE(alternating) << "the questions were not shuffled";
    EXPECT_EQ(model.GetOperatorSets().size(), 2u);
}

TEST(GameModelTest, SameSeedSameGame)
{
    auto build = [](unsigned seed) {
        CGameModel model(seed);
        model.SetSetupRunner(Confirm({ Defaults(OperatorName::Division, 1) }, 20));
        model.NewGame(true);
        std::vector<std::string> keys;
        for (int i = 0; i < model.GetItemCount(); ++i)
            keys.push_back(
                Key(model.GetItem(i)->question) + std::to_string(model.GetItem(i)->unknownPosition));
        return keys;
    };
    EXPECT_EQ(build(99), build(99));
    EXPECT_NE(build(99), build(100));
}

TEST(GameModelTest, UnknownPositionFollowsTheAlgebraFlag)
{
    CGameModel model(3);
    CParameterSet plain = Defaults(OperatorName::Multiplication, 3);
    model.SetSetupRunner(Confirm({ plain }, 50));
    ASSERT_TRUE(model.NewGame(true));
    for (int i = 0; i < model.GetItemCount(); ++i)
        EXPECT_EQ(model.GetItem(i)->unknownPosition, 2);

    CParameterSet algebra = plain;
    algebra.SetBool(ParamKey::AlgebraMode, true);
    model.SetSetupRunner(Confirm({ algebra }, 50));
    int counts[3] = {};
    int total = 0;
    for (int game = 0; game < 40; ++game) {
        ASSERT_TRUE(model.NewGame(true));
        for (int i = 0; i < model.GetItemCount(); ++i) {
            const int position = model.GetItem(i)->unknownPosition;
            ASSERT_TRUE(position >= 0 && position <= 2);
            ++counts[position];
            ++total;
        }
    }
    for (int count : counts) {
        EXPECT_GT(count, total / 4);
        EXPECT_LT(count, total * 5 / 12);
    }
}

TEST(GameModelTest, NewGameWithoutSetupOrWhenCancelled)
{
    CGameModel model(5);
    int messages = 0;
    model.SetMessageSink([&](const QString&) { ++messages; });
    std::vector<std::string> log;
    RecordingListener listener("view", log);
    model.AddListener(&listener);

    // No confirmed Setup yet: nothing to build, nothing reported.
    EXPECT_TRUE(model.NewGame(false));
    EXPECT_EQ(model.GetItemCount(), 0);
    EXPECT_EQ(messages, 0);
    EXPECT_TRUE(log.empty()) << "a build without sets notifies nobody";

    model.SetSetupRunner(Confirm({ Defaults(OperatorName::Subtraction, 2) }, 15));
    ASSERT_TRUE(model.NewGame(true));
    ASSERT_EQ(model.GetItemCount(), 15);
    EXPECT_EQ(log, std::vector<std::string> { "view:built" });
    const std::string first = Key(model.GetItem(0)->question);

    model.SetSetupRunner([](std::vector<CParameterSet>&, int&) { return false; });
    EXPECT_FALSE(model.NewGame(true));
    EXPECT_EQ(model.GetItemCount(), 15);
    EXPECT_EQ(Key(model.GetItem(0)->question), first);

    // Confirmed without operators: the previous sets stay and the count changes.
    model.SetSetupRunner(Confirm({}, 20));
    EXPECT_TRUE(model.NewGame(true));
    EXPECT_EQ(model.GetItemCount(), 20);
    EXPECT_EQ(model.GetItem(0)->question.operatorSign, QStringLiteral("-"));
    EXPECT_EQ(messages, 0);

    model.RemoveListener(&listener);
}

TEST(GameModelTest, RebuildingReplacesEveryItem)
{
    CGameModel model(11);
    model.SetSetupRunner(Confirm({ Defaults(OperatorName::Addition, 3) }, 10));
    ASSERT_TRUE(model.NewGame(true));
    model.GetItem(0)->answerState = QStringLiteral("saved");
    model.BuildQuestions();
    ASSERT_EQ(model.GetItemCount(), 10);
    for (int i = 0; i < model.GetItemCount(); ++i)
        EXPECT_TRUE(model.GetItem(i)->answerState.isNull());
    EXPECT_EQ(model.GetItem(-1), nullptr);
    EXPECT_EQ(model.GetItem(10), nullptr);
    EXPECT_NE(model.GetItem(9), nullptr);
}

TEST(GameModelTest, RelaysReachListenersInOrderOnce)
{
    CGameModel model(1);
    std::vector<std::string> log;
    RecordingListener a("a", log);
    RecordingListener b("b", log);
    model.AddListener(&a);
    model.AddListener(&b);
    model.AddListener(&a);
    model.OnPrevious();
    model.OnCheck();
    model.OnHint();
    EXPECT_TRUE(model.StopGame());
    EXPECT_EQ(log,
        (std::vector<std::string> {
            "a:previous", "b:previous", "a:check", "b:check", "a:hint", "b:hint", "a:stop", "b:stop" }));

    log.clear();
    model.RemoveListener(&a);
    model.RemoveListener(&a);
    model.OnNext();
    EXPECT_EQ(log, std::vector<std::string> { "b:next" });
}

TEST(GameModelTest, ListenersMayChangeTheListDuringANotification)
{
    // The game view ends the game on Next: the frame removes it and registers
    // the summary view while the notification is still running.
    CGameModel model(1);
    std::vector<std::string> log;
    RecordingListener view("view", log);
    RecordingListener strip("strip", log);
    RecordingListener summary("summary", log);
    model.AddListener(&view);
    model.AddListener(&strip);
    view.onNext = [&] {
        model.RemoveListener(&view);
        model.AddListener(&summary);
    };
    model.OnNext();
    // Index 1 now holds the summary view; the strip moved to index 0 and is
    // not called again this round; nothing past the starting count runs.
    EXPECT_EQ(log, (std::vector<std::string> { "view:next", "summary:next" }));

    // Shrinking below the current index ends the round without touching freed slots.
    log.clear();
    RecordingListener last("last", log);
    model.AddListener(&last);
    strip.onNext = [&] {
        model.RemoveListener(&summary);
        model.RemoveListener(&last);
    };
    model.OnNext();
    EXPECT_EQ(log, std::vector<std::string> { "strip:next" });
}

} // namespace
