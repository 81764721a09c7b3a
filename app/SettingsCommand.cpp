#include "app/SettingsCommand.h"

#include "config/SettingsExport.h"
#include "config/SettingsImport.h"
#include "platform/cli/ModeParser.h"
#include "platform/registry/HiveLocation.h"
#include "platform/registry/RegistryStore.h"

#include <QSaveFile>
#include <QTextStream>

namespace {

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

int RunSettingsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    CModeParser parser(
        QStringLiteral("kestavo --export-settings FILE.reg | --import-settings FILE.reg [--machine] [--dry-run]"),
        QStringLiteral("Writes the Kestavo settings as a regedit file, or merges one into them."));
    const QString exportOption = QStringLiteral("export-settings");
    const QString importOption = QStringLiteral("import-settings");
    const QString machineOption = QStringLiteral("machine");
    const QString dryRunOption = QStringLiteral("dry-run");
    parser.AddOption({ exportOption, QStringLiteral("Write the user's Kestavo settings to FILE.reg."),
        QStringLiteral("FILE.reg") });
    parser.AddOption({ importOption, QStringLiteral("Merge FILE.reg into the user's Kestavo settings."),
        QStringLiteral("FILE.reg") });
    parser.AddOption(
        { machineOption, QStringLiteral("Import into the machine's settings, for every user (administrator).") });
    parser.AddOption({ dryRunOption, QStringLiteral("List what the import would change, change nothing.") });
    if (const int code = parser.Parse(args, out, err); code >= 0)
        return code;

    const bool exporting = parser.IsSet(exportOption);
    const bool importing = parser.IsSet(importOption);
    const int given = args.count(QStringLiteral("--export-settings")) + args.count(QStringLiteral("--import-settings"));
    if (exporting == importing || given > 1)
        return parser.Reject(QStringLiteral("give one of --export-settings and --import-settings, once"), err);
    const QString path = parser.Value(exporting ? exportOption : importOption);
    if (path.isEmpty() || path.startsWith(QLatin1String("--")))
        return parser.Reject(
            QStringLiteral("--%1 needs a file name").arg(exporting ? exportOption : importOption), err);
    const bool machine = parser.IsSet(machineOption);
    const bool dryRun = parser.IsSet(dryRunOption);
    if (exporting) {
        if (machine || dryRun)
            return parser.Reject(QStringLiteral("--machine and --dry-run go with --import-settings only"), err);
        return Export(path, out, err);
    }
    return Import(path, machine, dryRun, out, err);
}
