#include "app/SettingsCommand.h"

#include "config/SettingsExport.h"
#include "config/SettingsImport.h"
#include "platform/registry/HiveLocation.h"
#include "platform/registry/RegistryStore.h"

#include <QSaveFile>
#include <QTextStream>

namespace {

constexpr const char* kUsage = "usage: kestavo --export-settings FILE.reg\n"
                               "       kestavo --import-settings FILE.reg [--machine] [--dry-run]";

int Usage(QTextStream& err, const QString& problem)
{
    err << "kestavo: " << problem << "\n" << kUsage << Qt::endl;
    return 2;
}

QString Joined(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list.join(QStringLiteral(", "));
}

int Export(const QString& path, QTextStream& out, QTextStream& err)
{
    std::string bytes;
    bool found = false;
    if (CSettingsExport::Export(bytes, found) != ERROR_SUCCESS || !found) {
        err << "kestavo: there are no Kestavo settings to export yet; " << path << " was not written"
            << Qt::endl;
        return 1;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.commit()) {
        err << "kestavo: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    out << "Exported the Kestavo settings to " << path << "." << Qt::endl;
    return 0;
}

int Import(const QString& path, bool machine, bool dryRun, QTextStream& out, QTextStream& err)
{
    CSettingsImport import;
    std::string error;
    if (!import.LoadFile(path, error)) {
        err << "kestavo: cannot import " << path << ": " << QString::fromStdString(error)
            << "; nothing was changed" << Qt::endl;
        return 1;
    }
    if (!import.Skipped().empty())
        out << "Skipped keys of other software: " << Joined(import.Skipped()) << Qt::endl;

    const HKEY rootKey = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const char* rootName = machine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    const QString which = machine ? QStringLiteral("machine settings") : QStringLiteral("user settings");
    CHiveKey current;
    CRegistryStore::instance().copyHive(rootKey, current);
    const std::vector<std::string> changes = import.Changes(current, rootName);
    if (dryRun) {
        if (changes.empty()) {
            out << "Nothing would change in the " << which << "." << Qt::endl;
        } else {
            out << "Would change in the " << which << ":" << Qt::endl;
            for (const std::string& line : changes)
                out << "  " << QString::fromStdString(line) << Qt::endl;
        }
        return 0;
    }
    const LONG rc = import.Commit(rootKey);
    if (rc != ERROR_SUCCESS) {
        const CHiveLocation location = machine ? CHiveLocation::machine() : CHiveLocation::user();
        err << "kestavo: cannot write the " << which << " in " << QString::fromStdString(location.folder);
        if (rc == ERROR_ACCESS_DENIED)
            err << (machine ? " (run it as an administrator)" : " (no permission)");
        err << "; nothing was changed" << Qt::endl;
        return 1;
    }
    out << "Imported " << path << " into the " << which << ": " << changes.size()
        << (changes.size() == 1 ? " change." : " changes.") << Qt::endl;
    return 0;
}

} // namespace

bool IsSettingsCommand(const QStringList& args)
{
    return args.contains(QStringLiteral("--export-settings"))
        || args.contains(QStringLiteral("--import-settings"));
}

int RunSettingsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString exportPath;
    QString importPath;
    bool machine = false;
    bool dryRun = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--export-settings") || arg == QLatin1String("--import-settings")) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1String("--")))
                return Usage(err, arg + " needs a file name");
            QString& target = arg == QLatin1String("--export-settings") ? exportPath : importPath;
            if (!exportPath.isEmpty() || !importPath.isEmpty())
                return Usage(
                    err, QStringLiteral("give one of --export-settings and --import-settings, once"));
            target = args[++i];
        } else if (arg == QLatin1String("--machine")) {
            machine = true;
        } else if (arg == QLatin1String("--dry-run")) {
            dryRun = true;
        } else {
            return Usage(err, "unknown argument " + arg);
        }
    }
    if (!exportPath.isEmpty()) {
        if (machine || dryRun)
            return Usage(err, QStringLiteral("--machine and --dry-run go with --import-settings only"));
        return Export(exportPath, out, err);
    }
    if (importPath.isEmpty())
        return Usage(err, QStringLiteral("no settings file given"));
    return Import(importPath, machine, dryRun, out, err);
}
