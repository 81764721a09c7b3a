#pragma once

#include <QString>

class CSettingsImport;
class QWidget;

// The Game menu's Import Settings... and Export Settings...: a file dialog,
// then for an import a confirmation that lists the operations and levels the
// file holds, and a message with the outcome.
class CSettingsMenu
{
public:
    static void Import(QWidget* parent);
    static void Export(QWidget* parent);

    // The question asked before an import of path.
    static QString Confirmation(const CSettingsImport& import, const QString& path);
};
