// Reading the licence text: encodings, damaged files, and where it is looked for.
#include "app/LicenseText.h"

#include "tests/fixtures/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16WithBom(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    ::WriteFile(path, bytes);
    return path;
}

} // namespace

TEST(LicenseText, DecodesUtf16WithByteOrderMarkAndEightBitTextAsIs)
{
    const QString text = QStringLiteral("Licence \u00fc\u20ac\r\nLine two");
    EXPECT_EQ(LicenseText::Decode(Utf16WithBom(text)), text);
    // 8-bit text: UTF-8 where valid, otherwise one character per byte.
    EXPECT_EQ(LicenseText::Decode(QByteArray("Caf\xC3\xA9")), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(LicenseText::Decode(QByteArray("Caf\xE9 \xA9 2026")), QStringLiteral("Caf\u00e9 \u00a9 2026"));
    // A big-endian mark is not ours: shown as bytes.
    EXPECT_EQ(LicenseText::Decode(QByteArray("\xFE\xFF\0A", 4)).size(), 2);
    EXPECT_TRUE(LicenseText::Decode(QByteArray()).isEmpty());
}

TEST(LicenseText, DamagedUtf16NeverReadsPastItsEnd)
{
    // An odd trailing byte is dropped, not paired with whatever follows.
    QByteArray odd = Utf16WithBom(QStringLiteral("AB"));
    odd.append('C');
    EXPECT_EQ(LicenseText::Decode(odd), QStringLiteral("AB"));
    EXPECT_TRUE(LicenseText::Decode(QByteArray("\xFF\xFE", 2)).isEmpty());
    EXPECT_TRUE(LicenseText::Decode(QByteArray("\xFF\xFE\x41", 3)).isEmpty());
    EXPECT_EQ(LicenseText::Decode(QByteArray("\xFF", 1)), QStringLiteral("\u00ff"));
    // The text ends at a NUL, as in the text control.
    EXPECT_EQ(LicenseText::Decode(Utf16WithBom(QStringLiteral("ok")) + QByteArray("\0\0tail", 6)),
        QStringLiteral("ok"));
    EXPECT_EQ(LicenseText::Decode(QByteArray("head\0tail", 9)), QStringLiteral("head"));
}

TEST(LicenseText, ReadsFilesAndReportsThoseItCannot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString text;
    QString error;
    EXPECT_TRUE(
        LicenseText::Read(WriteFile(dir, "utf16.txt", Utf16WithBom(QStringLiteral("Hello"))), &text, &error));
    EXPECT_EQ(text, QStringLiteral("Hello"));
    EXPECT_TRUE(LicenseText::Read(WriteFile(dir, "empty.txt", QByteArray()), &text, &error));
    EXPECT_TRUE(text.isEmpty());

    EXPECT_FALSE(LicenseText::Read(QString(), &text, &error));
    EXPECT_FALSE(LicenseText::Read(dir.filePath("missing.txt"), &text, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.txt"))) << error.toStdString();
    // A folder cannot be read as a file.
    error.clear();
    EXPECT_FALSE(LicenseText::Read(dir.path(), &text, &error));
    EXPECT_FALSE(error.isEmpty());
    // Nor can a file without read permission (where permissions apply).
    const QString locked = WriteFile(dir, "locked.txt", QByteArray("secret"));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    QFile probe(locked);
    if (!probe.open(QIODevice::ReadOnly)) {
        EXPECT_FALSE(LicenseText::Read(locked, &text, &error));
        EXPECT_TRUE(text.isEmpty());
    }
    // Nothing that large is a licence.
    EXPECT_FALSE(LicenseText::Read(
        WriteFile(dir, "huge.txt", QByteArray(LicenseText::MaxFileSize + 1, 'x')), &text, &error));
    EXPECT_TRUE(text.isEmpty());
}

TEST(LicenseText, LooksBesideTheProgramNeverInTheWorkingFolder)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(
        LicenseText::ResolvePath(QStringLiteral("License.txt")), QDir(programDir).filePath("License.txt"));
    EXPECT_EQ(LicenseText::ResolvePath(QStringLiteral("/tmp/x.txt")), QStringLiteral("/tmp/x.txt"));

    QTemporaryDir dir;
    WriteFile(dir, "License.txt", QByteArray("from the working folder"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString found = LicenseText::Find();
    QDir::setCurrent(previous);
    EXPECT_FALSE(found.startsWith(dir.path()));
    // The build copies the licence into its data folder beside tests/ and bin/.
    EXPECT_EQ(QFileInfo(found).canonicalFilePath(),
        QFileInfo(QStringLiteral(KESTAVO_TEST_DATA_DIR "/License.txt")).canonicalFilePath());
    QString text;
    QString error;
    ASSERT_TRUE(LicenseText::Read(found, &text, &error));
    EXPECT_TRUE(text.contains(QStringLiteral("Tandrel Technologies Inc.")));
}
