#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class CGameModel;
class CModeParser;
class QTextStream;

// The choices of a game given on the command line, shared by every mode that
// builds one (--questions, --worksheet):
//   [--operators Addition,Division] [--levels 1,3] [--count N] [--seed S] [--settings]
// so the same arguments always build the same questions.
class CQuestionRequest
{
public:
    static constexpr int kMaxCount = 1000;

    QStringList operators; // canonical operator names, as given
    QList<int> levels; // shown levels 1..5: one for all, or one per operator
    int count = 10;
    std::optional<unsigned int> seed;
    bool settings = false; // the stored Setup choices instead of the options

    // The option part of a usage line.
    static const char* UsageOptions();

    // Declares the options on a mode's parser.
    static void Declare(CModeParser& parser);
    // Reads the options a parser has parsed. Returns an error text naming the
    // bad value, empty on success.
    QString Read(const CModeParser& parser);

    // Runs NewGame on a model created with the request's seed. Messages of the
    // model (a shortfall) go to err. False when no question could be built;
    // err then says why.
    bool Build(CGameModel& model, QTextStream& err) const;
};
