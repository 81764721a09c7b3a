#include "views/PlayedSettings.h"

#include "config/OperatorSettings.h"

#include <QStringList>

QString PlayedSettingsLine(const CParameterSet& set)
{
    std::string op;
    set.GetString(ParamKey::Operator, op);
    QStringList options;
    const auto named = [&](const char* key, const char* text) {
        bool flag = false;
        set.GetBool(key, flag);
        if (flag)
            options << QLatin1String(text);
    };
    named(ParamKey::EnableDecimals, "decimals");
    named(ParamKey::AlgebraMode, "algebra style");
    named(ParamKey::Remainder, "remainders");
    QString line = QStringLiteral("%1, level %2").arg(QString::fromStdString(op)).arg(GetLevel(set) + 1);
    if (!options.isEmpty())
        line += QStringLiteral(" (%1)").arg(options.join(QStringLiteral(", ")));
    return line;
}
