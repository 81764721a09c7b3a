#include "config/OptionsPage.h"

#include "config/DialogUnits.h"
#include "config/OptionsPreview.h"
#include "config/SettingBinders.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

Q_LOGGING_CATEGORY(lcOptions, "kestavo.options", QtInfoMsg)

namespace {

// What differs between the four pages.
struct PageTable
{
    int captionId;
    int includeId;
    const char* includeText;
    int levelId;
    const char* styleItems[2];
    int formatHeight;
    bool hasLayout;
    int layoutTop; // group box top
    int verticalRadio[2]; // x, y
    int horizontalRadio[2]; // x, y
    int frameHeight;
};

const PageTable& TableOf(EOperator op)
{
    static const PageTable tables[OperatorCount] = {
        { 131, 1042, QT_TRANSLATE_NOOP("COptionsPage", "Include addition to game"), 1046,
            { "3+4=?", "3+?=7" }, 95, true, 119, { 13, 130 }, { 51, 130 }, 117 },
        { 130, 1043, QT_TRANSLATE_NOOP("COptionsPage", "Include subtraction to game"), 1047,
            { "7-4=?", "7-?=3" }, 95, true, 119, { 13, 130 }, { 51, 130 }, 117 },
        { 132, 1044, QT_TRANSLATE_NOOP("COptionsPage", "Include multiplication to game"), 1048,
            { "3x4=?", "3x?=12" }, 68, true, 94, { 18, 104 }, { 59, 104 }, 93 },
        { 133, 1045, QT_TRANSLATE_NOOP("COptionsPage", "Include division to game"), 1049,
            { "12\u00f74=?", "12\u00f7?=3" }, 91, false, 0, { 0, 0 }, { 0, 0 }, 87 },
    };
    return tables[op];
}

} // namespace

COptionsPage::COptionsPage(EOperator op, const QString& className)
    : m_operator(op)
{
    setObjectName(className);
    switch (op) {
    case OpAddition:
        m_options[0] = { 2006, QT_TR_NOOP("Allow Carrying"), ParamKey::Carry, &SetCarryIfPresent };
        m_options[1]
            = { 2007, QT_TR_NOOP("Show Manipulatives"), ParamKey::Manipulatives, &SetManipulativesIfPresent };
        m_optionCount = 2;
        break;
    case OpSubtraction:
        m_options[0] = { 1070, QT_TR_NOOP("Allow Borrowing"), ParamKey::Borrow, &SetBorrowIfPresent };
        m_options[1]
            = { 2007, QT_TR_NOOP("Show Manipulatives"), ParamKey::Manipulatives, &SetManipulativesIfPresent };
        m_optionCount = 2;
        break;
    case OpDivision:
        m_options[0] = { 2024, QT_TR_NOOP("Allow Remainder"), ParamKey::Remainder, &SetRemainderIfPresent };
        m_options[1] = { 1072, QT_TR_NOOP("Allow Decimal Divisor"), ParamKey::DecimalDivisor,
            &SetDecimalDivisorIfPresent };
        m_optionCount = 2;
        break;
    default:
        m_optionCount = 0;
        break;
    }
    BuildControls();
}

QString COptionsPage::Caption() const
{
    return LoadResString(TableOf(m_operator).captionId);
}

void COptionsPage::BuildControls()
{
    const PageTable& table = TableOf(m_operator);
    const CDialogUnits du;
    setMinimumSize(du.X(258), du.Y(161));
    const auto named = [](QWidget* widget, int id) {
        widget->setObjectName(QString::number(id));
        return widget;
    };

    // Group boxes first, so the controls drawn over them stay on top.
    m_format = new QGroupBox(tr("Format"), this);
    du.Place(m_format, 10, 23, 98, table.formatHeight);
    if (table.hasLayout) {
        m_layout = new QGroupBox(tr("Layout"), this);
        du.Place(m_layout, 10, table.layoutTop, 98, 26);
    }
    m_frame = new QFrame(this);
    named(m_frame, IdPreviewFrame);
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Plain);
    m_frame->setLineWidth(1);
    m_frame->setPalette([this] {
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        return pal;
    }());
    du.Place(m_frame, 114, 27, 132, table.frameHeight);

    m_include = new QCheckBox(tr(table.includeText), this);
    named(m_include, table.includeId);
    du.PlaceFit(m_include, 9, 8, 126, 8);

    auto* levelLabel = new QLabel(tr("Learning Level:"), this);
    du.PlaceFit(levelLabel, 20, 35, 50, 8);
    m_level = new QComboBox(this);
    named(m_level, table.levelId);
    for (int level = 1; level <= kLevelCount; ++level)
        m_level->addItem(QString::number(level));
    du.PlaceFit(m_level, 74, 33, 26, 12);
    du.KeepRightOf(levelLabel, m_level);

    m_styleLabel = new QLabel(tr("Style:"), this);
    named(m_styleLabel, IdStyleLabel);
    du.PlaceFit(m_styleLabel, 20, 56, 25, 8);
    m_style = new QComboBox(this);
    named(m_style, IdStyleBox);
    m_style->addItem(QString::fromUtf8(table.styleItems[0]));
    m_style->addItem(QString::fromUtf8(table.styleItems[1]));
    du.PlaceFit(m_style, 52, 54, 48, 12);
    du.KeepRightOf(m_styleLabel, m_style);

    m_decimals = new QCheckBox(tr("Allow Decimals"), this);
    named(m_decimals, IdAllowDecimals);
    du.PlaceFit(m_decimals, 20, 71, 80, 10);
    for (int i = 0; i < m_optionCount; ++i) {
        m_specific[i] = new QCheckBox(tr(m_options[i].text), this);
        named(m_specific[i], m_options[i].id);
        du.PlaceFit(m_specific[i], 20, 84 + 13 * i, 84, 10);
    }

    if (table.hasLayout) {
        m_vertical = new QRadioButton(tr("Vertical"), this);
        named(m_vertical, IdLayoutVertical);
        du.PlaceFit(m_vertical, table.verticalRadio[0], table.verticalRadio[1], 36, 10);
        m_horizontal = new QRadioButton(tr("Horizontal"), this);
        named(m_horizontal, IdLayoutHorizontal);
        du.PlaceFit(m_horizontal, table.horizontalRadio[0], table.horizontalRadio[1], 44, 10);
        du.KeepRightOf(m_vertical, m_horizontal);
    }

    // Where the UI font's texts run wider than the template allows, the group
    // boxes grow to hold them, up to the preview frame. Where they need more
    // still (longer words in another language), the frame, its picture and
    // the Defaults button move right and the page grows with them.
    int right = 0;
    for (QWidget* control : { static_cast<QWidget*>(m_decimals), static_cast<QWidget*>(m_specific[0]),
             static_cast<QWidget*>(m_specific[1]), static_cast<QWidget*>(m_horizontal),
             static_cast<QWidget*>(m_style), static_cast<QWidget*>(m_level) }) {
        if (control)
            right = qMax(right, control->geometry().right() + 1 + du.X(3));
    }
    const int shift = qMax(0, right + du.X(2) - m_frame->x());
    m_frame->move(m_frame->x() + shift, m_frame->y());
    setMinimumSize(minimumWidth() + shift, minimumHeight());
    right = qMin(right, m_frame->x() - du.X(2));
    for (QGroupBox* group : { m_format, m_layout }) {
        if (group && group->geometry().right() + 1 < right)
            group->resize(right - group->x(), group->height());
    }

    m_picture = new QLabel(this);
    named(m_picture, IdPreviewPicture);
    m_picture->move(du.X(115) + shift, du.Y(28));

    m_defaults = new QPushButton(tr("Defaults"), this);
    named(m_defaults, IdDefaults);
    du.Place(m_defaults, 197, 147, 50, 14);
    m_defaults->move(m_defaults->x() + shift, m_defaults->y());
    // A longer caption (another language's) grows leftwards: the right edge stays.
    if (const int extra = m_defaults->sizeHint().width() - m_defaults->width(); extra > 0)
        m_defaults->setGeometry(m_defaults->geometry().adjusted(-extra, 0, 0, 0));

    // User actions only: the refresh sets these controls without re-entering.
    connect(m_level, &QComboBox::activated, this, [this] { OnLevelChanged(); });
    connect(m_defaults, &QPushButton::clicked, this, [this] { ResetToLevelDefaults(); });
    connect(m_style, &QComboBox::activated, this, [this] { OnStyleChanged(); });
    connect(m_decimals, &QCheckBox::clicked, this, [this] { OnDecimalsClicked(); });
    for (int i = 0; i < m_optionCount; ++i)
        connect(m_specific[i], &QCheckBox::clicked, this, [this, i] { OnSpecificClicked(i); });
    if (m_vertical) {
        connect(m_vertical, &QRadioButton::clicked, this, [this] { OnLayoutClicked(false); });
        connect(m_horizontal, &QRadioButton::clicked, this, [this] { OnLayoutClicked(true); });
    }
    connect(m_include, &QCheckBox::clicked, this, [this] { OnIncludeClicked(); });
}

void COptionsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_initialised)
        InitDialog();
}

void COptionsPage::InitDialog()
{
    m_initialised = true;
    // A stored level outside 0..4 would leave no item selected and make
    // "Defaults" drop the operand bounds.
    m_level->setCurrentIndex(ClampLevel(GetLevel(m_settings)));
    RefreshControls();

    // A page out of the game shows none of its choices: its controls were
    // never set, and writing them back would wipe the teacher's choices.
    bool selected = false;
    m_settings.GetBool(ParamKey::Selected, selected);
    if (!selected)
        return;
    // Write the shown states back through the controls' own setters; on the
    // division page this applies the decimal lock rule to the shown value.
    SetAlgebraModeIfPresent(m_settings, m_style->currentIndex() == 1);
    SetEnableDecimals(m_settings, m_decimals->isChecked());
    for (int i = 0; i < m_optionCount; ++i)
        m_options[i].setter(m_settings, m_specific[i]->isChecked());
    RefreshControls();
}

void COptionsPage::RefreshControls()
{
    bool selected = false;
    m_settings.GetBool(ParamKey::Selected, selected);
    QWidget* const controls[] = { m_level, m_style, m_decimals, m_specific[0], m_specific[1], m_vertical,
        m_horizontal, m_defaults };
    if (!selected) {
        m_include->setChecked(false);
        for (QWidget* control : controls) {
            if (control)
                control->setEnabled(false);
        }
        DrawPreview(true);
        return;
    }

    m_include->setChecked(true);
    for (QWidget* control : controls) {
        if (control)
            control->setEnabled(true);
    }

    bool algebra = false;
    m_settings.GetBool(ParamKey::AlgebraMode, algebra);
    m_style->setCurrentIndex(algebra ? 1 : 0);
    const bool styleEditable = m_settings.IsEditable(ParamKey::AlgebraMode);
    m_styleLabel->setEnabled(styleEditable);
    m_style->setEnabled(styleEditable);

    BindCheckBox(m_decimals, m_settings, ParamKey::EnableDecimals);
    for (int i = 0; i < m_optionCount; ++i)
        BindCheckBox(m_specific[i], m_settings, m_options[i].key);
    if (m_vertical)
        BindRadioPair(m_horizontal, m_vertical, m_settings, ParamKey::LayoutHorizontal);
    DrawPreview(false);
}

void COptionsPage::DrawPreview(bool greyed)
{
    const QSize canvas = COptionsPreview::CanvasSize(m_frame->size());
    m_preview = COptionsPreview::RenderSample(m_settings, m_operator, canvas, greyed);
    ++m_previewCount;
    m_picture->setPixmap(QPixmap::fromImage(m_preview));
    m_picture->resize(m_preview.size());
    qCDebug(lcOptions) << objectName() << "preview" << m_previewCount << (greyed ? "greyed" : "");
}

void COptionsPage::ResetToLevelDefaults()
{
    bool selected = false;
    bool horizontal = false;
    m_settings.GetBool(ParamKey::Selected, selected);
    m_settings.GetBool(ParamKey::LayoutHorizontal, horizontal);
    std::string op;
    m_settings.GetString(ParamKey::Operator, op);
    const int level = m_level->currentIndex();
    ApplyDefaults(m_settings, op, level);
    SetLevel(m_settings, level);
    m_settings.SetBool(ParamKey::Selected, selected);
    m_settings.SetBool(ParamKey::LayoutHorizontal, horizontal);
    RefreshControls();
}

void COptionsPage::OnLevelChanged()
{
    ResetToLevelDefaults();
}

void COptionsPage::OnStyleChanged()
{
    SetAlgebraModeIfPresent(m_settings, m_style->currentIndex() == 1);
    RefreshControls();
}

void COptionsPage::OnDecimalsClicked()
{
    SetEnableDecimals(m_settings, m_decimals->isChecked());
    RefreshControls();
}

void COptionsPage::OnSpecificClicked(int index)
{
    m_options[index].setter(m_settings, m_specific[index]->isChecked());
    RefreshControls();
}

void COptionsPage::OnLayoutClicked(bool horizontal)
{
    m_settings.SetBool(ParamKey::LayoutHorizontal, horizontal);
    RefreshControls();
}

void COptionsPage::OnIncludeClicked()
{
    m_settings.SetBool(ParamKey::Selected, m_include->isChecked());
    if (m_include->isChecked()) {
        // A page opened out of the game skipped the decimal rule; apply it to
        // the choices it shows now.
        bool decimals = false;
        m_settings.GetBool(ParamKey::EnableDecimals, decimals);
        SetEnableDecimals(m_settings, decimals);
    }
    RefreshControls();
}
