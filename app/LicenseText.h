#pragma once

#include <QByteArray>
#include <QString>

// Reading the licence text shown on the about box's License page.
//
// The file is either UTF-16 little-endian with a byte-order mark, or 8-bit text
// shown as it is: UTF-8 when the bytes are valid UTF-8 (the system's code page
// here), otherwise one character per byte (Latin-1). The text ends at the first
// NUL character, as it would in the text control.
namespace LicenseText {

// Larger files are refused: a licence is a few kilobytes, and the whole file is
// held in memory.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

QString Decode(const QByteArray& bytes);

// A path without a folder separator is taken relative to the program's folder
// (never the working directory); any other path is used unchanged.
QString ResolvePath(const QString& path);

// Reads and decodes the file. Fails for an empty path, a file that cannot be
// opened or read, or one above MaxFileSize; error then says why.
bool Read(const QString& path, QString* text, QString* error);

// "License.txt" beside the program, or else in the install's data folder
// (<program folder>/../share/kestavo); empty when neither can be opened for
// reading.
QString Find();

} // namespace LicenseText
