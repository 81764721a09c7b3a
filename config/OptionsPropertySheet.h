#pragma once

#include "config/ParameterSet.h"
#include "config/QuestionSize.h"

#include <QDialog>

class COptionsPage;
class CSetupAddition;
class CSetupSubtraction;
class CSetupMultiplication;
class CSetupDivision;
class QComboBox;
class QPushButton;
class QTabWidget;

// The advanced options: one tab per operator (addition, subtraction,
// multiplication, division), each editing a working copy of that operator's
// settings. Nothing changes outside the sheet: the caller reads the four
// working sets back after OK; Cancel drops them. There is no Apply button.
class COptionsPropertySheet : public QDialog
{
    Q_OBJECT

public:
    COptionsPropertySheet(const QString& caption, QWidget* parent, int initialPage);

    // Copy the given set in as the initial settings of a page.
    void SetAdditionSettings(const CParameterSet& set) { m_initial[0] = set; }
    void SetSubtractionSettings(const CParameterSet& set) { m_initial[1] = set; }
    void SetMultiplicationSettings(const CParameterSet& set) { m_initial[2] = set; }
    void SetDivisionSettings(const CParameterSet& set) { m_initial[3] = set; }

    // The question size shown in the sheet's own row (for every operator).
    void SetQuestionSize(CQuestionSize::Size size);
    CQuestionSize::Size GetQuestionSize() const;

    // The pages' working sets (read them after OK).
    CParameterSet& GetAdditionSettings();
    CParameterSet& GetSubtractionSettings();
    CParameterSet& GetMultiplicationSettings();
    CParameterSet& GetDivisionSettings();

    // Hands the initial settings to every page and shows the initial page;
    // runs once, just before the sheet is first shown.
    void InitDialog();
    void setVisible(bool visible) override;

    QTabWidget* Tabs() const { return m_tabs; }
    COptionsPage* Page(int index) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    QComboBox* QuestionSizeList() const { return m_questionSize; }

private:
    CParameterSet m_initial[4];
    CSetupAddition* m_addition;
    CSetupSubtraction* m_subtraction;
    CSetupMultiplication* m_multiplication;
    CSetupDivision* m_division;
    QTabWidget* m_tabs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QComboBox* m_questionSize;
    int m_initialPage;
    bool m_initialised = false;
};
