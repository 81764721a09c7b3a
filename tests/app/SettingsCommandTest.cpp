// kestavo --export-settings / --import-settings: exit codes, messages, files.
#include "app/SettingsCommand.h"
#include "tests/fixtures/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun
{
    int code = -1;
    QString out;
    QString err;
};

CommandRun RunCommand(const QStringList& args)
{
    CommandRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = RunSettingsCommand(args, out, err);
    return run;
}

QString InHiveDir(const QString& name)
{
    return QDir(qEnvironmentVariable("KESTAVO_HIVE_DIR")).filePath(name);
}

const QByteArray kSchool = "REGEDIT4\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Tandrel Technologies Inc.\\Kestavo\\Addition]\r\n"
                           "\"Level\"=\"3\"\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Other Maker\\Other]\r\n"
                           "\"x\"=\"1\"\r\n";

} // namespace

TEST(SettingsCommand, BadUsageIsExitCodeTwo)
{
    const QStringList bad[] = {
        { "--import-settings" },
        { "--export-settings", "--machine" },
        { "--export-settings", "a.reg", "--dry-run" },
        { "--import-settings", "a.reg", "--export-settings", "b.reg" },
        { "--import-settings", "a.reg", "--everything" },
    };
    for (const QStringList& args : bad) {
        const CommandRun run = RunCommand(args);
        EXPECT_EQ(2, run.code) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("usage: kestavo --export-settings")) << run.err.toStdString();
    }
}

TEST(SettingsCommand, ImportDryRunThenImportThenExport)
{
    const QString school = InHiveDir("school.reg");
    WriteFile(school, kSchool);

    CommandRun run = RunCommand({ "--import-settings", school, "--dry-run" });
    EXPECT_EQ(0, run.code) << run.err.toStdString();
    EXPECT_TRUE(
        run.out.contains("Skipped keys of other software: HKEY_CURRENT_USER\\Software\\Other Maker\\Other\n"))
        << run.out.toStdString();
    EXPECT_TRUE(
        run.out.contains("Would change in the user settings:\n  create key HKEY_CURRENT_USER\\Software\\"
                         "Tandrel Technologies Inc.\\Kestavo\\Addition\n"))
        << run.out.toStdString();
    EXPECT_FALSE(QFile::exists(InHiveDir("HKEY_CURRENT_USER.reg"))) << "a dry run writes nothing";

    run = RunCommand({ "--import-settings", school, "--machine" });
    EXPECT_EQ(0, run.code) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("into the machine settings: 2 changes.")) << run.out.toStdString();
    EXPECT_TRUE(ReadFile(InHiveDir("HKEY_LOCAL_MACHINE.reg")).contains("\"Level\"=\"3\""));

    run = RunCommand({ "--import-settings", school, "--machine", "--dry-run" });
    EXPECT_EQ(0, run.code);
    EXPECT_TRUE(run.out.contains("Nothing would change in the machine settings.")) << run.out.toStdString();

    const QString exported = InHiveDir("out.reg");
    run = RunCommand({ "--export-settings", exported });
    EXPECT_EQ(0, run.code) << run.err.toStdString();
    EXPECT_EQ("Exported the Kestavo settings to " + exported + ".\n", run.out);
    EXPECT_TRUE(ReadFile(exported).startsWith(QByteArray("\xFF\xFEW\0i\0n\0", 8)));
}

TEST(SettingsCommand, FailuresAreExitCodeOneAndChangeNothing)
{
    CommandRun run = RunCommand({ "--export-settings", InHiveDir("out.reg") });
    EXPECT_EQ(1, run.code);
    EXPECT_TRUE(run.err.contains("there are no Kestavo settings to export yet")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(InHiveDir("out.reg")));

    const QString notes = InHiveDir("notes.reg");
    WriteFile(notes, "Dear parents,\n");
    run = RunCommand({ "--import-settings", notes });
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("kestavo: cannot import " + notes
            + ": line 1: not a registry file (no REGEDIT4 or \"Windows Registry Editor Version 5.00\" "
              "header); "
              "nothing was changed\n",
        run.err);
    EXPECT_TRUE(run.out.isEmpty());

    run = RunCommand({ "--import-settings", InHiveDir("missing.reg") });
    EXPECT_EQ(1, run.code);
    EXPECT_TRUE(run.err.contains("nothing was changed"));
    EXPECT_FALSE(QFile::exists(InHiveDir("HKEY_CURRENT_USER.reg")));

    WriteFile(InHiveDir("school.reg"), kSchool);
    ASSERT_EQ(0, RunCommand({ "--import-settings", InHiveDir("school.reg") }).code);
    run = RunCommand({ "--export-settings", InHiveDir("no-such-folder/out.reg") });
    EXPECT_EQ(1, run.code);
    EXPECT_TRUE(run.err.startsWith("kestavo: cannot write " + InHiveDir("no-such-folder/out.reg")))
        << run.err.toStdString();
}
