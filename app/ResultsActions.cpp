#include "app/ResultsActions.h"

#include "game/GameModel.h"
#include "game/QuestionRequest.h"
#include "game/Random.h"
#include "views/PagedOutput.h"
#include "views/ResultsReport.h"
#include "views/Worksheet.h"
#include "views/WorksheetPainter.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const char* kPdfFilter = QT_TRANSLATE_NOOP("CResultsActions", "PDF report (*.pdf)");
const char* kCsvFilter = QT_TRANSLATE_NOOP("CResultsActions", "CSV file for spreadsheets (*.csv)");
const char* kBothFilter = QT_TRANSLATE_NOOP("CResultsActions", "PDF report and CSV file (*.pdf *.csv)");
const char* kWorksheetFilter = QT_TRANSLATE_NOOP("CResultsActions", "PDF worksheet (*.pdf)");

// A file dialog filter in the program's language.
QString filter(const char* text)
{
    return QCoreApplication::translate("CResultsActions", text);
}

QString withSuffix(const QString& path, const QString& suffix)
{
    const QFileInfo info(path);
    if (info.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return path;
    if (info.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0
        || info.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') + suffix;
    return path + QLatin1Char('.') + suffix;
}

QString resultsFooter(const CResultsReport& report)
{
    QString footer = QCoreApplication::translate("CResultsActions", "Kestavo results");
    if (!report.Name().isEmpty())
        footer += QStringLiteral(", ") + report.Name();
    return footer + QStringLiteral(", ") + QLocale().toString(report.When(), QLocale::ShortFormat);
}

} // namespace

CResultsActions::CResultsActions(QWidget* parent, CGameModel& model)
    : m_parent(parent)
    , m_model(model)
{
}

void CResultsActions::ForgetName()
{
    m_name.clear();
    m_nameAsked = false;
}

bool CResultsActions::EnsureName()
{
    if (m_nameAsked)
        return true;
    QString name;
    bool ok = false;
    if (m_hooks.askName) {
        ok = m_hooks.askName(name);
    } else {
        name = QInputDialog::getText(m_parent, tr("Results"), tr("Name of the pupil or group (optional):"),
            QLineEdit::Normal, QString(), &ok);
    }
    if (!ok)
        return false;
    m_name = name.simplified();
    m_nameAsked = true;
    return true;
}

QString CResultsActions::ChooseFile(const QString& suggested, bool worksheet, SaveKind& kind)
{
    if (m_folder.isEmpty()) {
        m_folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (m_folder.isEmpty() || !QDir(m_folder).exists())
            m_folder = QDir::homePath();
    }
    QString path;
    if (m_hooks.chooseFile) {
        path = m_hooks.chooseFile(suggested, worksheet, kind);
    } else {
        const QString filters = worksheet
            ? filter(kWorksheetFilter)
            : QStringList { filter(kPdfFilter), filter(kCsvFilter), filter(kBothFilter) }.join(
                QLatin1String(";;"));
        QString selected = filter(worksheet ? kWorksheetFilter : kPdfFilter);
        path = QFileDialog::getSaveFileName(m_parent, worksheet ? tr("Save Worksheet") : tr("Save Results"),
            QDir(m_folder).filePath(suggested), filters, &selected);
        kind = selected == filter(kCsvFilter) ? SaveKind::Csv
            : selected == filter(kBothFilter) ? SaveKind::Both
                                              : SaveKind::Pdf;
        // A typed ".csv" under the PDF filter still means a CSV file.
        if (kind == SaveKind::Pdf
            && QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
            kind = SaveKind::Csv;
    }
    if (!path.isEmpty())
        m_folder = QFileInfo(path).absolutePath();
    return path;
}

bool CResultsActions::HasPrinter() const
{
    return m_hooks.hasPrinter ? m_hooks.hasPrinter() : !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool CResultsActions::RunPrintDialog(QPrinter& printer)
{
    if (m_hooks.printDialog)
        return m_hooks.printDialog(printer);
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

void CResultsActions::Message(const QString& text)
{
    if (m_hooks.message)
        m_hooks.message(text);
    else
        QMessageBox::warning(m_parent, QStringLiteral("Kestavo"), text);
}

bool CResultsActions::SaveResults()
{
    if (!EnsureName())
        return false;
    const CResultsReport report(m_model, m_name, QDateTime::currentDateTime());
    SaveKind kind = SaveKind::Pdf;
    const QString chosen = ChooseFile(report.SuggestedFileName(QStringLiteral("pdf")), false, kind);
    if (chosen.isEmpty())
        return false;

    QString error;
    if (kind != SaveKind::Csv) {
        const QString html = report.ToHtml();
        const QString footer = resultsFooter(report);
        if (!CPagedOutput::WritePdf(
                withSuffix(chosen, QStringLiteral("pdf")), tr("Kestavo results"),
                [&](QPagedPaintDevice& device) { return CPagedOutput::PrintHtml(html, footer, device); },
                error)) {
            Message(error);
            return false;
        }
    }
    if (kind != SaveKind::Pdf
        && !CPagedOutput::WriteFile(withSuffix(chosen, QStringLiteral("csv")), report.ToCsv(), error)) {
        Message(error);
        return false;
    }
    return true;
}

bool CResultsActions::PrintResults()
{
    if (!HasPrinter()) {
        Message(tr("No printer is installed. Use \"Save Results...\" to keep the results as a PDF file "
                   "and print it later."));
        return false;
    }
    if (!EnsureName())
        return false;
    const CResultsReport report(m_model, m_name, QDateTime::currentDateTime());
    QPrinter printer(QPrinter::HighResolution);
    CPagedOutput::SetUpPages(printer);
    printer.setDocName(tr("Kestavo results"));
    if (!RunPrintDialog(printer))
        return false;
    if (!CPagedOutput::PrintHtml(report.ToHtml(), resultsFooter(report), printer)) {
        Message(tr("The results could not be printed. Check the printer and try again, "
                   "or use \"Save Results...\"."));
        return false;
    }
    return true;
}

bool CResultsActions::PrintWorksheet()
{
    // The questions a game with the current choices would ask: the last
    // game's operators, levels and number of questions, else the stored
    // Setup choices. A model of its own, so the game on screen is untouched.
    const unsigned int seed = CRandom::ClockSeed();
    CGameModel sheetModel(seed);
    QString messages;
    QTextStream err(&messages);
    bool built = false;
    if (!m_model.GetOperatorSets().empty()) {
        const std::vector<CParameterSet> sets = m_model.GetOperatorSets();
        const int count
            = m_model.GetRequestedCount() > 0 ? m_model.GetRequestedCount() : m_model.GetQuestionCount();
        sheetModel.SetSetupRunner([&](std::vector<CParameterSet>& chosen, int& questionCount) {
            chosen = sets;
            questionCount = count;
            return true;
        });
        sheetModel.SetMessageSink([&](const QString& text) { err << text << '\n'; });
        built = sheetModel.NewGame(true);
        sheetModel.SetSetupRunner({});
        sheetModel.SetMessageSink({});
    } else {
        CQuestionRequest request;
        request.settings = true;
        built = request.Build(sheetModel, err);
    }
    err.flush();
    if (!built || sheetModel.GetItemCount() == 0) {
        Message(tr("No worksheet could be made: choose the operations in the Setup dialog first."));
        return false;
    }
    if (!messages.trimmed().isEmpty())
        Message(messages.trimmed());

    const CWorksheet sheet(sheetModel, seed);
    const CWorksheetPainter painter(sheet);
    if (HasPrinter()) {
        QPrinter printer(QPrinter::HighResolution);
        CPagedOutput::SetUpPages(printer);
        printer.setDocName(tr("Kestavo worksheet"));
        if (!RunPrintDialog(printer))
            return false;
        if (!painter.Paint(printer)) {
            Message(tr("The worksheet could not be printed. Check the printer and try again."));
            return false;
        }
        return true;
    }

    Message(tr("No printer is installed. Choose a PDF file for the worksheet instead; "
               "it can be printed from any computer."));
    SaveKind kind = SaveKind::Pdf;
    const QString chosen
        = ChooseFile(tr("Kestavo worksheet - seed %1.pdf").arg(seed), true, kind);
    if (chosen.isEmpty())
        return false;
    QString error;
    if (!CPagedOutput::WritePdf(
            withSuffix(chosen, QStringLiteral("pdf")), tr("Kestavo worksheet"),
            [&painter](QPagedPaintDevice& device) { return painter.Paint(device); }, error)) {
        Message(error);
        return false;
    }
    return true;
}
