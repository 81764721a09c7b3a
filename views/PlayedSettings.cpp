#include "views/PlayedSettings.h"

#include "config/OperatorSettings.h"

#include <QCoreApplication>
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
            options << QCoreApplication::translate("PlayedSettings", text);
    };
    named(ParamKey::EnableDecimals, QT_TRANSLATE_NOOP("PlayedSettings", "decimals"));
    named(ParamKey::AlgebraMode, QT_TRANSLATE_NOOP("PlayedSettings", "algebra style"));
    named(ParamKey::Remainder, QT_TRANSLATE_NOOP("PlayedSettings", "remainders"));
    // The operator as the string table names it to the class ("Addition").
    const QString name = QCoreApplication::translate("StringTable", op.c_str());
    QString line
        = QCoreApplication::translate("PlayedSettings", "%1, level %2").arg(name).arg(GetLevel(set) + 1);
    if (!options.isEmpty())
        line += QStringLiteral(" (%1)").arg(options.join(QStringLiteral(", ")));
    return line;
}
