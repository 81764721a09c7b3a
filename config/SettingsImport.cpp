#include "config/SettingsImport.h"

#include "config/OperatorSettings.h"
#include "config/SettingsKeys.h"
#include "platform/registry/KeyPath.h"
#include "platform/registry/RegFileFormat.h"
#include "platform/registry/RegistryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace {

bool IsHiveRoot(const std::string& root)
{
    return root == "HKEY_CURRENT_USER" || root == "HKEY_LOCAL_MACHINE";
}

std::string Text(const std::vector<BYTE>& data)
{
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string DescribeData(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_SZ)
        return CRegFileFormat::quote(Text(data));
    if (type == REG_DWORD && data.size() == 4) {
        const DWORD d = static_cast<DWORD>(data[0]) | (static_cast<DWORD>(data[1]) << 8)
            | (static_cast<DWORD>(data[2]) << 16) | (static_cast<DWORD>(data[3]) << 24);
        return "dword:" + std::to_string(d);
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "hex(%x): %zu bytes", type, data.size());
    return buf;
}

} // namespace

bool CSettingsImport::Load(std::string_view bytes, std::string& error)
{
    m_operations.reset();
    m_skipped.clear();
    CRegDocument document;
    if (!CRegFileFormat::read(bytes, document, error))
        return false;

    auto operations = std::make_shared<std::vector<Operation>>();
    std::string root;
    std::vector<std::string> path;
    for (CRegDocument::Section& section : document.sections) {
        CRegFileFormat::splitPath(section.path, root, path);
        const bool ours = IsHiveRoot(root) && CSettingsKeys::Containing(path) >= 0;
        if (!ours) {
            const bool quietParent = IsHiveRoot(root) && !section.remove && section.entries.empty()
                && CSettingsKeys::IsAncestor(path);
            if (!quietParent)
                m_skipped.push_back(section.path);
            continue;
        }
        Operation key;
        key.kind = section.remove ? Operation::RemoveKey : Operation::CreateKey;
        key.path = path;
        operations->push_back(key);
        for (CRegDocument::Entry& entry : section.entries) {
            Operation value;
            value.kind = entry.remove ? Operation::RemoveValue : Operation::SetValue;
            value.path = path;
            value.name = std::move(entry.name);
            value.type = entry.type;
            value.data = std::move(entry.data);
            operations->push_back(std::move(value));
        }
    }
    if (operations->empty()) {
        error = m_skipped.empty() ? "it holds no settings"
                                  : "it holds no Kestavo settings, only keys of other software ("
                + m_skipped.front() + (m_skipped.size() > 1 ? ", ..." : "") + ")";
        m_skipped.clear();
        return false;
    }
    m_operations = std::move(operations);
    return true;
}

bool CSettingsImport::LoadFile(const QString& path, std::string& error)
{
    m_operations.reset();
    m_skipped.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    if (static_cast<quint64>(file.size()) > CKeyPath::kMaxHiveFileSize) {
        error = "file too large for a settings file";
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(CKeyPath::kMaxHiveFileSize) + 1);
    if (static_cast<quint64>(bytes.size()) > CKeyPath::kMaxHiveFileSize) {
        error = "file too large for a settings file";
        return false;
    }
    return Load(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

namespace {

// An operator's key name as the teacher reads it, in the program's language
// (English without a translator, as the command line prints it).
QString OperatorTitle(const std::string& key)
{
    static const char* const names[] = { QT_TRANSLATE_NOOP("CSettingsImport", "Addition"),
        QT_TRANSLATE_NOOP("CSettingsImport", "Subtraction"),
        QT_TRANSLATE_NOOP("CSettingsImport", "Multiplication"),
        QT_TRANSLATE_NOOP("CSettingsImport", "Division") };
    const int i = OperatorIndexOf(key);
    return i >= 0 && i < 4 ? QCoreApplication::translate("CSettingsImport", names[i])
                           : QString::fromStdString(key);
}

} // namespace

std::vector<std::string> CSettingsImport::Summary() const
{
    std::vector<std::string> lines;
    if (!m_operations)
        return lines;
    const std::vector<std::string>& game = CSettingsKeys::All()[0];
    bool board = false;
    for (const Operation& op : *m_operations) {
        const int which = CSettingsKeys::Containing(op.path);
        if (which == 1) {
            if (!board)
                lines.push_back(
                    QCoreApplication::translate("CSettingsImport", "Board settings").toStdString());
            board = true;
            continue;
        }
        const bool operatorKey = op.path.size() == game.size() + 1 && OperatorIndexOf(op.path.back()) >= 0;
        if (operatorKey && op.kind == Operation::RemoveKey)
            lines.push_back(QCoreApplication::translate("CSettingsImport", "%1: removed")
                                .arg(OperatorTitle(op.path.back()))
                                .toStdString());
        if (operatorKey && op.kind == Operation::SetValue && CHiveKey::sameName(op.name, "Level")
            && op.type == REG_SZ) {
            const std::string level = Text(op.data);
            const bool digit = level.size() == 1 && level[0] >= '0' && level[0] <= '4';
            lines.push_back(QCoreApplication::translate("CSettingsImport", "%1: level %2")
                                .arg(OperatorTitle(op.path.back()),
                                    QString::fromStdString(digit ? std::to_string(level[0] - '0' + 1)
                                                                 : CRegFileFormat::quote(level)))
                                .toStdString());
        }
        // The stored value is the index of the Setup dialog's list: 0 = 10 ... 8 = 50.
        if (op.path.size() == game.size() && op.kind == Operation::SetValue
            && CHiveKey::sameName(op.name, kQuestionsIndexValue) && op.type == REG_DWORD
            && op.data.size() == 4 && op.data[0] <= 8 && op.data[1] == 0 && op.data[2] == 0
            && op.data[3] == 0)
            lines.push_back(QCoreApplication::translate("CSettingsImport", "Number of questions: %1")
                                .arg(10 + 5 * op.data[0])
                                .toStdString());
    }
    return lines;
}

bool CSettingsImport::Apply(const Operation& op, CHiveKey& root)
{
    switch (op.kind) {
    case Operation::CreateKey: {
        bool created = false;
        root.create(op.path, &created);
        return created;
    }
    case Operation::RemoveKey: {
        std::vector<std::string> parentPath(op.path.begin(), op.path.end() - 1);
        CHiveKey* parent = root.find(parentPath);
        return parent && parent->removeSubkey(op.path.back());
    }
    case Operation::SetValue: {
        CHiveKey& key = root.create(op.path);
        const CHiveKey::Value* old = key.findValue(op.name);
        if (old && old->type == op.type && old->data == op.data)
            return false;
        key.setValue(op.name, op.type, op.data);
        return true;
    }
    case Operation::RemoveValue: {
        CHiveKey* key = root.find(op.path);
        return key && key->removeValue(op.name);
    }
    }
    return false;
}

std::string CSettingsImport::Describe(const Operation& op, std::string_view rootName)
{
    const std::string key = std::string(rootName) + "\\" + CSettingsKeys::Join(op.path);
    const std::string name = op.name.empty() ? "@" : CRegFileFormat::quote(op.name);
    switch (op.kind) {
    case Operation::CreateKey:
        return "create key " + key;
    case Operation::RemoveKey:
        return "delete key " + key;
    case Operation::SetValue:
        return "set " + key + " " + name + " = " + DescribeData(op.type, op.data);
    case Operation::RemoveValue:
        return "delete value " + key + " " + name;
    }
    return {};
}

std::vector<std::string> CSettingsImport::Changes(const CHiveKey& root, std::string_view rootName) const
{
    std::vector<std::string> lines;
    if (!m_operations)
        return lines;
    CHiveKey scratch(root);
    for (const Operation& op : *m_operations) {
        if (Apply(op, scratch))
            lines.push_back(Describe(op, rootName));
    }
    return lines;
}

LONG CSettingsImport::ApplyTo(CHiveKey& root, bool& changed) const
{
    changed = false;
    if (!m_operations)
        return ERROR_INVALID_PARAMETER;
    for (const Operation& op : *m_operations)
        changed = Apply(op, root) || changed;
    return ERROR_SUCCESS;
}

LONG CSettingsImport::Commit(HKEY rootKey) const
{
    if (!m_operations)
        return ERROR_INVALID_PARAMETER;
    // The change is kept (and replayed on a re-read) by the hive, so it holds
    // the operations themselves, shared and never changed.
    const std::shared_ptr<const std::vector<Operation>> operations = m_operations;
    return CRegistryStore::instance().commitToHive(
        rootKey, [operations](CHiveKey& root, bool& changed) -> LONG {
            changed = false;
            for (const Operation& op : *operations)
                changed = Apply(op, root) || changed;
            return ERROR_SUCCESS;
        });
}
