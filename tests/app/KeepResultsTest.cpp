// Save Results, Print Results and Print Worksheet through the real frame with
// scripted dialogs: files read back, the name asked once, failures told once
// and the summary left in place.
#include "app/KestavoApp.h"
#include "app/MainFrame.h"
#include "app/ResultsActions.h"
#include "tests/app/AdditionGameOptions.h"
#include "tests/fixtures/Settle.h"
#include "tests/views/PdfText.h"
#include "views/ResultsReport.h"
#include "views/SummaryView.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct KeepResults : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(app.InitInstance(AdditionGameOptions()));
        frame = app.GetMainFrame();
        frame->resize(1024, 768);
        CResultsActions::Hooks hooks;
        hooks.askName = [this](QString& name) {
            ++nameAsks;
            name = typedName;
            return nameOk;
        };
        hooks.chooseFile = [this](const QString& suggested, bool worksheet, CResultsActions::SaveKind& kind) {
            suggestions << suggested;
            lastWasWorksheet = worksheet;
            kind = saveKind;
            return chosenPath;
        };
        hooks.hasPrinter = [this] { return printerInstalled; };
        hooks.printDialog = [this](QPrinter& printer) {
            // The PDF printer target stands in for the real one.
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
            return printOk;
        };
        hooks.message = [this](const QString& text) { messages << text; };
        frame->ResultsActions().SetHooks(hooks);
        settle();
    }

    void PlayToSummary()
    {
        frame->OnGo(); // Setup answered: a game
        settle();
        frame->OnGo(); // Stop: the summary
        settle();
        ASSERT_TRUE(qobject_cast<CSummaryView*>(frame->CurrentView()));
    }

    CSummaryView* summary() const { return qobject_cast<CSummaryView*>(frame->CurrentView()); }

    QTemporaryDir dir;
    CKestavoApp app;
    CMainFrame* frame = nullptr;
    QString typedName = QStringLiteral("Reds, \"Blues\" & <Greens>");
    bool nameOk = true;
    int nameAsks = 0;
    QStringList suggestions;
    bool lastWasWorksheet = false;
    CResultsActions::SaveKind saveKind = CResultsActions::SaveKind::Both;
    QString chosenPath;
    bool printerInstalled = false;
    bool printOk = true;
    QStringList messages;
};

} // namespace

TEST_F(KeepResults, MenuItemsFollowTheSummaryAndSaveWritesBothFiles)
{
    EXPECT_FALSE(frame->Action(CMainFrame::kIdSaveResults)->isEnabled());
    EXPECT_TRUE(frame->Action(CMainFrame::kIdPrintWorksheet)->isEnabled());
    PlayToSummary();
    EXPECT_TRUE(frame->Action(CMainFrame::kIdSaveResults)->isEnabled());
    EXPECT_TRUE(frame->Action(CMainFrame::kIdPrintResults)->isEnabled());

    chosenPath = dir.filePath(QStringLiteral("class.pdf"));
    summary()->SaveButton()->click();
    EXPECT_EQ(nameAsks, 1);
    ASSERT_EQ(suggestions.size(), 1);
    EXPECT_TRUE(suggestions[0].startsWith(QStringLiteral("Kestavo results - Reds_ _Blues_ _ _Greens_ - ")))
        << suggestions[0].toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    const QString text = Tokens(PdfText(chosenPath));
    EXPECT_TRUE(text.contains(QStringLiteral("Score: 0 correct out of 10"))) << text.toStdString();
    EXPECT_TRUE(text.contains(typedName));
    QFile csv(dir.filePath(QStringLiteral("class.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count("\r\n"), 11); // header and ten questions

    // The menu item does the same, without asking for the name again.
    chosenPath = dir.filePath(QStringLiteral("again"));
    saveKind = CResultsActions::SaveKind::Csv;
    frame->Action(CMainFrame::kIdSaveResults)->trigger();
    EXPECT_EQ(nameAsks, 1);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("again.csv"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("again.pdf"))));

    // The next game's results ask again.
    frame->SetNewGameDialogRunner([](bool& keep) {
        keep = true;
        return true;
    });
    frame->OnGo();
    settle();
    EXPECT_FALSE(frame->Action(CMainFrame::kIdSaveResults)->isEnabled());
    frame->OnGo();
    settle();
    frame->Action(CMainFrame::kIdSaveResults)->trigger();
    EXPECT_EQ(nameAsks, 2);
}

TEST_F(KeepResults, CancelAndFailureChangeNothingAndCanBeTriedAgain)
{
    PlayToSummary();
    // Cancelled name: nothing asked further, nothing written.
    nameOk = false;
    EXPECT_FALSE(frame->ResultsActions().SaveResults());
    EXPECT_TRUE(suggestions.isEmpty());
    // Cancelled file dialog.
    nameOk = true;
    chosenPath.clear();
    EXPECT_FALSE(frame->ResultsActions().SaveResults());
    EXPECT_TRUE(messages.isEmpty());
    // A folder that does not exist: one message, the summary stays.
    chosenPath = dir.filePath(QStringLiteral("gone/results.pdf"));
    EXPECT_FALSE(frame->ResultsActions().SaveResults());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("could not be written")));
    ASSERT_TRUE(summary());
    // And it can be saved again.
    chosenPath = dir.filePath(QStringLiteral("results.pdf"));
    EXPECT_TRUE(frame->ResultsActions().SaveResults());
    EXPECT_TRUE(QFileInfo::exists(chosenPath));
}

TEST_F(KeepResults, PrintingGoesThroughThePrinterOrSaysThereIsNone)
{
    PlayToSummary();
    EXPECT_FALSE(frame->ResultsActions().PrintResults());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("No printer is installed")));
    EXPECT_EQ(nameAsks, 0) << "no name asked for a print that cannot happen";

    printerInstalled = true;
    printOk = false; // print dialog cancelled
    EXPECT_FALSE(frame->ResultsActions().PrintResults());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("printed.pdf"))));

    printOk = true;
    summary()->PrintButton()->click();
    const QString text = Tokens(PdfText(dir.filePath(QStringLiteral("printed.pdf"))));
    EXPECT_TRUE(text.contains(QStringLiteral("Score: 0 correct out of 10"))) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Wrong")), 10);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(KeepResults, WorksheetFromTheMenuUsesTheGamesChoices)
{
    // Before any game: the stored Setup choices, none here.
    EXPECT_FALSE(frame->ResultsActions().PrintWorksheet());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("No worksheet")));

    PlayToSummary();
    messages.clear();
    // No printer: told once, then saved as a PDF.
    chosenPath = dir.filePath(QStringLiteral("sheet.pdf"));
    frame->Action(CMainFrame::kIdPrintWorksheet)->trigger();
    EXPECT_TRUE(lastWasWorksheet);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("No printer")));
    const QString text = Tokens(PdfText(chosenPath));
    EXPECT_TRUE(text.contains(QStringLiteral("Addition, level 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("10)")));
    EXPECT_FALSE(text.contains(QStringLiteral("11)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Answer key")));
    EXPECT_EQ(nameAsks, 0);

    // With a printer: through the print dialog.
    printerInstalled = true;
    EXPECT_TRUE(frame->ResultsActions().PrintWorksheet());
    EXPECT_TRUE(
        Tokens(PdfText(dir.filePath(QStringLiteral("printed.pdf")))).contains(QStringLiteral("Answer key")));
}
