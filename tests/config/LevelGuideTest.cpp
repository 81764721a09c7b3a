// The help's levels table: built from the game's level defaults, shipped as
// built, and true of the questions the generators ask at each level.
#include "config/LevelGuide.h"

#include "config/OperatorSettings.h"
#include "game/QuestionGenerator.h"
#include "game/Random.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The numbers written in a cell ("up to 1,000, ... up to 1,000,000").
std::vector<double> numbersIn(const QString& text)
{
    std::vector<double> out;
    static const QRegularExpression number(QStringLiteral("-?\\d[\\d,]*"));
    for (auto it = number.globalMatch(text); it.hasNext();)
        out.push_back(it.next().captured().remove(QLatin1Char(',')).toDouble());
    return out;
}

int placesOf(const QString& text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? 0 : static_cast<int>(text.size() - dot - 1);
}

enum Column
{
    Level,
    AddSub,
    Multiplication,
    Division,
    Decimals,
    Style,
    Other
};

} // namespace

TEST(LevelGuide, ShippedPageHoldsTheTableBuiltFromTheLevelDefaults)
{
    // The English page is written with English numbers, whatever the machine's locale.
    QLocale::setDefault(QLocale(QLocale::English));
    QFile built(QStringLiteral(KESTAVO_TEST_DATA_DIR "/help/levels.html"));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(built.readAll());
    EXPECT_TRUE(page.contains(CLevelGuide::TableHtml()));
    EXPECT_FALSE(page.contains(QString::fromLatin1(CLevelGuide::kMarker)));
    EXPECT_TRUE(CLevelGuide::FillTemplate(QStringLiteral("<p>no marker</p>")).isEmpty());

    const auto rows = CLevelGuide::Rows();
    ASSERT_EQ(rows.size(), size_t(kLevelCount));
    for (const auto& row : rows) {
        ASSERT_EQ(row.cells.size(), CLevelGuide::Headers().size());
        CParameterSet set;
        ApplyDefaults(set, OperatorName::Addition, row.level);
        int lo = -1, hi = -1;
        set.GetInt(ParamKey::OperandMin, lo);
        set.GetInt(ParamKey::OperandMax, hi);
        EXPECT_EQ(row.operandMin, lo);
        EXPECT_EQ(row.operandMax, hi);
    }
}

// Each language's page is written in that language, its numbers grouped as the
// language groups them, and never left with the template's marker.
TEST(LevelGuide, EachLanguageHasItsOwnPage)
{
    const struct
    {
        const char* code;
        const char* header;
        const char* thousand;
    } pages[] = { { "de", "<th>Stufe</th>", "1.000" }, { "fr", "<th>Niveau</th>", "1\u202f000" },
        { "es", "<th>Nivel</th>", "1000" }, { "pt_BR", "<th>Nível</th>", "1.000" } };
    for (const auto& p : pages) {
        QFile built(QStringLiteral(KESTAVO_TEST_DATA_DIR "/help/%1/levels.html").arg(QLatin1String(p.code)));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << p.code;
        const QString page = QString::fromUtf8(built.readAll());
        EXPECT_TRUE(page.contains(QString::fromUtf8(p.header))) << p.code;
        EXPECT_TRUE(page.contains(QString::fromUtf8(p.thousand))) << p.code;
        EXPECT_FALSE(page.contains(QStringLiteral("numbers 0 to 10"))) << p.code << ": English table";
        EXPECT_FALSE(page.contains(QString::fromLatin1(CLevelGuide::kMarker))) << p.code;
        EXPECT_TRUE(page.contains(QStringLiteral("href=\"../style.css\""))) << p.code;
    }
}

// Every question a level's defaults produce stays within what its row says,
// and the row's largest numbers are really reached in size (no understating,
// no gross overstating).
TEST(LevelGuide, RowsHoldForTheQuestionsTheGameAsks)
{
    CRandom::Seed(20261209);
    constexpr int kSamples = 600;
    for (const auto& row : CLevelGuide::Rows()) {
        const std::vector<double> addSub = numbersIn(row.cells[AddSub]);
        const std::vector<double> mul = numbersIn(row.cells[Multiplication]);
        const std::vector<double> div = numbersIn(row.cells[Division]);
        ASSERT_EQ(addSub.size(), 2u) << qPrintable(row.cells[AddSub]);
        ASSERT_EQ(mul.size(), 2u) << qPrintable(row.cells[Multiplication]);
        ASSERT_EQ(div.size(), 2u) << qPrintable(row.cells[Division]);
        const QString decimalsCell = row.cells[Decimals];
        const bool decimalsOn = decimalsCell.startsWith(QStringLiteral("on"));
        const std::vector<double> placesStated = numbersIn(decimalsCell);

        for (int op = 0; op < OperatorCount; ++op) {
            CParameterSet set;
            ApplyDefaults(set, OperatorNameOf(op), row.level);
            double largestDividend = 0;
            double largestProduct = 0;
            int mostPlaces = 0;
            for (int i = 0; i < kSamples; ++i) {
                CQuestion q;
                ASSERT_TRUE(GenerateQuestion(q, set));
                const double a = q.operand1.toDouble(), b = q.operand2.toDouble(), r = q.result.toDouble();
                mostPlaces = std::max(
                    { mostPlaces, placesOf(q.operand1), placesOf(q.operand2), placesOf(q.result) });
                const QString where = QStringLiteral("level %1 %2: %3 %4 %5 = %6")
                                          .arg(row.level + 1)
                                          .arg(QString::fromLatin1(OperatorNameOf(op)), q.operand1,
                                              q.operatorSign, q.operand2, q.result);
                switch (op) {
                case OpAddition:
                case OpSubtraction:
                    EXPECT_GE(std::min(a, b), addSub[0]) << qPrintable(where);
                    EXPECT_LE(std::max(a, b), addSub[1]) << qPrintable(where);
                    break;
                case OpMultiplication:
                    EXPECT_LE(std::max(std::fabs(a), std::fabs(b)), mul[0]) << qPrintable(where);
                    EXPECT_LE(std::fabs(r), mul[1]) << qPrintable(where);
                    largestProduct = std::max(largestProduct, std::fabs(r));
                    break;
                case OpDivision:
                    EXPECT_LE(std::max(std::fabs(b), std::fabs(r)), div[0]) << qPrintable(where);
                    EXPECT_LE(std::fabs(a), div[1]) << qPrintable(where);
                    largestDividend = std::max(largestDividend, std::fabs(a));
                    break;
                default:
                    break;
                }
            }
            if (op == OpMultiplication)
                EXPECT_GE(largestProduct, mul[1] / 4) << "level " << row.level + 1;
            if (op == OpDivision)
                EXPECT_GE(largestDividend, div[1] / 4) << "level " << row.level + 1;
            // Decimal places never beyond what the row says; none where it says "never" or "can be".
            if (decimalsOn && !placesStated.empty())
                EXPECT_LE(mostPlaces, placesStated[0]) << "level " << row.level + 1 << " op " << op;
            else if (op != OpDivision || !decimalsCell.contains(QStringLiteral("division: on")))
                EXPECT_EQ(mostPlaces, 0) << "level " << row.level + 1 << " op " << op;
        }
    }
}
