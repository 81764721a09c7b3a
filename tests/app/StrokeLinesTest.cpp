#include "app/ScriptRunner.h"
#include "boardsoft/ReplayScript.h"

#include <gtest/gtest.h>

namespace {

// The contacts the board would play for the given lines.
std::vector<ReplayCommand> Contacts(const QString& lines)
{
    const ReplayParseResult parsed
        = CReplayScript::Parse(QStringLiteral("window CGameView\n%1").arg(lines).toUtf8());
    EXPECT_TRUE(parsed.Ok()) << parsed.error.toStdString();
    std::vector<ReplayCommand> contacts;
    for (const ReplayCommand& c : parsed.commands) {
        if (c.kind == ReplayCommand::Contact)
            contacts.push_back(c);
    }
    return contacts;
}

} // namespace

TEST(StrokeLines, ShortStrokeIsOneLine)
{
    const QString lines = CScriptRunner::StrokeLines({ QPoint(10, 10), QPoint(40, -10), QPoint(25, 60) });
    EXPECT_EQ(lines, QStringLiteral("stroke 10,10 40,-10 25,60\n"));
    EXPECT_TRUE(CScriptRunner::StrokeLines({}).isEmpty());
}

TEST(StrokeLines, LongStrokePlaysAsTheSameContactInLinesTheReplayAccepts)
{
    // The longest stroke a play script takes, with the widest coordinates.
    QVector<QPoint> points;
    for (int i = 0; i < CReplayScript::kMaxStrokePoints; ++i)
        points << QPoint(-100000 + i * 7, 100000 - i * 3);
    const QString lines = CScriptRunner::StrokeLines(points);
    for (const QString& line : lines.split(QLatin1Char('\n')))
        ASSERT_LE(line.size(), CReplayScript::kMaxLineLength);

    const std::vector<ReplayCommand> contacts = Contacts(lines);
    ASSERT_EQ(contacts.size(), size_t(points.size()) + 1);
    for (int i = 0; i < points.size(); ++i) {
        const ReplayCommand& c = contacts[size_t(i)];
        EXPECT_EQ(c.phase, i == 0 ? SamplePhase::Down : SamplePhase::Move) << i;
        EXPECT_EQ(QPoint(c.x, c.y), points[i]) << i;
        EXPECT_EQ(c.value, 1000) << i;
    }
    EXPECT_EQ(contacts.back().phase, SamplePhase::Up);
    EXPECT_EQ(QPoint(contacts.back().x, contacts.back().y), points.back());
    EXPECT_EQ(contacts.back().value, 0);

    // The same contacts as the one-line form where that fits.
    const QVector<QPoint> few = points.mid(0, 50);
    const std::vector<ReplayCommand> asStroke = Contacts(CScriptRunner::StrokeLines(few));
    const std::vector<ReplayCommand> asLines = Contacts(lines);
    ASSERT_EQ(asStroke.size(), few.size() + 1u);
    for (size_t i = 0; i + 1 < asStroke.size(); ++i) {
        EXPECT_EQ(asStroke[i].phase, asLines[i].phase);
        EXPECT_EQ(asStroke[i].x, asLines[i].x);
        EXPECT_EQ(asStroke[i].y, asLines[i].y);
        EXPECT_EQ(asStroke[i].value, asLines[i].value);
    }
}
