#include "config/Setup.h"

#include "config/DialogUnits.h"
#include "config/OperatorSettings.h"
#include "config/OptionsPage.h"
#include "config/OptionsPropertySheet.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

Q_LOGGING_CATEGORY(lcSetup, "kestavo.setup", QtInfoMsg)

namespace {

constexpr int kAdvancedOptionsCaption = 129;
const char* const kQuestionCounts[] = { "10", "15", "20", "25", "30", "35", "40", "45", "50" };

struct RowGeometry
{
    int sign[2];
    int check[2];
    int slider[2];
};
constexpr RowGeometry kRows[OperatorCount] = {
    { { 29, 40 }, { 18, 45 }, { 64, 41 } },
    { { 30, 56 }, { 18, 62 }, { 64, 58 } },
    { { 29, 74 }, { 18, 80 }, { 64, 75 } },
    { { 29, 93 }, { 18, 98 }, { 64, 94 } },
};

} // namespace

CSetup::CSetup(QWidget* parent)
    : QDialog(parent)
    , m_sheetRunner([](COptionsPropertySheet& sheet) { return sheet.exec(); })
{
    setObjectName(QStringLiteral("CSetup"));
    for (int op = 0; op < OperatorCount; ++op) {
        ApplyDefaults(m_sets[op], OperatorNameOf(op), 0);
        m_sets[op].SetBool(ParamKey::Selected, false);
    }
    BuildControls();
}

CSetup::~CSetup() = default;

void CSetup::BuildControls()
{
    setWindowTitle(tr("Setup"));
    const CDialogUnits du;
    setFixedSize(du.X(207), du.Y(166));
    const auto label = [this, &du](const QString& text, int x, int y, int w, int h, Qt::Alignment align) {
        auto* widget = new QLabel(text, this);
        widget->setAlignment(align);
        du.Place(widget, x, y, w, h);
        return widget;
    };

    auto* group = new QGroupBox(this);
    du.Place(group, 4, 4, 200, 137);

    // Grows to the caption's width in languages with a longer word.
    du.PlaceFit(label(tr("Operator:"), 12, 12, 33, 8, Qt::AlignLeft | Qt::AlignTop), 12, 12, 33, 8);
    label(tr("Learning Level:"), 101, 12, 57, 11, Qt::AlignHCenter | Qt::AlignTop);
    label(tr("Easy"), 59, 20, 21, 9, Qt::AlignHCenter | Qt::AlignTop);
    label(tr("Difficult"), 168, 20, 29, 9, Qt::AlignHCenter | Qt::AlignTop);

    // Slider tick captions "1".."5"; their ids are not in caption order.
    const int captionIds[] = { 1002, 1003, 1004, 1001, 1006 };
    const int captionX[] = { 67, 96, 125, 153, 181 };
    for (int i = 0; i < 5; ++i) {
        QLabel* caption = label(QString::number(i + 1), captionX[i], 32, 8, 11, Qt::AlignLeft | Qt::AlignTop);
        caption->setObjectName(QString::number(captionIds[i]));
    }

    const char* const signs[] = { "+", "-", "x", "\u00f7" };
    for (int op = 0; op < OperatorCount; ++op) {
        const RowGeometry& row = kRows[op];
        m_signs[op] = label(
            QString::fromUtf8(signs[op]), row.sign[0], row.sign[1], 26, 17, Qt::AlignLeft | Qt::AlignVCenter);
        m_signs[op]->setObjectName(QString::number(IdFirstSign + op));

        m_checks[op] = new QCheckBox(this);
        m_checks[op]->setObjectName(QString::number(IdFirstCheckBox + op));
        m_checks[op]->setAccessibleName(LoadResString(op == OpAddition ? 131
                : op == OpSubtraction                                  ? 130
                : op == OpMultiplication                               ? 132
                                                                       : 133));
        du.PlaceFit(m_checks[op], row.check[0], row.check[1], 10, 8);

        m_sliders[op] = new QSlider(Qt::Horizontal, this);
        m_sliders[op]->setObjectName(QString::number(IdFirstSlider + op));
        m_sliders[op]->setRange(0, kLevelCount - 1);
        m_sliders[op]->setTickPosition(QSlider::TicksBothSides);
        m_sliders[op]->setTickInterval(1);
        m_sliders[op]->setPageStep(1);
        // Only the end of a movement counts: dragging acts on release.
        m_sliders[op]->setTracking(false);
        du.PlaceFit(m_sliders[op], row.slider[0], row.slider[1], 124, 12);

        connect(m_checks[op], &QCheckBox::clicked, this, [this, op] { OnCheckBox(op); });
        connect(m_sliders[op], &QSlider::valueChanged, this, [this, op] { OnSliderEnd(op); });
    }

    QLabel* questionsLabel = label(tr("Number of Questions:"), 12, 123, 71, 8, Qt::AlignLeft | Qt::AlignTop);
    du.PlaceFit(questionsLabel, 12, 123, 71, 8);
    m_questions = new QComboBox(this);
    m_questions->setObjectName(QString::number(IdQuestionsList));
    for (const char* count : kQuestionCounts)
        m_questions->addItem(QString::fromLatin1(count));
    du.PlaceFit(m_questions, 87, 120, 31, 12);
    du.KeepRightOf(questionsLabel, m_questions);

    const auto button = [this, &du](const QString& text, int id, int x, int y) {
        auto* widget = new QPushButton(text, this);
        widget->setObjectName(QString::number(id));
        du.Place(widget, x, y, 50, 14);
        return widget;
    };
    m_advanced = button(tr("Advanced..."), IdAdvanced, 135, 120);
    m_ok = button(tr("OK"), IdOk, 19, 148);
    m_ok->setDefault(true);
    m_cancel = button(tr("Cancel"), IdCancel, 72, 148);
    m_help = button(tr("Help"), IdHelp, 136, 148);

    connect(m_advanced, &QPushButton::clicked, this, &CSetup::OnAdvanced);
    connect(m_ok, &QPushButton::clicked, this, &CSetup::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CSetup::reject);
    connect(m_help, &QPushButton::clicked, this, &CSetup::helpRequested);

    // The operator signs: bold, twice the height of the dialog font.
    m_signFont = m_signs[0]->font();
    const int pixels = QFontInfo(m_signFont).pixelSize();
    m_signFont.setPixelSize(2 * pixels);
    m_signFont.setWeight(QFont::Bold);
    for (QLabel* sign : m_signs)
        sign->setFont(m_signFont);
}

void CSetup::setVisible(bool visible)
{
    if (visible && !m_initialised)
        InitDialog();
    QDialog::setVisible(visible);
}

void CSetup::InitDialog()
{
    m_initialised = true;

    DWORD index = 0;
    RegReadDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, index);
    m_questions->setCurrentIndex(index < DWORD(m_questions->count()) ? int(index) : 0);
    m_questionSize = CQuestionSize::Load();

    for (int op = 0; op < OperatorCount; ++op) {
        const std::string key = OperatorRegistryKey(op);
        const LONG result = m_sets[op].LoadFromRegistry(HKEY_CURRENT_USER, key.c_str());
        qCDebug(lcSetup) << "load" << key.c_str() << "result" << result;
        // Each row edits its own operator: a stored "Operator" naming another
        // (or none of the four) would make the row generate the wrong questions
        // or none at all.
        std::string name;
        m_sets[op].GetString(ParamKey::Operator, name);
        if (name != OperatorNameOf(op)) {
            m_sets[op].Unlock(ParamKey::Operator);
            m_sets[op].SetString(ParamKey::Operator, OperatorNameOf(op));
        }
    }

    for (int op = 0; op < OperatorCount; ++op) {
        const int level = ClampLevel(GetLevel(m_sets[op]));
        ReapplyLevelKeepingChoices(m_sets[op], level);
        ShowRow(op);
    }
    UpdateOkButton();
}

void CSetup::ShowRow(int op)
{
    bool selected = false;
    m_sets[op].GetBool(ParamKey::Selected, selected);
    {
        const QSignalBlocker blocker(m_sliders[op]);
        m_sliders[op]->setValue(GetLevel(m_sets[op]));
    }
    m_checks[op]->setChecked(selected);
    m_sliders[op]->setEnabled(selected);
}

void CSetup::UpdateOkButton()
{
    bool any = false;
    for (QCheckBox* check : m_checks)
        any = any || check->isChecked();
    m_ok->setEnabled(any);
}

void CSetup::OnCheckBox(int op)
{
    const bool checked = m_checks[op]->isChecked();
    m_sets[op].SetBool(ParamKey::Selected, checked);
    m_sliders[op]->setEnabled(checked);
    UpdateOkButton();
}

void CSetup::OnSliderEnd(int op)
{
    const int level = m_sliders[op]->value();
    bool selected = false;
    bool horizontal = false;
    m_sets[op].GetBool(ParamKey::Selected, selected);
    m_sets[op].GetBool(ParamKey::LayoutHorizontal, horizontal);
    std::string name;
    m_sets[op].GetString(ParamKey::Operator, name);
    ApplyDefaults(m_sets[op], name, level);
    SetLevel(m_sets[op], level);
    m_sets[op].SetBool(ParamKey::Selected, selected);
    m_sets[op].SetBool(ParamKey::LayoutHorizontal, horizontal);
}

void CSetup::OnAdvanced()
{
    int initialPage = 0;
    for (int op = OperatorCount - 1; op >= 0; --op) {
        bool selected = false;
        m_sets[op].GetBool(ParamKey::Selected, selected);
        if (selected)
            initialPage = op;
    }

    // Parented to this dialog so it stacks above it; the sheet has no Apply.
    COptionsPropertySheet sheet(LoadResString(kAdvancedOptionsCaption), this, initialPage);
    sheet.SetAdditionSettings(m_sets[OpAddition]);
    sheet.SetSubtractionSettings(m_sets[OpSubtraction]);
    sheet.SetMultiplicationSettings(m_sets[OpMultiplication]);
    sheet.SetDivisionSettings(m_sets[OpDivision]);
    sheet.SetQuestionSize(m_questionSize);
    if (m_sheetRunner(sheet) != QDialog::Accepted)
        return;

    m_questionSize = sheet.GetQuestionSize();
    m_sets[OpAddition] = sheet.GetAdditionSettings();
    m_sets[OpSubtraction] = sheet.GetSubtractionSettings();
    m_sets[OpMultiplication] = sheet.GetMultiplicationSettings();
    m_sets[OpDivision] = sheet.GetDivisionSettings();
    for (int op = 0; op < OperatorCount; ++op)
        ShowRow(op);
    UpdateOkButton();
}

void CSetup::accept()
{
    // OK is disabled while no operator is checked; a game needs one.
    if (!m_ok->isEnabled())
        return;
    m_numberOfQuestions = m_questions->currentText().toInt();

    const DWORD index = DWORD(qMax(0, m_questions->currentIndex()));
    // A failed save does not stop the game: it runs with the choices, and the
    // teacher learns that they will not be there next time.
    bool saved = RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, index) == 0;
    saved = CQuestionSize::Save(m_questionSize) && saved;
    for (int op = 0; op < OperatorCount; ++op) {
        const std::string key = OperatorRegistryKey(op);
        const LONG result = m_sets[op].SaveToRegistry(HKEY_CURRENT_USER, key.c_str());
        if (result != 0) {
            qCWarning(lcSetup) << "could not store" << key.c_str() << "error" << result;
            saved = false;
        }
    }
    if (!saved) {
        const QString text = tr("Your choices could not be saved on this computer. "
                                "This game still uses them, but Setup will not remember them "
                                "next time.");
        if (m_saveErrorSink)
            m_saveErrorSink(text);
        else
            QMessageBox::warning(this, windowTitle(), text);
    }
    QDialog::accept();
}

void CSetup::CollectSelected(std::vector<CParameterSet>& selected) const
{
    for (const CParameterSet& set : m_sets) {
        bool isSelected = false;
        set.GetBool(ParamKey::Selected, isSelected);
        if (!isSelected)
            continue;
        CParameterSet copy = set;
        copy.RemoveKey(ParamKey::Selected);
        selected.push_back(copy);
    }
}
