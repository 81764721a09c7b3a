#pragma once

#include "views/OffscreenBitmap.h"

#include <QIcon>
#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class CAppServices;
class CObriskConnection;
class QPushButton;

// The band along the bottom of the main frame: five big icon buttons a pupil
// can reach on the whiteboard (Go/Stop, previous, next, check, hint) and a
// status text on the right. It owns the Go/Stop operation of the program and
// relays the other four buttons to the game model.
class CButtonStrip : public QWidget
{
    Q_OBJECT
public:
    enum Button
    {
        GoStop,
        Previous,
        Next,
        Check,
        Hint,
        ButtonCount
    };
    // Command ids of the buttons, in Button order: 1025 .. 1029.
    static constexpr int kFirstCommand = 1025;
    static constexpr int kGoIcon = 136;
    static constexpr int kStopIcon = 138;
    static constexpr unsigned kBackground = 0xFF3C3CFF;
    static constexpr int kButtonLeft = 10;
    static constexpr int kButtonPitch = 60;
    static constexpr int kButtonRise = 46;
    static constexpr int kButtonWidth = 50;
    static constexpr int kButtonHeight = 40;

    static constexpr int kHeight = 60; // the strip's height at the standard question size
    static constexpr int kIconSize = 32;
    static constexpr int kStatusPoints = 12;

    explicit CButtonStrip(CAppServices& services, QWidget* parent = nullptr);
    ~CButtonStrip() override;

    void EnablePrevious(bool enable);
    void EnableNext(bool enable);
    void EnableCheck(bool enable);
    void EnableHint(bool enable);
    void SetStatusText(const QString& text);
    QString StatusText() const { return m_statusText; }

    // Buttons, icons, their spacing and the status text grow with the question
    // size (1, 1.5 or 2), so pupils can reach and read them from further away.
    void SetScale(double scale);
    double Scale() const { return m_scale; }
    // The height the frame gives the strip at a scale.
    static int HeightFor(double scale);
    // A length of the standard strip at the current scale.
    int Scaled(int pixels) const;

    // The Go/Stop operation: stops a running game, or starts one (Setup from
    // the blank view, the New Game dialog from the summary). On success the
    // frame moves to its next view and the button changes its icon.
    void OnGoStop();
    bool IsRunning() const { return m_running; }
    // The icon id the Go/Stop button shows now (136 Go, 138 Stop).
    int GoStopIconId() const { return m_running ? kStopIcon : kGoIcon; }

    QPushButton* GetButton(Button which) const { return m_buttons[which]; }
    const COffscreenBitmap& BackBuffer() const { return m_buffer; }
    // Null when the board software is not installed.
    CObriskConnection* BoardConnection() const { return m_board.get(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnCommand(int command);
    void Render(const QRect& area);
    void PlaceButtons();

    CAppServices& m_services;
    std::unique_ptr<CObriskConnection> m_board;
    bool m_running = false;
    double m_scale = 1.0;
    QString m_statusText;
    std::array<QPushButton*, ButtonCount> m_buttons {};
    // Loaded once: a freshly loaded icon has new pixmaps, and every one of them
    // would take a new entry in Qt's pixmap cache when the button paints.
    QIcon m_goIcon;
    QIcon m_stopIcon;
    COffscreenBitmap m_buffer;
};
