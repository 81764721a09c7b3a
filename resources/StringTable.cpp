#include "resources/StringTable.h"

#include <unordered_map>

namespace {

const std::unordered_map<int, const char*>& table()
{
    // Texts are UTF-8. Keep ids in ascending order.
    static const std::unordered_map<int, const char*> strings = {
        { 129, "Advanced Options" },
        { 130, "Subtraction" },
        { 131, "Addition" },
        { 132, "Multiplication" },
        { 133, "Division" },
        { 134, "Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills." },
        { 135, " " },
        { 137, "Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.\nOther product names "
               "mentioned may be trademarks of their respective owners." },
        { 138, "Copyright \u00a9 2026 Tandrel Technologies Inc. All rights reserved." },
        { 139, "Score" },
        { 140, "Hints" },
        { 141, "correct out of" },
        { 142, "Question" },
        { 143, "of" },
        { 144, "Next" },
        { 145, "Previous" },
        { 147, "&Go..." },
        { 148, "&Stop" },
        { 149, "(Hint: Drag the apples out of the bowl to help solve the equation.)" },
        { 150, "The number of questions that you\u2019ve specified is too high. Tandrel Kestavo can\u2019t "
               "generate that many questions for a game at this level. Either decrease the number of "
               "questions or select a more difficult level." },
        { 57344, "Tandrel Kestavo" },
    };
    return strings;
}

} // namespace

QString LoadResString(int id)
{
    const auto it = table().find(id);
    return it == table().end() ? QString() : QString::fromUtf8(it->second);
}
