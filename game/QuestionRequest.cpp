#include "game/QuestionRequest.h"

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "platform/cli/ModeParser.h"

#include <QTextStream>

namespace {

// The entries of the Setup dialog's number-of-questions list: 10, 15, ... 50.
constexpr int kQuestionListEntries = 9;

// The sets the game would play with the given operators and levels, in
// operator order (the order the Setup dialog hands them over).
std::vector<CParameterSet> SetsFromOptions(const CQuestionRequest& request)
{
    std::vector<CParameterSet> sets;
    for (int op = 0; op < OperatorCount; ++op) {
        const int position = request.operators.indexOf(QLatin1String(OperatorNameOf(op)));
        if (position < 0)
            continue;
        const int shown = request.levels.size() == 1 ? request.levels.front() : request.levels[position];
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(op), shown - 1);
        sets.push_back(set);
    }
    return sets;
}

// The stored choice, read the way the Setup dialog reads it when it opens.
void SetsFromStore(std::vector<CParameterSet>& sets, int& count)
{
    DWORD index = 0;
    RegReadDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, index);
    if (index >= static_cast<DWORD>(kQuestionListEntries))
        index = 0;
    count = 10 + 5 * static_cast<int>(index);

    sets.clear();
    for (int op = 0; op < OperatorCount; ++op) {
        CParameterSet set;
        ApplyDefaults(set, OperatorNameOf(op), 0);
        set.SetBool(ParamKey::Selected, false);
        set.LoadFromRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(op).c_str());
        ReapplyLevelKeepingChoices(set, ClampLevel(GetLevel(set)));
        bool selected = false;
        set.GetBool(ParamKey::Selected, selected);
        if (selected) {
            set.RemoveKey(ParamKey::Selected);
            sets.push_back(set);
        }
    }
}

} // namespace

const char* CQuestionRequest::UsageOptions()
{
    return "[--operators Addition,Subtraction,Multiplication,Division] [--levels 1..5,...] [--count N]"
           " [--seed S] [--settings]";
}

namespace {

const QString kOperators = QStringLiteral("operators");
const QString kLevels = QStringLiteral("levels");
const QString kCount = QStringLiteral("count");
const QString kSeed = QStringLiteral("seed");
const QString kSettings = QStringLiteral("settings");

} // namespace

void CQuestionRequest::Declare(CModeParser& parser)
{
    parser.AddOption({ kOperators, QStringLiteral("Operators to ask, comma-separated (default Addition)."),
        QStringLiteral("LIST") });
    parser.AddOption({ kLevels, QStringLiteral("One level 1 to 5, or one per operator (default 1)."),
        QStringLiteral("LEVELS") });
    parser.AddOption(
        { kCount, QStringLiteral("Number of questions, 1 to 1000 (default 10)."), QStringLiteral("N") });
    parser.AddOption(
        { kSeed, QStringLiteral("Seed of the random draw (default: the clock)."), QStringLiteral("S") });
    parser.AddOption({ kSettings, QStringLiteral("Use the operators, levels and count saved by Setup.") });
}

QString CQuestionRequest::Read(const CModeParser& parser)
{
    settings = parser.IsSet(kSettings);
    if (parser.IsSet(kOperators)) {
        operators.clear();
        for (const QString& name : parser.Value(kOperators).split(QLatin1Char(','))) {
            const QString trimmed = name.trimmed();
            int found = -1;
            for (int op = 0; op < OperatorCount; ++op) {
                if (trimmed.compare(QLatin1String(OperatorNameOf(op)), Qt::CaseInsensitive) == 0)
                    found = op;
            }
            if (found < 0)
                return QStringLiteral("unknown operator: %1").arg(trimmed);
            const QString canonical = QLatin1String(OperatorNameOf(found));
            if (operators.contains(canonical))
                return QStringLiteral("operator given twice: %1").arg(canonical);
            operators << canonical;
        }
    }
    if (parser.IsSet(kLevels)) {
        levels.clear();
        for (const QString& text : parser.Value(kLevels).split(QLatin1Char(','))) {
            bool ok = false;
            const int level = text.trimmed().toInt(&ok);
            if (!ok || level < 1 || level > kLevelCount)
                return QStringLiteral("--levels are 1 to %1: %2").arg(kLevelCount).arg(text);
            levels << level;
        }
    }
    if (parser.IsSet(kCount)) {
        bool ok = false;
        const QString value = parser.Value(kCount);
        count = value.toInt(&ok);
        if (!ok || count < 1 || count > kMaxCount)
            return QStringLiteral("--count is 1 to %1: %2").arg(kMaxCount).arg(value);
    }
    if (parser.IsSet(kSeed)) {
        bool ok = false;
        const QString value = parser.Value(kSeed);
        const unsigned int number = value.toUInt(&ok);
        if (!ok)
            return QStringLiteral("--seed needs a whole number from 0 to 4294967295: %1").arg(value);
        seed = number;
    }
    if (operators.isEmpty())
        operators << QLatin1String(OperatorName::Addition);
    if (levels.isEmpty())
        levels << 1;
    if (levels.size() != 1 && levels.size() != operators.size())
        return QStringLiteral("--levels needs one level, or one per operator");
    return QString();
}

bool CQuestionRequest::Build(CGameModel& model, QTextStream& err) const
{
    bool nothingSelected = false;
    model.SetSetupRunner([&](std::vector<CParameterSet>& sets, int& questionCount) {
        if (settings) {
            SetsFromStore(sets, questionCount);
            nothingSelected = sets.empty();
        } else {
            sets = SetsFromOptions(*this);
            questionCount = count;
        }
        return !sets.empty();
    });
    model.SetMessageSink([&](const QString& text) {
        err << text << '\n';
        err.flush();
    });

    const bool built = model.NewGame(true);
    model.SetSetupRunner({});
    model.SetMessageSink({});
    if (!built) {
        err << (nothingSelected ? "no operator is selected in the stored settings" : "no questions built")
            << '\n';
        err.flush();
    }
    return built;
}
