// Question generation and game builds. A build costs most when slots run out of
// variety: each such slot spends all 150 generations on duplicates. Four
// operators at the first level still fill 50 questions (multiplication and
// division have 81 distinct questions each); addition alone cannot. The upper
// bound is four operators that can each make only one question: 4 x 50 slots,
// nearly all of them spending 150 generations.

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "game/QuestionGenerator.h"
#include "game/Random.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateQuestion(benchmark::State& state)
{
    const int op = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    CParameterSet set;
    ApplyDefaults(set, OperatorNameOf(op), level);
    state.SetLabel(std::string(OperatorNameOf(op)) + " level " + std::to_string(level + 1));
    CRandom::Seed(1);
    for (auto _ : state) {
        CQuestion question;
        benchmark::DoNotOptimize(GenerateQuestion(question, set));
    }
}
BENCHMARK(BM_GenerateQuestion)->ArgsProduct({ { 0, 1, 2, 3 }, { 0, 1, 2, 3, 4 } });

void BuildGame(
    benchmark::State& state, std::vector<int> operators, int level, int count, bool oneQuestionEach = false)
{
    std::vector<CParameterSet> sets;
    for (int op : operators) {
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(op), level);
        if (oneQuestionEach) {
            set.SetInt(ParamKey::OperandMin, 2);
            set.SetInt(ParamKey::OperandMax, 2);
        }
        sets.push_back(set);
    }
    CGameModel model(1);
    model.SetSetupRunner([&](std::vector<CParameterSet>& selected, int& questions) {
        selected = sets;
        questions = count;
        return true;
    });
    int shortfalls = 0;
    model.SetMessageSink([&](const QString&) { ++shortfalls; });
    for (auto _ : state)
        model.NewGame(true);
    state.counters["questions"] = model.GetQuestionCount();
    state.counters["shortfall"] = shortfalls > 0 ? 1 : 0;
}

void BM_BuildWorstFourOperatorsLevel1(benchmark::State& state)
{
    BuildGame(state, { OpAddition, OpSubtraction, OpMultiplication, OpDivision }, 0, 50);
}
BENCHMARK(BM_BuildWorstFourOperatorsLevel1)->Unit(benchmark::kMillisecond);

void BM_BuildAdditionLevel1(benchmark::State& state)
{
    BuildGame(state, { OpAddition }, 0, 50);
}
BENCHMARK(BM_BuildAdditionLevel1)->Unit(benchmark::kMillisecond);

void BM_BuildFourOperatorsLevel3(benchmark::State& state)
{
    BuildGame(state, { OpAddition, OpSubtraction, OpMultiplication, OpDivision }, 2, 50);
}
BENCHMARK(BM_BuildFourOperatorsLevel3)->Unit(benchmark::kMillisecond);

void BM_BuildUpperBoundNoVariety(benchmark::State& state)
{
    BuildGame(state, { OpAddition, OpSubtraction, OpMultiplication, OpDivision }, 0, 50, true);
}
BENCHMARK(BM_BuildUpperBoundNoVariety)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
