#include "views/GameView.h"

#include "board/ObriskConnection.h"
#include "game/GameModel.h"
#include "game/QuestionItem.h"
#include "platform/LogOnce.h"
#include "platform/sound/SoundPlayer.h"
#include "resources/StringTable.h"
#include "views/AppServices.h"
#include "views/ButtonStrip.h"
#include "views/DValtrix.h"
#include "views/PngResource.h"
#include "views/ViewStyle.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <chrono>

Q_LOGGING_CATEGORY(lcGameView, "kestavo.views.gameview")

namespace {

constexpr int kAppleImage = 146;
constexpr int kBowlImage = 150;
constexpr int kPileImage = 151;
constexpr QRgb kPanelColour = 0xFF78C8FF;

std::uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

CGameView::CGameView(CAppServices& services, QWidget* parent, Clock clock)
    : QWidget(parent)
    , m_services(services)
    , m_clock(clock ? std::move(clock) : Clock(TickCount))
    , m_scribbles([this] { return m_clock(); })
    , m_manipulatives(LoadPngResource(kAppleImage), LoadPngResource(kPileImage), LoadPngResource(kBowlImage))
{
    setObjectName(QStringLiteral("CGameView"));
    ApplyViewStyle(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Created empty, as the frame lays views out afterwards: the first layout then
    // finds the bowl outside the window and parks it in the corner once sized.
    resize(0, 0);

    for (int i = 0; i < FieldCount; ++i) {
        auto* field = new CDValtrix(this);
        field->setObjectName(QStringLiteral("CDValtrix"));
        field->setProperty("controlId", kFirstFieldId + i);
        field->setGeometry(0, 0, 100, 100);
        if (!field->Create() && m_controlProblem.isEmpty()) {
            m_controlProblem = field->StatusMessage();
            // The field has logged it already when it is its first time.
            if (IsFirstReport(m_controlProblem))
                qCWarning(lcGameView).noquote() << m_controlProblem;
        }
        field->SetFont(QStringLiteral("Arial"), CQuestionSize::FontPoints(m_questionSize));
        field->show();
        m_fields[static_cast<size_t>(i)] = field;
    }
    for (int i : { OperatorSign, EqualsSign, RemainderMarker }) {
        GetField(i)->SetBackgroundColour(kLightBlue);
        GetField(i)->ShowGridLines(false);
    }
    GetField(EqualsSign)->SetAnswer(QStringLiteral("="));
    GetField(RemainderMarker)->SetAnswer(QStringLiteral("R"));

    if (CGameModel* model = m_services.GetGameModel())
        model->AddListener(this);
    ShowQuestion(0);

    auto board = std::make_unique<CObriskConnection>();
    if (board->CreateWithEvents(this, this) && board->HasSdk()) {
        m_board = std::move(board);
        m_board->AttachWindow(CObriskConnection::Handle(winId()));
    }
}

CGameView::~CGameView()
{
    if (CGameModel* model = m_services.GetGameModel())
        model->RemoveListener(this);
    if (m_board)
        m_board->DetachWindow(CObriskConnection::Handle(winId()));
    m_scribbles.SetQuestion(nullptr);
    m_board.reset();
}

void CGameView::SetQuestionSize(CQuestionSize::Size size)
{
    if (size == m_questionSize)
        return;
    m_questionSize = size;
    for (CDValtrix* field : m_fields)
        field->SetFont(QStringLiteral("Arial"), CQuestionSize::FontPoints(size));
    LoadArtwork();
    if (CQuestionItem* item = CurrentItem()) {
        ApplyMagnification(*item);
        ArrangeFields(*item);
    }
    RefreshWholeView();
}

void CGameView::LoadArtwork()
{
    // Apples and bowl keep their proportion to the question, drawn for the screen's density.
    const double scale = CQuestionSize::Scale(m_questionSize);
    m_artworkRatio = devicePixelRatioF();
    m_background.SetDevicePixelRatio(m_artworkRatio);
    m_manipulatives.SetImages(LoadPngResource(kAppleImage, scale, m_artworkRatio),
        LoadPngResource(kPileImage, scale, m_artworkRatio), LoadPngResource(kBowlImage, scale, m_artworkRatio));
}

float CGameView::MagnificationFactor(int level)
{
    if (level == 0 || level == 1)
        return 2.5f;
    if (level == 2 || level == 3)
        return 2.0f;
    return 1.5f;
}

CQuestionItem* CGameView::CurrentItem() const
{
    CGameModel* model = m_services.GetGameModel();
    return model ? model->GetItem(m_currentIndex) : nullptr;
}

CComPtr<IInkContainer>* CGameView::InkSlot(CQuestionItem* item)
{
    return item ? &item->ink : nullptr;
}

CSoundPlayer& CGameView::Sound()
{
    return m_services.GetSoundPlayer();
}

void CGameView::StopSound()
{
    Sound().Stop();
}

// --- Questions ------------------------------------------------------------------

void CGameView::ShowQuestion(int index)
{
    m_currentIndex = index;
    CQuestionItem* item = CurrentItem();
    CDValtrix* focusTarget = nullptr;
    if (item) {
        const CQuestion& q = item->question;
        m_vertical = q.vertical == 1;
        GetField(Operand1)->SetAnswer(q.operand1);
        GetField(Operand2)->SetAnswer(q.operand2);
        GetField(Result)->SetAnswer(q.result);
        GetField(OperatorSign)->SetAnswer(q.operatorSign);
        GetField(Remainder)->SetAnswer(q.remainder);

        bool editable[4] = { false, false, false, false };
        switch (item->unknownPosition) {
        case 0:
            editable[Operand1] = true;
            break;
        case 1:
            editable[Operand2] = true;
            break;
        case 2:
            editable[Result] = true;
            editable[Remainder] = q.HasRemainder();
            break;
        default:
            break;
        }
        for (int i = Operand1; i <= Remainder; ++i) {
            CDValtrix* field = GetField(i);
            if (editable[i]) {
                field->ShowGridLines(true);
                field->SetBackgroundColour(kWhite);
                field->EnableStaticMode(false);
                field->SetState(i == Remainder ? item->remainderState : item->answerState);
                if (i != Remainder)
                    focusTarget = field;
            } else {
                field->ShowGridLines(false);
                field->SetBackgroundColour(kLightBlue);
                field->EnableStaticMode(true);
            }
        }

        m_manipulatives.Reset();
        m_manipulatives.SetVisible(q.manipulatives);
        m_background.SetHintFlag(q.manipulatives);
        // The layer gets the new question before the render, so the buffer never
        // shows the previous question's scribbles.
        m_scribbles.SetQuestion(InkSlot(item));
        ApplyMagnification(*item);
        ArrangeFields(*item);
        RefreshWholeView();
    } else {
        m_scribbles.SetQuestion(nullptr);
    }
    if (focusTarget && focusTarget->ControlWindow()) {
        // A click at the corner focuses the field's first cell.
        QWidget* target = focusTarget->ControlWindow();
        for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QCoreApplication::postEvent(target,
                new QMouseEvent(type, QPointF(0, 0), target->mapToGlobal(QPointF(0, 0)), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
        }
    }
}

void CGameView::ApplyMagnification(const CQuestionItem& item)
{
    const float factor = CQuestionSize::Magnification(MagnificationFactor(item.question.level), m_questionSize);
    for (int i = Operand1; i <= Remainder; ++i) {
        CDValtrix* field = GetField(i);
        field->SetMagnificationFactor(factor);
        field->EnableMagnification(m_penActive && !field->IsStaticModeEnabled());
    }
}

void CGameView::ArrangeFields(const CQuestionItem& item)
{
    const CQuestion& q = item.question;
    CFieldLayout::Input in;
    for (int i = 0; i < FieldCount; ++i)
        in.preferred[static_cast<size_t>(i)]
            = QSize(GetField(i)->GetPreferredWidth(), GetField(i)->GetPreferredHeight());
    in.hasRemainder = q.HasRemainder();
    in.vertical = q.vertical != 0;
    in.client = size();
    in.bowlVisible = m_manipulatives.IsVisible();
    in.bowl = m_manipulatives.GetBowlRect();
    in.ruleSpace = CQuestionSize::Scaled(CFieldLayout::kRuleSpace, m_questionSize);
    in.ruleOffset = CQuestionSize::Scaled(CFieldLayout::kGap, m_questionSize);
    m_layout = CFieldLayout::Arrange(in);

    GetField(Remainder)->setVisible(in.hasRemainder);
    GetField(RemainderMarker)->setVisible(in.hasRemainder);
    for (int i = 0; i < FieldCount; ++i)
        GetField(i)->setGeometry(m_layout.fields[static_cast<size_t>(i)]);
    m_panel = m_layout.panel;
    if (in.bowlVisible)
        m_manipulatives.SetBowlPosition(m_layout.bowlPosition.x(), m_layout.bowlPosition.y());
}

void CGameView::RefreshWholeView()
{
    RenderBackground(nullptr);
    UpdateWindow();
}

// --- Drawing ------------------------------------------------------------------------

void CGameView::RenderBackground(const QRect* area)
{
    QImage& image = m_buffer.Image();
    const QRect all(0, 0, m_buffer.Width(), m_buffer.Height());
    const QRect clip = area ? area->intersected(all) : all;
    if (clip.isEmpty())
        return;
    {
        QPainter p(&image);
        p.setClipRect(clip);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(clip, Qt::white);
        m_background.Paint(p, width() + 1, height() + 1);

        if (!m_panel.isEmpty()) {
            p.fillRect(m_panel, QColor::fromRgba(kPanelColour));
            p.setPen(QPen(Qt::black, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(m_panel).adjusted(0.5, 0.5, -0.5, -0.5));
        }
        if (m_vertical && m_layout.hasRule) {
            QPen rule(Qt::black, 3.0 * CQuestionSize::Scale(m_questionSize));
            rule.setCapStyle(Qt::RoundCap);
            p.setPen(rule);
            p.drawLine(m_layout.rule);
        }
        m_scribbles.DrawInk(p);
        m_manipulatives.Draw(p);
        m_scribbles.DrawEraser(p);

        if (!m_controlProblem.isEmpty()) {
            QFont font(QStringLiteral("Arial"));
            font.setPointSize(14);
            font.setBold(true);
            p.setFont(font);
            p.setPen(QColor(200, 0, 0));
            p.drawText(QRect(20, 20, std::max(0, width() - 40), 120), Qt::AlignLeft | Qt::TextWordWrap,
                m_controlProblem);
        }
    }
    Invalidate(clip);
}

void CGameView::Invalidate(const QRect& area)
{
    m_pending = m_pending.isEmpty() ? area : m_pending.united(area);
    update(area);
}

void CGameView::UpdateWindow()
{
    if (m_pending.isEmpty())
        return;
    const QRect area = m_pending;
    m_pending = QRect();
    if (isVisible())
        repaint(area);
}

void CGameView::Sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void CGameView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    p.drawImage(QRectF(area), m_buffer.Image(), m_buffer.PixelRect(area));
}

void CGameView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() <= 0 || height() <= 0)
        return;
    m_buffer.EnsureSize(width(), height(), devicePixelRatioF());
    // Moved to a screen of another density: apples drawn for it.
    if (devicePixelRatioF() != m_artworkRatio)
        LoadArtwork();
    if (CQuestionItem* item = CurrentItem())
        ArrangeFields(*item);
    RefreshWholeView();
}

// --- Commands of the game model ---------------------------------------------------------

void CGameView::OnQuestionsBuilt()
{
    StopSound();
    // The items were replaced: the layer must not keep the old one's ink.
    m_scribbles.SetQuestion(nullptr);
    ShowQuestion(0);
    UpdateNavigation();
}

void CGameView::OnPrevious()
{
    StopSound();
    SaveAnswers();
    ShowQuestion(m_currentIndex - 1);
    UpdateNavigation();
}

void CGameView::OnNext()
{
    StopSound();
    CGameModel* model = m_services.GetGameModel();
    const int count = model ? model->GetItemCount() : 0;
    if (m_currentIndex < count - 1) {
        SaveAnswers();
        ShowQuestion(m_currentIndex + 1);
        UpdateNavigation();
    } else if (CButtonStrip* strip = m_services.GetButtonStrip()) {
        // Ends the game; this view is replaced and must not be touched afterwards.
        strip->OnGoStop();
    }
}

void CGameView::OnCheck()
{
    StopSound();
    SaveAnswers();
    bool answerRight = false;
    for (int i = Operand1; i <= Result; ++i) {
        CDValtrix* field = GetField(i);
        if (!field->IsStaticModeEnabled()) {
            field->VerifyResponse();
            answerRight = field->IsCorrectAnswer();
            break;
        }
    }
    bool remainderRight = true;
    const CQuestionItem* item = CurrentItem();
    if (item && item->question.HasRemainder() && !GetField(Remainder)->IsStaticModeEnabled()) {
        GetField(Remainder)->VerifyResponse();
        remainderRight = GetField(Remainder)->IsCorrectAnswer();
    }
    UpdateNavigation();
    Sound().Play(CSoundPlayer::WaveResource(answerRight && remainderRight ? kRightSound : kWrongSound));
}

void CGameView::OnHint()
{
    for (int i = Operand1; i <= Result; ++i) {
        CDValtrix* field = GetField(i);
        if (!field->IsStaticModeEnabled()) {
            field->GiveHint();
            break;
        }
    }
    const CQuestionItem* item = CurrentItem();
    if (item && item->question.HasRemainder() && !GetField(Remainder)->IsStaticModeEnabled())
        GetField(Remainder)->GiveHint();
    SaveAnswers();
    UpdateNavigation();
}

void CGameView::OnStop()
{
    SaveAnswers();
}

void CGameView::SaveAnswers()
{
    CQuestionItem* item = CurrentItem();
    if (!item)
        return;
    for (int i = Operand1; i <= Remainder; ++i) {
        CDValtrix* field = GetField(i);
        if (field->IsStaticModeEnabled())
            continue;
        field->DoRecognition();
        const QString state = field->GetState();
        if (i == Remainder && item->question.HasRemainder())
            item->remainderState = state;
        else
            item->answerState = state;
    }
}

bool CGameView::AnyHintPossible()
{
    bool possible = false;
    for (int i = Operand1; i <= Result; ++i) {
        if (!GetField(i)->IsStaticModeEnabled())
            possible = GetField(i)->IsHintPossible() || possible;
    }
    const CQuestionItem* item = CurrentItem();
    if (item && item->question.HasRemainder() && !GetField(Remainder)->IsStaticModeEnabled())
        possible = GetField(Remainder)->IsHintPossible() || possible;
    return possible;
}

void CGameView::UpdateNavigation()
{
    CButtonStrip* strip = m_services.GetButtonStrip();
    if (!strip)
        return;
    CGameModel* model = m_services.GetGameModel();
    const int i = m_currentIndex;
    const int n = model ? model->GetItemCount() : 0;
    strip->EnablePrevious(i > 0);
    strip->EnableNext(i < n);
    m_services.SetPreviousEnabled(i > 0);
    m_services.SetNextEnabled(i < n);
    strip->EnableCheck(true);
    strip->EnableHint(AnyHintPossible());
    strip->SetStatusText(
        QStringLiteral("%1 %2 %3 %4").arg(LoadResString(142)).arg(i + 1).arg(LoadResString(143)).arg(n));
}

// --- Pen tray and board contacts -------------------------------------------------------

void CGameView::OnPen(int)
{
    SetPenActive(true);
}

void CGameView::OnNoTool(int)
{
    for (int i = Operand1; i <= Remainder; ++i) {
        if (!GetField(i)->IsStaticModeEnabled())
            GetField(i)->DoRecognition();
    }
    SetPenActive(false);
}

void CGameView::SetPenActive(bool active)
{
    if (m_penActive == active)
        return;
    m_penActive = active;
    if (CQuestionItem* item = CurrentItem()) {
        ApplyMagnification(*item);
        ArrangeFields(*item);
        RefreshWholeView();
    }
}

int CGameView::ToolOf(int pointerId)
{
    return m_board ? m_board->GetToolType(pointerId) : 0;
}

void CGameView::OnXYDown(int x, int y, int, int pointerId)
{
    if (!m_board)
        return;
    m_board->PrepareContact();
    switch (ToolOf(pointerId)) {
    case OBRISK_TOOL_PEN:
        m_dragging = m_manipulatives.HitAny(x, y);
        if (m_dragging) {
            m_lastDragTime = m_clock();
            m_manipulatives.Press(x, y);
        } else {
            m_scribbles.BeginStroke(&m_buffer.Image(), this, x, y, m_board->GetToolColour(pointerId),
                m_board->GetToolWidth(pointerId));
        }
        break;
    case OBRISK_TOOL_ERASER:
        m_scribbles.BeginErase(x, y, *this, kEraserRadius);
        break;
    default:
        break;
    }
}

void CGameView::OnXYMove(int x, int y, int, int pointerId)
{
    if (!m_board)
        return;
    switch (ToolOf(pointerId)) {
    case OBRISK_TOOL_PEN:
        if (m_dragging) {
            const std::uint32_t now = m_clock();
            if (now - m_lastDragTime > kBoardDragInterval) {
                m_manipulatives.Drag(x, y, *this);
                m_lastDragTime = now;
            }
        } else {
            // The new segment is invalidated and painted with the next batch of
            // events; repainting for every contact made the window fall behind
            // a fast pen by a fifth of a second on X.
            m_scribbles.AddStrokePoint(x, y);
        }
        break;
    case OBRISK_TOOL_ERASER:
        m_scribbles.EraseMove(x, y, *this);
        break;
    default:
        break;
    }
}

void CGameView::OnXYUp(int x, int y, int, int pointerId)
{
    if (!m_board)
        return;
    switch (ToolOf(pointerId)) {
    case OBRISK_TOOL_PEN:
        if (m_dragging) {
            m_manipulatives.Release(x, y, *this);
        } else {
            const QRect bounds = m_scribbles.EndStroke(x, y);
            if (!bounds.isEmpty()) {
                RenderBackground(&bounds);
                UpdateWindow();
            }
        }
        break;
    case OBRISK_TOOL_ERASER:
        m_scribbles.EndErase(x, y, *this);
        break;
    default:
        break;
    }
}

// --- Mouse: drags apples and the bowl, never scribbles ------------------------------------------

void CGameView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_manipulatives.Press(event->position().toPoint().x(), event->position().toPoint().y());
    QWidget::mousePressEvent(event);
}

void CGameView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        m_manipulatives.Drag(event->position().toPoint().x(), event->position().toPoint().y(), *this);
    QWidget::mouseMoveEvent(event);
}

void CGameView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_manipulatives.Release(event->position().toPoint().x(), event->position().toPoint().y(), *this);
    QWidget::mouseReleaseEvent(event);
}
