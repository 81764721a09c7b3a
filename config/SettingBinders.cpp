#include "config/SettingBinders.h"

#include <QAbstractButton>

void BindCheckBox(QAbstractButton* checkBox, const CParameterSet& set, const std::string& key)
{
    if (!checkBox)
        return;
    bool checked = false;
    set.GetBool(key, checked);
    checkBox->setEnabled(set.IsEditable(key));
    checkBox->setChecked(checked);
}

void BindRadioPair(
    QAbstractButton* first, QAbstractButton* second, const CParameterSet& set, const std::string& key)
{
    bool flag = false;
    set.GetBool(key, flag);
    // Exclusive buttons clear each other; setting the chosen one is enough there,
    // and clearing the other keeps separate buttons consistent too.
    if (first)
        first->setChecked(flag);
    if (second)
        second->setChecked(!flag);
}
