#include "views/SummaryView.h"

#include "config/TeacherOptions.h"
#include "game/GameModel.h"
#include "resources/StringTable.h"
#include "views/AppServices.h"
#include "views/ButtonStrip.h"
#include "views/SummaryContent.h"
#include "views/ViewStyle.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kScoreString = 139;
constexpr int kHintsString = 140;
constexpr int kCorrectOutOfString = 141;
constexpr int kNextString = 144;
constexpr int kPreviousString = 145;

const QColor kTeal(0, 150, 150);
const QColor kRightBlue(0, 0, 255);
const QColor kWrongRed(255, 0, 0);

// A bold font whose line (ascent + descent) is the given pixel height, as a
// font asked for by its cell height.
QFont fontWithCellHeight(const QString& family, int cellHeight)
{
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(cellHeight);
    const qreal line = QFontMetricsF(font).height();
    if (line > cellHeight)
        font.setPixelSize(std::max(1, qRound(cellHeight * cellHeight / line)));
    return font;
}

// Width of a cell whose tabs jump to the next multiple of eight average
// character widths, counted from the cell's start.
qreal cellWidth(const QFontMetricsF& metrics, const QString& text)
{
    const qreal tab = 8 * metrics.averageCharWidth();
    const QStringList parts = text.split(QLatin1Char('\t'));
    qreal x = 0;
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0 && tab > 0)
            x = (std::floor(x / tab) + 1) * tab;
        x += metrics.horizontalAdvance(parts[i]);
    }
    return x;
}

// A tick for a right row, a cross for a wrong one, in the row's colour.
void drawMark(QPainter& painter, const QRect& box, bool right, const QColor& colour)
{
    QPen pen(colour, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF r = QRectF(box).adjusted(2, 2, -2, -2);
    if (right) {
        QPainterPath tick;
        tick.moveTo(r.left(), r.top() + r.height() * 0.55);
        tick.lineTo(r.left() + r.width() * 0.38, r.bottom());
        tick.lineTo(r.right(), r.top());
        painter.drawPath(tick);
    } else {
        painter.drawLine(r.topLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomLeft());
    }
}

} // namespace

CSummaryView::CSummaryView(CAppServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("CSummaryView"));
    ApplyViewStyle(this);

    m_next = new QPushButton(LoadResString(kNextString), this);
    m_next->setProperty("commandId", kNextId);
    m_next->setGeometry(0, 0, 100, 100);
    m_previous = new QPushButton(LoadResString(kPreviousString), this);
    m_previous->setProperty("commandId", kPreviousId);
    m_previous->setGeometry(0, 0, 100, 100);
    m_save = new QPushButton(tr("Save Results..."), this);
    m_save->setObjectName(QStringLiteral("saveResults"));
    m_print = new QPushButton(tr("Print Results..."), this);
    m_print->setObjectName(QStringLiteral("printResults"));
    connect(m_save, &QPushButton::clicked, this, &CSummaryView::SaveResultsRequested);
    connect(m_print, &QPushButton::clicked, this, &CSummaryView::PrintResultsRequested);
    connect(m_next, &QPushButton::clicked, this, &CSummaryView::OnNextPage);
    connect(m_previous, &QPushButton::clicked, this, &CSummaryView::OnPreviousPage);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_marksShown = CTeacherOptions::SummaryMarks();

    if (CGameModel* model = m_services.GetGameModel())
        model->AddListener(this);
}

CSummaryView::~CSummaryView()
{
    if (CGameModel* model = m_services.GetGameModel())
        model->RemoveListener(this);
}

int CSummaryView::RowsPerPage() const
{
    return std::max(2, (std::abs(height()) - 75) / kRowHeight);
}

int CSummaryView::PageCount() const
{
    const CGameModel* model = m_services.GetGameModel();
    const int count = model ? model->GetQuestionCount() : 0;
    return (count + m_rowsPerPage - 1) / m_rowsPerPage;
}

void CSummaryView::OnNextPage()
{
    if (m_pageIndex < PageCount() - 1)
        ++m_pageIndex;
    RefreshButtons();
    update();
}

void CSummaryView::OnPreviousPage()
{
    if (m_pageIndex > 0)
        --m_pageIndex;
    RefreshButtons();
    update();
}

void CSummaryView::OnQuestionsBuilt()
{
    m_pageIndex = 0;
}

void CSummaryView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_next->setGeometry(width() - 90, height() - 35, 80, 25);
    m_previous->setGeometry(width() - 180, height() - 35, 80, 25);
    m_pageLabel->setGeometry(width() - 190 - kPageLabelWidth, height() - 35, kPageLabelWidth, 25);
    m_next->show();
    m_previous->show();
    // Keeping the results sits apart from paging, top right beside the score,
    // where no row of the list reaches.
    const int saveWidth = std::max(120, m_save->sizeHint().width());
    const int printWidth = std::max(120, m_print->sizeHint().width());
    m_print->setGeometry(width() - 10 - printWidth, 10, printWidth, 30);
    m_save->setGeometry(width() - 20 - printWidth - saveWidth, 10, saveWidth, 30);
    m_pageLabel->show();
    OnQuestionsBuilt();
    m_rowsPerPage = RowsPerPage();
    update();
    RefreshStrip();
    RefreshButtons();
}

void CSummaryView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawList(painter);
    RefreshStrip();
    RefreshButtons();
}

void CSummaryView::DrawList(QPainter& painter)
{
    const CGameModel* model = m_services.GetGameModel();
    m_rowsPerPage = RowsPerPage();
    if (!model)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const CSummaryContent content(*model);
    const QFont header = fontWithCellHeight(QStringLiteral("Courier New"), 28);
    painter.setFont(header);
    painter.setPen(Qt::black);
    const QRect anywhere(0, 0, 10000, 10000);
    painter.drawText(anywhere.translated(40, 10), Qt::AlignLeft | Qt::AlignTop,
        QStringLiteral("%1: %2 %3 %4")
            .arg(LoadResString(kScoreString))
            .arg(content.Correct())
            .arg(LoadResString(kCorrectOutOfString))
            .arg(content.QuestionCount()));
    painter.drawText(anywhere.translated(40, 45), Qt::AlignLeft | Qt::AlignTop,
        QStringLiteral("%1: %2").arg(LoadResString(kHintsString)).arg(content.Hints()));

    const QFont rowFont = fontWithCellHeight(QStringLiteral("Arial"), 20);
    painter.setFont(rowFont);
    const QFontMetricsF metrics(rowFont);
    const int first = m_pageIndex * m_rowsPerPage;
    for (int i = first; i < first + m_rowsPerPage; ++i) {
        const CQuestionItem* item = model->GetItem(i);
        if (!item)
            continue;
        const CSummaryContent::Row row = CSummaryContent::MakeRow(*item, i);
        const int y = (i - first + 2) * kRowHeight;
        if (m_marksShown)
            drawMark(painter, MarkRect(y), row.right, row.right ? kRightBlue : kWrongRed);
        qreal x = kRowsLeft;
        for (int c = 0; c < 8; ++c) {
            const QString& text = row.cells[c];
            painter.setPen(row.written[c] ? kTeal : row.right ? kRightBlue : kWrongRed);
            QString shown = text;
            shown.remove(QLatin1Char('\t'));
            painter.drawText(QPointF(x, y + metrics.ascent()), shown);
            x += cellWidth(metrics, text);
        }
    }
}

void CSummaryView::RefreshStrip()
{
    CButtonStrip* strip = m_services.GetButtonStrip();
    if (!strip)
        return;
    strip->EnablePrevious(false);
    strip->EnableNext(false);
    strip->SetStatusText(QString(kStatusBlankLength, QLatin1Char(' ')));
    m_services.SetPreviousEnabled(false);
    m_services.SetNextEnabled(false);
    strip->EnableCheck(false);
    strip->EnableHint(false);
}

void CSummaryView::RefreshButtons()
{
    const int pages = PageCount();
    m_previous->setEnabled(m_pageIndex > 0);
    m_next->setEnabled(m_pageIndex < pages - 1);
    const QString page = tr("Page %1 of %2").arg(m_pageIndex + 1).arg(std::max(1, pages));
    if (m_pageLabel->text() != page)
        m_pageLabel->setText(page);
}

void CSummaryView::SetMarksShown(bool shown)
{
    m_marksShown = shown;
    update();
}

QRect CSummaryView::MarkRect(int rowTop)
{
    // In the margin left of the row number, on the text's middle.
    return QRect(kRowsLeft - kMarkSize - 10, rowTop + 2, kMarkSize, kMarkSize);
}
