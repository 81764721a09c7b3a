#include "config/OptionsPreview.h"

#include "config/ParameterSet.h"
#include "game/QuestionGenerator.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

const QColor COptionsPreview::TextColor = QColor(0, 0, 255);
const QColor COptionsPreview::GreyedColor = QColor(200, 200, 200);

namespace {

QString Hidden(const QString& text)
{
    QString shown = text;
    for (QChar& c : shown) {
        if (c != QLatin1Char('.'))
            c = QLatin1Char('?');
    }
    return shown;
}

// Draws text with its top-left (or, right-aligned, its top-right) at the point.
void DrawTop(
    QPainter& painter, const QFontMetrics& metrics, int x, int top, const QString& text, bool rightAligned)
{
    const int left = rightAligned ? x - metrics.horizontalAdvance(text) : x;
    painter.drawText(left, top + metrics.ascent(), text);
}

// A 2-pixel rule from x1 up to, not including, x2; centred on y as a 2-pixel pen is.
void DrawRule(QPainter& painter, int x1, int x2, int y, const QColor& color)
{
    if (x2 > x1)
        painter.fillRect(QRect(x1, y - 1, x2 - x1, 2), color);
}

} // namespace

QFont COptionsPreview::Font()
{
    // Liberation Mono has Courier New's metrics; fontconfig maps the name to
    // it, and the substitution keeps that true where it does not.
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    return font;
}

QImage COptionsPreview::ApplePicture()
{
    return QImage(QStringLiteral(":/png/%1.png").arg(kAppleBitmapId));
}

CQuestion COptionsPreview::HideUnknown(const CQuestion& question, EOperator page)
{
    CQuestion shown = question;
    if (question.algebra) {
        shown.operand2 = Hidden(question.operand2);
    } else {
        shown.result = Hidden(question.result);
        if (page == OpDivision && question.HasRemainder())
            shown.remainder = Hidden(question.remainder);
    }
    return shown;
}

QString COptionsPreview::OneLineText(const CQuestion& shown, EOperator page)
{
    QString text = QStringLiteral("%1 %2 %3 = %4")
                       .arg(shown.operand1, shown.operatorSign, shown.operand2, shown.result);
    if (page == OpDivision && shown.HasRemainder())
        text += QStringLiteral(" R ") + shown.remainder;
    return text;
}

QImage COptionsPreview::Render(
    const CQuestion& question, EOperator page, QSize canvas, bool greyed, const QImage& apple)
{
    const int W = canvas.width();
    const int H = canvas.height();
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QColor color = greyed ? GreyedColor : TextColor;
    painter.setPen(color);
    const QFont font = Font();
    painter.setFont(font);
    const QFontMetrics metrics(font, &image);

    const CQuestion shown = HideUnknown(question, page).Shown();
    if (shown.vertical == 0 || page == OpDivision) {
        const QString text = OneLineText(shown, page);
        // Truncating division, so a text wider than the canvas stays centred.
        const int x = (W - metrics.horizontalAdvance(text)) / 2;
        DrawTop(painter, metrics, x, kLineTop, text, false);
    } else {
        const bool multiplication = page == OpMultiplication;
        const int xr = multiplication ? 3 * W / 4 : 2 * W / 3;
        // Multiplication moves the result right by half its decimal places, so
        // the product's point sits under the factors' digits.
        int shift = 0;
        const int point = shown.result.indexOf(QRegularExpression(QStringLiteral("[.,]")));
        if (multiplication && point >= 0)
            shift = (int(shown.result.size()) - point) / 2 * metrics.horizontalAdvance(QStringLiteral("2"));

        DrawTop(painter, metrics, xr, kLineTop, shown.operand1, true);
        DrawTop(painter, metrics, xr, kSecondTop, shown.operand2, true);
        DrawTop(painter, metrics, xr + shift, kResultTop, shown.result, true);
        const int widest = qMax(metrics.horizontalAdvance(shown.operand1),
            qMax(metrics.horizontalAdvance(shown.operand2), metrics.horizontalAdvance(shown.result)));
        const int ruleY = metrics.height() + 50;
        DrawTop(painter, metrics, xr - widest + shift - 20, kSecondTop, shown.operatorSign, true);
        DrawRule(painter, xr - widest + shift - 10, xr + shift + 10, ruleY, color);
    }

    // The apples keep their own colours on a greyed page.
    if ((page == OpAddition || page == OpSubtraction) && question.manipulatives && !apple.isNull()) {
        const int bw = apple.width();
        const int bh = apple.height();
        if (bw > 0) {
            const int n = W / bw;
            const int x0 = (W % bw) / 2;
            for (int j = 0; j < n; ++j)
                painter.drawImage(x0 + j * bw, H - bh, apple);
            for (int j = 0; j + 1 < n; ++j)
                painter.drawImage(x0 + j * bw, H - 2 * bh, apple);
        }
    }
    painter.end();
    return image;
}

QImage COptionsPreview::RenderSample(const CParameterSet& settings, EOperator page, QSize canvas, bool greyed)
{
    CQuestion question;
    GenerateQuestion(question, settings);
    return Render(question, page, canvas, greyed);
}
