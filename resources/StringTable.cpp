#include "resources/StringTable.h"

#include <QCoreApplication>
#include <unordered_map>

namespace {

const std::unordered_map<int, const char*>& table()
{
    // Texts are UTF-8, translated in the "StringTable" context. Keep ids in
    // ascending order.
    static const std::unordered_map<int, const char*> strings = {
        { 129, QT_TRANSLATE_NOOP("StringTable", "Advanced Options") },
        { 130, QT_TRANSLATE_NOOP("StringTable", "Subtraction") },
        { 131, QT_TRANSLATE_NOOP("StringTable", "Addition") },
        { 132, QT_TRANSLATE_NOOP("StringTable", "Multiplication") },
        { 133, QT_TRANSLATE_NOOP("StringTable", "Division") },
        { 134,
            QT_TRANSLATE_NOOP("StringTable",
                "Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills.") },
        { 135, " " }, // a blank line, the same in every language
        { 137,
            QT_TRANSLATE_NOOP("StringTable",
                "Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.\nOther product names "
                "mentioned may be trademarks of their respective owners.") },
        { 138,
            QT_TRANSLATE_NOOP(
                "StringTable", "Copyright © 2026 Tandrel Technologies Inc. All rights reserved.") },
        { 139, QT_TRANSLATE_NOOP("StringTable", "Score") },
        { 140, QT_TRANSLATE_NOOP("StringTable", "Hints") },
        { 141, QT_TRANSLATE_NOOP("StringTable", "correct out of") },
        { 142, QT_TRANSLATE_NOOP("StringTable", "Question") },
        { 143, QT_TRANSLATE_NOOP("StringTable", "of") },
        { 144, QT_TRANSLATE_NOOP("StringTable", "Next") },
        { 145, QT_TRANSLATE_NOOP("StringTable", "Previous") },
        { 147, QT_TRANSLATE_NOOP("StringTable", "&Go...") },
        { 148, QT_TRANSLATE_NOOP("StringTable", "&Stop") },
        { 149,
            QT_TRANSLATE_NOOP(
                "StringTable", "(Hint: Drag the apples out of the bowl to help solve the equation.)") },
        { 150,
            QT_TRANSLATE_NOOP("StringTable",
                "The number of questions that you’ve specified is too high. Tandrel Kestavo can’t "
                "generate that many questions for a game at this level. Either decrease the number of "
                "questions or select a more difficult level.") },
        { 57344, QT_TRANSLATE_NOOP("StringTable", "Tandrel Kestavo") },
    };
    return strings;
}

} // namespace

QString LoadResString(int id)
{
    const auto it = table().find(id);
    return it == table().end() ? QString() : QCoreApplication::translate("StringTable", it->second);
}
