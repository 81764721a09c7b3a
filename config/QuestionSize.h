#pragma once

#include <QString>

// How big the game shows its questions: the teacher's choice for large boards,
// kept in the user's settings (main key, REG_DWORD "QuestionSize"). Standard is
// the classic look; Large and Extra large scale the answer fields, the question
// panel, the apples and the button strip together.
class CQuestionSize
{
public:
    enum Size
    {
        Standard = 0,
        Large = 1,
        ExtraLarge = 2,
        Count = 3
    };

    static constexpr const char* kValueName = "QuestionSize";
    // The answer fields' font at Standard size.
    static constexpr int kBaseFontPoints = 26;

    // The stored choice; a missing, mistyped or out-of-range value reads as Standard.
    static Size Load();
    // Stores the choice; false when the settings could not be written.
    static bool Save(Size size);
    // Any number outside the three choices is Standard.
    static Size FromNumber(long long number);

    // Factor for lengths drawn around the question: 1, 1.5 and 2.
    static double Scale(Size size);
    // A length in pixels at this size, rounded to the nearest pixel.
    static int Scaled(int pixels, Size size);
    // The fields' font size in points.
    static int FontPoints(Size size);
    // The magnification factor for a field at this size, from the factor its
    // learning level asks for. Magnified cells never exceed what the screen can
    // hold: the product of scale and factor is capped, and never below 1.
    static float Magnification(float levelFactor, Size size);
    // "Standard", "Large", "Extra large": the menu's and the options' texts.
    static QString Label(Size size);
};
