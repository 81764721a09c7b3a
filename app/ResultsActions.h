#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>

class CGameModel;
class QPrinter;
class QWidget;

// "Save Results...", "Print Results..." and "Print Worksheet...": asks for
// what it needs (the pupil's or group's name once per game, a file, the print
// dialog), writes through the report classes, and reports any failure in one
// message. A failure or a cancelled dialog changes nothing, so the results
// can always be saved again.
class CResultsActions
{
    Q_DECLARE_TR_FUNCTIONS(CResultsActions)

public:
    enum class SaveKind
    {
        Pdf,
        Csv,
        Both
    };

    // Each empty member means the real dialog. Tests script them.
    struct Hooks
    {
        // Fills name (may be left empty); false when cancelled.
        std::function<bool(QString& name)> askName;
        // The chosen path and kind for a suggested file name; empty when cancelled.
        std::function<QString(const QString& suggested, bool worksheet, SaveKind& kind)> chooseFile;
        // Runs the print dialog on the printer; false when cancelled.
        std::function<bool(QPrinter& printer)> printDialog;
        // Whether any printer is installed.
        std::function<bool()> hasPrinter;
        std::function<void(const QString& text)> message;
    };

    CResultsActions(QWidget* parent, CGameModel& model);

    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // A new game's results: the name is asked again.
    void ForgetName();

    // Each returns true when something was written or printed.
    bool SaveResults();
    bool PrintResults();
    bool PrintWorksheet();

private:
    bool EnsureName();
    QString ChooseFile(const QString& suggested, bool worksheet, SaveKind& kind);
    bool HasPrinter() const;
    bool RunPrintDialog(QPrinter& printer);
    void Message(const QString& text);

    QWidget* m_parent;
    CGameModel& m_model;
    Hooks m_hooks;
    QString m_name;
    bool m_nameAsked = false;
    QString m_folder; // where the last file went
};
