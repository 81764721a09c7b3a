#include "app/SettingsMenu.h"

#include "config/SettingsExport.h"
#include "config/SettingsImport.h"
#include "platform/locale/DecimalSeparator.h"
#include "platform/registry/RegistryStore.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

namespace {

QString Filter()
{
    return QObject::tr("Registry files (*.reg);;All files (*)");
}

QString Lines(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list.join(QLatin1Char('\n'));
}

} // namespace

void CSettingsMenu::Import(QWidget* parent)
{
    const QString path
        = QFileDialog::getOpenFileName(parent, QObject::tr("Import Settings"), QDir::homePath(), Filter());
    if (path.isEmpty())
        return;
    CSettingsImport import;
    std::string error;
    if (!import.LoadFile(path, error)) {
        QMessageBox::warning(parent, QObject::tr("Import Settings"),
            QObject::tr("%1 cannot be imported: %2.\nNothing was changed.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(error)));
        return;
    }
    if (QMessageBox::question(parent, QObject::tr("Import Settings"), Confirmation(import, path),
            QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (import.Commit(HKEY_CURRENT_USER) != ERROR_SUCCESS) {
        QMessageBox::warning(parent, QObject::tr("Import Settings"),
            QObject::tr("The settings could not be saved. Nothing was changed."));
        return;
    }
    CDecimalSeparator::Forget(); // the file may have brought another separator
    QMessageBox::information(parent, QObject::tr("Import Settings"),
        QObject::tr("The settings were imported. They apply from the next game you set up."));
}

QString CSettingsMenu::Confirmation(const CSettingsImport& import, const QString& path)
{
    QString question = QObject::tr("Import these settings from %1?").arg(QFileInfo(path).fileName());
    const std::vector<std::string> summary = import.Summary();
    if (!summary.empty())
        question += QStringLiteral("\n\n") + Lines(summary);
    if (!import.Skipped().empty())
        question += QStringLiteral("\n\n") + QObject::tr("Keys of other software are left out:\n")
            + Lines(import.Skipped());
    return question;
}

void CSettingsMenu::Export(QWidget* parent)
{
    std::string bytes;
    bool found = false;
    if (CSettingsExport::Export(bytes, found) != ERROR_SUCCESS || !found) {
        QMessageBox::information(parent, QObject::tr("Export Settings"),
            QObject::tr("There are no settings to export yet: set up a game first."));
        return;
    }
    const QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Export Settings"),
        QDir::home().filePath(QStringLiteral("Kestavo.reg")), Filter());
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
        || !file.commit()) {
        QMessageBox::warning(parent, QObject::tr("Export Settings"),
            QObject::tr("%1 cannot be written: %2.").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}
