#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What each learning level asks, worked out from the level defaults the game
// itself applies (ApplyDefaults): the help's levels table is built from this
// at build time, so the help can never promise other numbers than the game's.
class CLevelGuide
{
public:
    struct Row
    {
        int level = 0; // index 0..4
        int operandMin = 0;
        int operandMax = 0;
        // Cells in column order, plain text.
        QStringList cells;
    };

    // Marker in the page template that the table replaces.
    static constexpr const char* kMarker = "<!-- levels table -->";

    static std::vector<Row> Rows();
    static QStringList Headers();
    // The HTML table of all rows.
    static QString TableHtml();
    // The template with its marker replaced by the table; empty when the
    // template has no marker.
    static QString FillTemplate(const QString& page);
};
