#pragma once

#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QString>

// True the first time a problem is reported in this process, false after:
// a problem every answer field (or every game) meets is logged once, not once
// per field. The key is the problem's own text or any name for it.
inline bool IsFirstReport(const QString& key)
{
    static QMutex mutex;
    static QSet<QString> reported;
    QMutexLocker lock(&mutex);
    if (reported.contains(key))
        return false;
    reported.insert(key);
    return true;
}
