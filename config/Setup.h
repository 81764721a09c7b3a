#pragma once

#include "config/ParameterSet.h"
#include "config/QuestionSize.h"

#include <QDialog>
#include <QFont>
#include <functional>
#include <vector>

class COptionsPropertySheet;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

// The "Setup" dialog: the teacher chooses the operators of the next game, a
// learning level for each and the number of questions. The settings are read
// from the store when the dialog opens and written back on OK; "Advanced..."
// edits copies of them in the options sheet.
class CSetup : public QDialog
{
    Q_OBJECT

public:
    // Control ids, used as object names.
    enum ControlId
    {
        IdOk = 1,
        IdCancel = 2,
        IdFirstSign = 1022, // 1022..1025: "+", "-", "x", "÷"
        IdFirstCheckBox = 1042, // 1042..1045
        IdQuestionsList = 1055,
        IdAdvanced = 1057,
        IdFirstSlider = 1075, // 1075..1078
        IdHelp = 57670,
    };

    // Runs the options sheet modally; returns QDialog::Accepted or Rejected.
    using SheetRunner = std::function<int(COptionsPropertySheet& sheet)>;

    explicit CSetup(QWidget* parent = nullptr);
    ~CSetup() override;

    // Reads the store and sets the controls; runs once, before the dialog is
    // first shown.
    void InitDialog();
    void setVisible(bool visible) override;

    int GetNumberOfQuestions() const { return m_numberOfQuestions; }
    // The question size: read with the other settings, changed on the advanced
    // options sheet, stored on OK.
    CQuestionSize::Size GetQuestionSize() const { return m_questionSize; }
    // Copies of the sets whose "Selected" reads true, in operator order,
    // without their "Selected" key.
    void CollectSelected(std::vector<CParameterSet>& selected) const;

    const CParameterSet& Settings(int op) const { return m_sets[op]; }
    // The options sheet runs through this (tests drive the sheet without a
    // nested event loop).
    void SetSheetRunner(SheetRunner runner) { m_sheetRunner = std::move(runner); }

    QCheckBox* OperatorBox(int op) const { return m_checks[op]; }
    QSlider* LevelSlider(int op) const { return m_sliders[op]; }
    QLabel* SignLabel(int op) const { return m_signs[op]; }
    QComboBox* QuestionsList() const { return m_questions; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* AdvancedButton() const { return m_advanced; }
    QPushButton* HelpButton() const { return m_help; }

    void OnAdvanced();
    // Stores the choices and closes with Accepted, even when they could not
    // be stored: the game goes ahead with them, and the teacher is told.
    void accept() override;

    // Where the "could not be saved" message goes; unset: a message box.
    void SetSaveErrorSink(std::function<void(const QString&)> sink) { m_saveErrorSink = std::move(sink); }

signals:
    // The "Help" button: the application shows its help.
    void helpRequested();

private:
    void BuildControls();
    void OnCheckBox(int op);
    void OnSliderEnd(int op);
    void UpdateOkButton();
    void ShowRow(int op);

    int m_numberOfQuestions = 10;
    CQuestionSize::Size m_questionSize = CQuestionSize::Standard;
    QFont m_signFont;
    CParameterSet m_sets[4];
    bool m_initialised = false;
    SheetRunner m_sheetRunner;

    QComboBox* m_questions = nullptr;
    QSlider* m_sliders[4] = {};
    QCheckBox* m_checks[4] = {};
    QLabel* m_signs[4] = {};
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_help = nullptr;
    QPushButton* m_advanced = nullptr;
    std::function<void(const QString&)> m_saveErrorSink;
};
