#include "game/QuestionsCommand.h"

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "game/Random.h"

#include <QTextStream>
#include <optional>

namespace {

// The entries of the Setup dialog's number-of-questions list: 10, 15, ... 50.
constexpr int kQuestionListEntries = 9;
constexpr int kMaxCount = 1000;

struct Options
{
    QStringList operators;
    QList<int> levels; // shown levels 1..5
    int count = CGameModel::kDefaultQuestionCount;
    std::optional<unsigned int> seed;
    bool settings = false;
};

const char* kUsage = "usage: kestavo --questions [--operators Addition,Subtraction,Multiplication,Division]"
                     " [--levels 1..5,...] [--count N] [--seed S] [--settings]";

// Parses the arguments; returns an error text, empty on success.
QString Parse(const QStringList& args, Options& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--questions"))
            continue;
        if (arg == QLatin1String("--settings")) {
            options.settings = true;
            continue;
        }
        const bool takesValue = arg == QLatin1String("--operators") || arg == QLatin1String("--levels")
            || arg == QLatin1String("--count") || arg == QLatin1String("--seed");
        if (!takesValue)
            return QStringLiteral("unknown argument: %1").arg(arg);
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(arg);
        const QString value = args[++i];

        if (arg == QLatin1String("--operators")) {
            options.operators.clear();
            for (const QString& name : value.split(QLatin1Char(','))) {
                const QString trimmed = name.trimmed();
                int found = -1;
                for (int op = 0; op < OperatorCount; ++op) {
                    if (trimmed.compare(QLatin1String(OperatorNameOf(op)), Qt::CaseInsensitive) == 0)
                        found = op;
                }
                if (found < 0)
                    return QStringLiteral("unknown operator: %1").arg(trimmed);
                const QString canonical = QLatin1String(OperatorNameOf(found));
                if (options.operators.contains(canonical))
                    return QStringLiteral("operator given twice: %1").arg(canonical);
                options.operators << canonical;
            }
        } else if (arg == QLatin1String("--levels")) {
            options.levels.clear();
            for (const QString& text : value.split(QLatin1Char(','))) {
                bool ok = false;
                const int level = text.trimmed().toInt(&ok);
                if (!ok || level < 1 || level > kLevelCount)
                    return QStringLiteral("levels are 1 to %1: %2").arg(kLevelCount).arg(text);
                options.levels << level;
            }
        } else if (arg == QLatin1String("--count")) {
            bool ok = false;
            options.count = value.toInt(&ok);
            if (!ok || options.count < 1 || options.count > kMaxCount)
                return QStringLiteral("--count is 1 to %1: %2").arg(kMaxCount).arg(value);
        } else {
            bool ok = false;
            const unsigned int seed = value.toUInt(&ok);
            if (!ok)
                return QStringLiteral("--seed needs a whole number from 0 to 4294967295: %1").arg(value);
            options.seed = seed;
        }
    }
    if (options.operators.isEmpty())
        options.operators << QLatin1String(OperatorName::Addition);
    if (options.levels.isEmpty())
        options.levels << 1;
    if (options.levels.size() != 1 && options.levels.size() != options.operators.size())
        return QStringLiteral("--levels needs one level, or one per operator");
    return QString();
}

// The sets the game would play with the given operators and levels, in
// operator order (the order the Setup dialog hands them over).
std::vector<CParameterSet> SetsFromOptions(const Options& options)
{
    std::vector<CParameterSet> sets;
    for (int op = 0; op < OperatorCount; ++op) {
        const int position = options.operators.indexOf(QLatin1String(OperatorNameOf(op)));
        if (position < 0)
            continue;
        const int shown = options.levels.size() == 1 ? options.levels.front() : options.levels[position];
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

int RunQuestionsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    Options options;
    const QString error = Parse(args, options);
    if (!error.isEmpty()) {
        err << error << '\n' << kUsage << '\n';
        err.flush();
        return 2;
    }

    // The seed goes exactly where the game seeds from the clock: model creation.
    CGameModel model(options.seed ? *options.seed : CRandom::ClockSeed());

    bool nothingSelected = false;
    model.SetSetupRunner([&](std::vector<CParameterSet>& sets, int& count) {
        if (options.settings) {
            SetsFromStore(sets, count);
            nothingSelected = sets.empty();
        } else {
            sets = SetsFromOptions(options);
            count = options.count;
        }
        return !sets.empty();
    });
    model.SetMessageSink([&](const QString& text) {
        err << text << '\n';
        err.flush();
    });

    if (!model.NewGame(true)) {
        err << (nothingSelected ? "no operator is selected in the stored settings" : "no questions built")
            << '\n';
        err.flush();
        return 1;
    }

    for (int i = 0; i < model.GetItemCount(); ++i) {
        const CQuestionItem* item = model.GetItem(i);
        const CQuestion& q = item->question;
        out << (i + 1) << ") " << q.operand1 << ' ' << q.operatorSign << ' ' << q.operand2 << " = "
            << q.result;
        if (q.HasRemainder())
            out << " R " << q.remainder;
        out << "  [?=" << item->unknownPosition << "]\n";
    }
    out.flush();
    return 0;
}
