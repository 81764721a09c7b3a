#include "app/GoDialog.h"

#include "config/DialogUnits.h"

#include <QPushButton>
#include <QRadioButton>

CGoDialog::CGoDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CGoDialog"));
    setWindowTitle(tr("New Game"));
    const CDialogUnits units;
    setFont(CDialogUnits::Font());
    setFixedSize(units.X(186), units.Y(73));

    m_keep = new QRadioButton(tr("Keep learning level"), this);
    m_keep->setObjectName(QString::number(kKeepId));
    units.PlaceFit(m_keep, 21, 11, 108, 9);
    m_change = new QRadioButton(tr("Change learning level"), this);
    m_change->setObjectName(QString::number(kChangeId));
    units.PlaceFit(m_change, 21, 25, 108, 9);
    // The two are handled by hand, as a pair, not as an automatic group.
    m_keep->setAutoExclusive(false);
    m_change->setAutoExclusive(false);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("1"));
    m_ok->setDefault(true);
    units.Place(m_ok, 74, 49, 50, 14);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("2"));
    units.Place(m_cancel, 129, 49, 50, 14);

    connect(m_keep, &QRadioButton::clicked, this, &CGoDialog::OnKeepLevel);
    connect(m_change, &QRadioButton::clicked, this, &CGoDialog::OnChangeLevel);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    OnKeepLevel();
}

void CGoDialog::OnKeepLevel()
{
    m_keep->setChecked(true);
    m_change->setChecked(false);
    UpdateChoice();
}

void CGoDialog::OnChangeLevel()
{
    m_keep->setChecked(false);
    m_change->setChecked(true);
    UpdateChoice();
}

void CGoDialog::UpdateChoice()
{
    m_keepLearningLevel = m_keep->isChecked() && !m_change->isChecked();
}
