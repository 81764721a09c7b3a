#include "config/QuestionSize.h"

#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// Magnified cells stay at most this many times the Standard font: a 4-digit
// column sum, magnified, still fits a 1024 x 768 screen at Extra large.
constexpr float kMaxMagnifiedScale = 3.0f;

} // namespace

CQuestionSize::Size CQuestionSize::FromNumber(long long number)
{
    switch (number) {
    case Large:
        return Large;
    case ExtraLarge:
        return ExtraLarge;
    default:
        return Standard;
    }
}

CQuestionSize::Size CQuestionSize::Load()
{
    DWORD number = 0;
    // A missing value or one of another type leaves number at 0.
    RegReadDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kValueName, number);
    return FromNumber(number);
}

bool CQuestionSize::Save(Size size)
{
    return RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kValueName, DWORD(FromNumber(size))) == 0;
}

double CQuestionSize::Scale(Size size)
{
    switch (FromNumber(size)) {
    case Large:
        return 1.5;
    case ExtraLarge:
        return 2.0;
    default:
        return 1.0;
    }
}

int CQuestionSize::Scaled(int pixels, Size size)
{
    return static_cast<int>(std::lround(pixels * Scale(size)));
}

int CQuestionSize::FontPoints(Size size)
{
    return Scaled(kBaseFontPoints, size);
}

float CQuestionSize::Magnification(float levelFactor, Size size)
{
    const float scale = static_cast<float>(Scale(size));
    return std::max(1.0f, std::min(levelFactor, kMaxMagnifiedScale / scale));
}

QString CQuestionSize::Label(Size size)
{
    switch (FromNumber(size)) {
    case Large:
        return QCoreApplication::translate("CQuestionSize", "Large");
    case ExtraLarge:
        return QCoreApplication::translate("CQuestionSize", "Extra large");
    default:
        return QCoreApplication::translate("CQuestionSize", "Standard");
    }
}
