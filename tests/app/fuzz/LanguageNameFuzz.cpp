// Language names from the command line and the user hive on arbitrary bytes:
// a name reads as a shipped language or as none, reading is stable, and
// --lang takes a good name out of the arguments and leaves a bad one there.
#include "app/AppLanguage.h"

#include <QTextStream>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString code = CAppLanguage::Match(name);
    if (!code.isEmpty() && (!CAppLanguage::Codes().contains(code) || CAppLanguage::Match(code) != code))
        std::abort();

    QString messages;
    QTextStream err(&messages);
    QStringList args { QStringLiteral("--lang"), name };
    const bool taken = CAppLanguage::TakeOption(args, err);
    if (taken != !code.isEmpty() || (taken && (!args.isEmpty() || CAppLanguage::Requested() != code)))
        std::abort();
    CAppLanguage::Request(QString());
    return 0;
}
