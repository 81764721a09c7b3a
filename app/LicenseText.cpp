#include "app/LicenseText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace LicenseText {

QString Decode(const QByteArray& bytes)
{
    QString text;
    if (bytes.size() >= 2 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE) {
        // An odd trailing byte is not half a character to be read: it is dropped.
        const qsizetype units = bytes.size() / 2 - 1;
        text.resize(units);
        const auto* data = reinterpret_cast<const uchar*>(bytes.constData()) + 2;
        for (qsizetype i = 0; i < units; ++i)
            text[i] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bytes);
        if (utf8.hasError())
            text = QString::fromLatin1(bytes);
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString ResolvePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('/')))
        return path;
    return QDir(QCoreApplication::applicationDirPath()).filePath(path);
}

bool Read(const QString& path, QString* text, QString* error)
{
    text->clear();
    if (path.isEmpty()) {
        *error = QCoreApplication::translate("LicenseText", "No licence file was given.");
        return false;
    }
    const QString resolved = ResolvePath(path);
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("LicenseText", "%1 cannot be opened: %2.")
                     .arg(QDir::toNativeSeparators(resolved), file.errorString());
        return false;
    }
    // Read at most one byte past the limit, so a huge or endless file (a
    // device, a pipe) is refused without being held in memory.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        *error = QCoreApplication::translate("LicenseText", "%1 is too large to be a licence text.")
                     .arg(QDir::toNativeSeparators(resolved));
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("LicenseText", "%1 cannot be read: %2.")
                     .arg(QDir::toNativeSeparators(resolved), file.errorString());
        return false;
    }
    *text = Decode(bytes);
    return true;
}

QString Find()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        programDir.filePath(QStringLiteral("License.txt")),
        QDir::cleanPath(programDir.filePath(QStringLiteral("../share/kestavo/License.txt"))),
    };
    for (const QString& candidate : candidates) {
        QFile file(candidate);
        if (QFileInfo(candidate).isFile() && file.open(QIODevice::ReadOnly))
            return candidate;
    }
    return QString();
}

} // namespace LicenseText
