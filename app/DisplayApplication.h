#pragma once

#include <QApplication>
#include <memory>

class QTextStream;

// Opens the QApplication of a mode that shows windows. Qt aborts the process
// when it cannot reach a display; this says so in one line on err instead and
// returns null, so that the caller can end with 1.
class CDisplayApplication
{
public:
    static std::unique_ptr<QApplication> Open(QTextStream& err);
    // Why no display can be used before trying one, or empty (testable).
    static QString MissingDisplay(
        const QByteArray& platform, const QByteArray& display, const QByteArray& waylandDisplay);
};
