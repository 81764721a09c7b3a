#include "views/ButtonStrip.h"

#include "board/ObriskConnection.h"
#include "game/GameModel.h"
#include "views/AppServices.h"
#include "views/PngResource.h"
#include "views/ViewStyle.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

namespace {

struct ButtonSpec
{
    const char* text; // the button's window text; the icon is shown instead
    int iconId;
};

const ButtonSpec kButtons[CButtonStrip::ButtonCount] = {
    { "GO", CButtonStrip::kGoIcon },
    { "<--", 141 },
    { "-->", 140 },
    { "V", 137 },
    { "HELP", 139 },
};

} // namespace

CButtonStrip::CButtonStrip(CAppServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("CButtonStrip"));
    ApplyViewStyle(this);
    // The back buffer covers every pixel: no erase before painting.
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_goIcon = LoadIconResource(kGoIcon);
    m_stopIcon = LoadIconResource(kStopIcon);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(kButtons[i].text));
        button->setAccessibleName(QString::fromLatin1(kButtons[i].text));
        button->setProperty("commandId", kFirstCommand + i);
        button->setIcon(i == GoStop ? m_goIcon : LoadIconResource(kButtons[i].iconId));
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setGeometry(0, 0, 0, 0);
        // Pressing a strip button must not take the keyboard focus away from
        // the answer field the pupil is typing into.
        button->setFocusPolicy(Qt::NoFocus);
        const int command = kFirstCommand + i;
        connect(button, &QPushButton::clicked, this, [this, command] { OnCommand(command); });
        m_buttons[i] = button;
    }

    // The strip is a plain mouse window for the board software: pen contacts
    // over it reach the buttons as clicks. Without the board software there is
    // no connection and the buttons work with mouse and touch alone.
    auto board = std::make_unique<CObriskConnection>();
    if (board->CreateWithoutEvents()) {
        m_board = std::move(board);
        const OBRISK_HWND window = CObriskConnection::Handle(winId());
        if (m_board->AttachWindow(window))
            m_board->SetWindowMode(window, 1, -1);
    }
}

CButtonStrip::~CButtonStrip()
{
    if (m_board)
        m_board->DetachWindow(CObriskConnection::Handle(winId()));
}

void CButtonStrip::OnCommand(int command)
{
    CGameModel* model = m_services.GetGameModel();
    switch (command - kFirstCommand) {
    case GoStop:
        OnGoStop();
        break;
    case Previous:
        if (model)
            model->OnPrevious();
        break;
    case Next:
        if (model)
            model->OnNext();
        break;
    case Check:
        if (model)
            model->OnCheck();
        break;
    case Hint:
        if (model)
            model->OnHint();
        break;
    default:
        break;
    }
}

void CButtonStrip::OnGoStop()
{
    CGameModel* model = m_services.GetGameModel();
    if (!model)
        return;
    bool ok = false;
    if (m_running) {
        if (!m_services.ConfirmEndGame())
            return;
        ok = model->StopGame();
    } else if (m_services.IsBlankViewActive()) {
        ok = model->NewGame(true);
    } else {
        bool keep = true;
        if (m_services.RunNewGameDialog(keep)) {
            ok = model->NewGame(!keep);
            // Keeping the level always starts a game, even when nothing could
            // be rebuilt.
            if (keep)
                ok = true;
        }
    }
    if (!ok)
        return;
    m_services.SwitchView();
    m_running = !m_running;
    m_buttons[GoStop]->setIcon(m_running ? m_stopIcon : m_goIcon);
}

void CButtonStrip::EnablePrevious(bool enable)
{
    m_buttons[Previous]->setEnabled(enable);
}

void CButtonStrip::EnableNext(bool enable)
{
    m_buttons[Next]->setEnabled(enable);
}

void CButtonStrip::EnableCheck(bool enable)
{
    m_buttons[Check]->setEnabled(enable);
}

void CButtonStrip::EnableHint(bool enable)
{
    m_buttons[Hint]->setEnabled(enable);
}

void CButtonStrip::SetStatusText(const QString& text)
{
    // Views refresh the strip from their paint handlers: an unchanged text
    // must not schedule yet another paint.
    if (text == m_statusText)
        return;
    m_statusText = text;
    Render(rect());
}

int CButtonStrip::HeightFor(double scale)
{
    return qRound(kHeight * scale);
}

int CButtonStrip::Scaled(int pixels) const
{
    return qRound(pixels * m_scale);
}

void CButtonStrip::SetScale(double scale)
{
    if (scale <= 0.0 || scale == m_scale)
        return;
    m_scale = scale;
    for (QPushButton* button : m_buttons)
        button->setIconSize(QSize(Scaled(kIconSize), Scaled(kIconSize)));
    PlaceButtons();
    Render(rect());
}

void CButtonStrip::PlaceButtons()
{
    // A row at the left, whatever the strip's width.
    const int top = height() - Scaled(kButtonRise);
    for (int i = 0; i < ButtonCount; ++i) {
        m_buttons[i]->setGeometry(Scaled(kButtonLeft + kButtonPitch * i), top, Scaled(kButtonWidth),
            Scaled(kButtonHeight));
        m_buttons[i]->show();
    }
}

void CButtonStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_buffer.EnsureSize(width(), height(), devicePixelRatioF());
    PlaceButtons();
    Render(rect());
}

void CButtonStrip::Render(const QRect& area)
{
    QPainter painter(&m_buffer.Image());
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, QColor::fromRgba(kBackground));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QRectF textRect(5.0, 5.0, width() + 1 - 10, height() + 1 - 10);
    painter.setPen(QColor::fromRgba(0xFFFFFFFF));
    QFont font(QStringLiteral("Arial"), -1, QFont::Bold);
    font.setPointSizeF(kStatusPoints * m_scale);
    painter.setFont(font);
    painter.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter, m_statusText);
    painter.end();
    update(area);
}

void CButtonStrip::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(QRectF(event->rect()), m_buffer.Image(), m_buffer.PixelRect(event->rect()));
}
