#include "game/QuestionsCommand.h"

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "game/Random.h"
#include "platform/cli/ModeParser.h"

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

const QString kOperators = QStringLiteral("operators");
const QString kLevels = QStringLiteral("levels");
const QString kCount = QStringLiteral("count");
const QString kSeed = QStringLiteral("seed");
const QString kSettings = QStringLiteral("settings");

void Declare(CModeParser& parser)
{
    parser.AddModeFlag(QStringLiteral("questions"));
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

// Reads the parsed options; returns an error text, empty on success.
QString Read(const CModeParser& parser, Options& options)
{
    options.settings = parser.IsSet(kSettings);
    if (parser.IsSet(kOperators)) {
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
            if (options.operators.contains(canonical))
                return QStringLiteral("operator given twice: %1").arg(canonical);
            options.operators << canonical;
        }
    }
    if (parser.IsSet(kLevels)) {
        for (const QString& text : parser.Value(kLevels).split(QLatin1Char(','))) {
            bool ok = false;
            const int level = text.trimmed().toInt(&ok);
            if (!ok || level < 1 || level > kLevelCount)
                return QStringLiteral("--levels are 1 to %1: %2").arg(kLevelCount).arg(text);
            options.levels << level;
        }
    }
    if (parser.IsSet(kCount)) {
        bool ok = false;
        options.count = parser.Value(kCount).toInt(&ok);
        if (!ok || options.count < 1 || options.count > kMaxCount)
            return QStringLiteral("--count is 1 to %1: %2").arg(kMaxCount).arg(parser.Value(kCount));
    }
    if (parser.IsSet(kSeed)) {
        bool ok = false;
        const unsigned int seed = parser.Value(kSeed).toUInt(&ok);
        if (!ok)
            return QStringLiteral("--seed needs a whole number from 0 to 4294967295: %1")
                .arg(parser.Value(kSeed));
        options.seed = seed;
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
    CModeParser parser(
        QStringLiteral("kestavo --questions [--operators Addition,Subtraction,Multiplication,Division]"
                       " [--levels 1..5,...] [--count N] [--seed S] [--settings]"),
        QStringLiteral("Prints one game, a question per line in playing order."));
    Declare(parser);
    if (const int code = parser.Parse(args, out, err); code >= 0)
        return code;
    Options options;
    if (const QString error = Read(parser, options); !error.isEmpty())
        return parser.Reject(error, err);

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
