#include "config/LevelGuide.h"

#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// The page is written for one language at a time: its texts go through the
// installed translator, its numbers through the default locale.
QString Number(long long value)
{
    return QLocale().toString(value);
}

CParameterSet Defaults(int op, int level)
{
    CParameterSet set;
    ApplyDefaults(set, OperatorNameOf(op), level);
    return set;
}

bool Flag(const CParameterSet& set, const char* key)
{
    bool flag = false;
    set.GetBool(key, flag);
    return flag;
}

int Int(const CParameterSet& set, const char* key)
{
    int value = 0;
    set.GetInt(key, value);
    return value;
}

// "never", "on, up to 2 places" or "can be turned on (up to 1 place)".
QString DecimalsText(const CParameterSet& set)
{
    const int places = Int(set, ParamKey::MaxDecimals);
    const QString upTo = places == 1
        ? QCoreApplication::translate("CLevelGuide", "up to 1 place")
        : QCoreApplication::translate("CLevelGuide", "up to %1 places").arg(places);
    if (Flag(set, ParamKey::EnableDecimals))
        return QCoreApplication::translate("CLevelGuide", "on, ") + upTo;
    if (set.IsLocked(ParamKey::EnableDecimals) || places == 0)
        return QCoreApplication::translate("CLevelGuide", "never");
    return QCoreApplication::translate("CLevelGuide", "can be turned on (%1)").arg(upTo);
}

// "on", "can be turned on" or "" (locked off) for an option of the level.
QString OptionState(const CParameterSet& set, const char* key)
{
    if (Flag(set, key))
        return QCoreApplication::translate("CLevelGuide", "on");
    if (set.IsLocked(key))
        return QString();
    return QCoreApplication::translate("CLevelGuide", "can be turned on");
}

} // namespace

QStringList CLevelGuide::Headers()
{
    return { QCoreApplication::translate("CLevelGuide", "Level"),
        QCoreApplication::translate("CLevelGuide", "Addition and subtraction"),
        QCoreApplication::translate("CLevelGuide", "Multiplication"),
        QCoreApplication::translate("CLevelGuide", "Division"),
        QCoreApplication::translate("CLevelGuide", "Decimals"),
        QCoreApplication::translate("CLevelGuide", "Question style"),
        QCoreApplication::translate("CLevelGuide", "Other") };
}

std::vector<CLevelGuide::Row> CLevelGuide::Rows()
{
    std::vector<Row> rows;
    for (int level = 0; level < kLevelCount; ++level) {
        const CParameterSet add = Defaults(OpAddition, level);
        const CParameterSet sub = Defaults(OpSubtraction, level);
        const CParameterSet div = Defaults(OpDivision, level);
        Row row;
        row.level = level;
        row.operandMin = Int(add, ParamKey::OperandMin);
        row.operandMax = Int(add, ParamKey::OperandMax);
        const long long lo = row.operandMin;
        const long long hi = row.operandMax;

        QString name = QString::number(level + 1);
        if (level == 0)
            name += QCoreApplication::translate("CLevelGuide", " (Easy)");
        else if (level == kLevelCount - 1)
            name += QCoreApplication::translate("CLevelGuide", " (Difficult)");
        row.cells << name;

        // Both operands are drawn from the level's range; sums go up to twice its top.
        row.cells
            << QCoreApplication::translate("CLevelGuide", "numbers %1 to %2").arg(Number(lo), Number(hi));
        // Factors are never 0 or 1; the product grows with both.
        row.cells << QCoreApplication::translate("CLevelGuide", "factors up to %1, products up to %2")
                         .arg(Number(hi), Number(hi * hi));
        // Divisor and quotient come from the range; the number divided is their
        // product (plus the remainder).
        const bool remainder = Flag(div, ParamKey::Remainder);
        const long long dividendMax = hi * hi + (remainder ? hi - 1 : 0);
        row.cells << QCoreApplication::translate(
            "CLevelGuide", "divisor and answer up to %1, numbers divided up to %2")
                         .arg(Number(hi), Number(dividendMax));

        const QString decimals = DecimalsText(add);
        const QString divisionDecimals = DecimalsText(div);
        row.cells << (decimals == divisionDecimals
                ? decimals
                : QCoreApplication::translate("CLevelGuide", "%1; division: %2")
                      .arg(decimals, divisionDecimals));

        row.cells << (Flag(add, ParamKey::AlgebraMode)
                ? QCoreApplication::translate("CLevelGuide", "3+?=7 (any number may be missing)")
                : QStringLiteral("3+4=?"));

        QStringList other;
        other << (Flag(add, ParamKey::Carry) && Flag(sub, ParamKey::Borrow)
                ? QCoreApplication::translate("CLevelGuide", "carrying and borrowing")
                : QCoreApplication::translate("CLevelGuide", "no carrying or borrowing"));
        const QString apples = OptionState(add, ParamKey::Manipulatives);
        other << (apples.isEmpty() ? QCoreApplication::translate("CLevelGuide", "no apples")
                                   : QCoreApplication::translate("CLevelGuide", "apples %1").arg(apples));
        if (remainder)
            other << QCoreApplication::translate("CLevelGuide", "division with remainders");
        if (Flag(div, ParamKey::DecimalDivisor))
            other << QCoreApplication::translate("CLevelGuide", "decimal divisors");
        row.cells << other.join(QStringLiteral(", "));
        rows.push_back(row);
    }
    return rows;
}

QString CLevelGuide::TableHtml()
{
    QString html = QStringLiteral("<table class=\"grid\">\n<tr>");
    for (const QString& header : Headers())
        html += QStringLiteral("<th>%1</th>").arg(header.toHtmlEscaped());
    html += QStringLiteral("</tr>\n");
    for (const Row& row : Rows()) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row.cells)
            html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>");
    return html;
}

QString CLevelGuide::FillTemplate(const QString& page)
{
    const QString marker = QString::fromLatin1(kMarker);
    if (!page.contains(marker))
        return QString();
    QString filled = page;
    filled.replace(marker, TableHtml());
    return filled;
}
