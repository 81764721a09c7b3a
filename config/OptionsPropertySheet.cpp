#include "config/OptionsPropertySheet.h"

#include "config/SetupAddition.h"
#include "config/SetupDivision.h"
#include "config/SetupMultiplication.h"
#include "config/SetupSubtraction.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsPropertySheet::COptionsPropertySheet(const QString& caption, QWidget* parent, int initialPage)
    : QDialog(parent)
    , m_addition(new CSetupAddition)
    , m_subtraction(new CSetupSubtraction)
    , m_multiplication(new CSetupMultiplication)
    , m_division(new CSetupDivision)
    , m_tabs(new QTabWidget(this))
    , m_initialPage(initialPage)
{
    setObjectName(QStringLiteral("COptionsPropertySheet"));
    setWindowTitle(caption);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    for (COptionsPage* page :
        { static_cast<COptionsPage*>(m_addition), static_cast<COptionsPage*>(m_subtraction),
            static_cast<COptionsPage*>(m_multiplication), static_cast<COptionsPage*>(m_division) })
        m_tabs->addTab(page, page->Caption());

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("2"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // How big the game shows its questions: a display choice of the whole game,
    // so it sits beside the buttons rather than on an operator's page.
    m_questionSize = new QComboBox(this);
    m_questionSize->setObjectName(QStringLiteral("questionSize"));
    for (int i = 0; i < CQuestionSize::Count; ++i)
        m_questionSize->addItem(CQuestionSize::Label(static_cast<CQuestionSize::Size>(i)));
    auto* sizeLabel = new QLabel(tr("&Question size:"), this);
    sizeLabel->setBuddy(m_questionSize);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sizeLabel);
    buttons->addWidget(m_questionSize);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void COptionsPropertySheet::SetQuestionSize(CQuestionSize::Size size)
{
    m_questionSize->setCurrentIndex(CQuestionSize::FromNumber(size));
}

CQuestionSize::Size COptionsPropertySheet::GetQuestionSize() const
{
    return CQuestionSize::FromNumber(m_questionSize->currentIndex());
}

COptionsPage* COptionsPropertySheet::Page(int index) const
{
    return qobject_cast<COptionsPage*>(m_tabs->widget(index));
}

CParameterSet& COptionsPropertySheet::GetAdditionSettings()
{
    return m_addition->Settings();
}

CParameterSet& COptionsPropertySheet::GetSubtractionSettings()
{
    return m_subtraction->Settings();
}

CParameterSet& COptionsPropertySheet::GetMultiplicationSettings()
{
    return m_multiplication->Settings();
}

CParameterSet& COptionsPropertySheet::GetDivisionSettings()
{
    return m_division->Settings();
}

void COptionsPropertySheet::InitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    // Before any page runs its own initialisation: a page never opened is
    // handed back exactly as it came in.
    for (int i = 0; i < 4; ++i)
        Page(i)->SetSettings(m_initial[i]);
    if (m_initialPage >= 0 && m_initialPage < m_tabs->count())
        m_tabs->setCurrentIndex(m_initialPage);
}

void COptionsPropertySheet::setVisible(bool visible)
{
    // Before the children are shown: the first page shown initialises itself
    // from the settings it must already hold.
    if (visible)
        InitDialog();
    QDialog::setVisible(visible);
}
