#pragma once

#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"

#include <QImage>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// One page of the advanced options: edits a working copy of one operator's
// settings (include, learning level, style, decimals, the operator's own
// options, layout) and shows a fresh sample question of them beside the
// controls. The four operator pages differ only in the table they are built
// from (see CSetupAddition and its siblings).
class COptionsPage : public QWidget
{
    Q_OBJECT

public:
    // Control ids, used as object names.
    enum ControlId
    {
        IdStyleLabel = 1001,
        IdPreviewPicture = 1026,
        IdPreviewFrame = 1027,
        IdLayoutVertical = 2003,
        IdLayoutHorizontal = 2004,
        IdAllowDecimals = 2010,
        IdStyleBox = 2020,
        IdDefaults = 2023,
    };

    COptionsPage(EOperator op, const QString& className);

    EOperator Operator() const { return m_operator; }
    // The tab text: strings 131, 130, 132, 133.
    QString Caption() const;

    CParameterSet& Settings() { return m_settings; }
    const CParameterSet& Settings() const { return m_settings; }
    void SetSettings(const CParameterSet& settings) { m_settings = settings; }

    // Runs once, when the page is first shown: selects the level, shows the
    // settings and, on a page in the game, writes the shown states back
    // through the controls' setters.
    void InitDialog();
    bool IsInitialised() const { return m_initialised; }

    void RefreshControls();
    void DrawPreview(bool greyed);
    void ResetToLevelDefaults();

    // The last rendered sample (null before the first).
    QImage PreviewImage() const { return m_preview; }
    int PreviewCount() const { return m_previewCount; }

    QCheckBox* IncludeBox() const { return m_include; }
    QComboBox* LevelBox() const { return m_level; }
    QComboBox* StyleBox() const { return m_style; }
    QLabel* StyleLabel() const { return m_styleLabel; }
    QCheckBox* DecimalsBox() const { return m_decimals; }
    // The operator's own check boxes in table order (none on multiplication).
    QCheckBox* SpecificBox(int index) const { return index >= 0 && index < 2 ? m_specific[index] : nullptr; }
    QRadioButton* VerticalRadio() const { return m_vertical; }
    QRadioButton* HorizontalRadio() const { return m_horizontal; }
    QPushButton* DefaultsButton() const { return m_defaults; }
    QFrame* PreviewFrame() const { return m_frame; }
    QLabel* PreviewPicture() const { return m_picture; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct SpecificOption
    {
        int id;
        const char* text;
        const char* key;
        int (*setter)(CParameterSet&, bool);
    };

    void BuildControls();
    void OnLevelChanged();
    void OnStyleChanged();
    void OnDecimalsClicked();
    void OnSpecificClicked(int index);
    void OnLayoutClicked(bool horizontal);
    void OnIncludeClicked();

    EOperator m_operator;
    CParameterSet m_settings;
    bool m_initialised = false;
    QImage m_preview;
    int m_previewCount = 0;
    SpecificOption m_options[2] = {};
    int m_optionCount = 0;

    QCheckBox* m_include = nullptr;
    QGroupBox* m_format = nullptr;
    QComboBox* m_level = nullptr;
    QLabel* m_styleLabel = nullptr;
    QComboBox* m_style = nullptr;
    QCheckBox* m_decimals = nullptr;
    QCheckBox* m_specific[2] = {};
    QGroupBox* m_layout = nullptr;
    QRadioButton* m_vertical = nullptr;
    QRadioButton* m_horizontal = nullptr;
    QFrame* m_frame = nullptr;
    QLabel* m_picture = nullptr;
    QPushButton* m_defaults = nullptr;
};
