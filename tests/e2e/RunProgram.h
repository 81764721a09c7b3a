#pragma once

// Runs one of the built programs on the offscreen platform and collects what
// it printed. The environment is the test's own (its hive folder included).
#include <QProcess>
#include <QString>
#include <QStringList>

struct Result
{
    int exitCode = -1;
    QString out;
    QString err;
};

// scaleFactor: QT_SCALE_FACTOR for the program (empty: none, whatever the
// test's own environment says).
inline Result RunProgram(const QString& program, const QStringList& arguments, const QString& scaleFactor = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    if (!scaleFactor.isEmpty())
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Result r;
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}
