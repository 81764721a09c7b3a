#pragma once
// The control's window: blits its back buffer, overlays the stroke being
// written, and routes keyboard, mouse, focus and size changes to its owner.

#include "control/AnswerGrid.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QPainter;
#include <QPushButton>

class CValtrixWidget : public QWidget
{
    Q_OBJECT
public:
    // What the window needs from the control object that owns it.
    class Owner
    {
    public:
        virtual void Render(QPainter& painter, QSize size, bool hasFocus) = 0;
        virtual void OnChar(int code) = 0;
        virtual void OnKeyDown(CAnswerGrid::Key key, int repeatCount) = 0;
        virtual void OnLeftButtonDown(int x) = 0;
        virtual void OnFocusChange(bool gained) = 0;
        virtual void OnRecognizeButton() = 0;
        virtual void OnResized() = 0;
        // The window is being destroyed (by its owner or with its parent).
        virtual void OnWindowDestroyed() = 0;

    protected:
        ~Owner() = default;
    };

    static constexpr int kButtonSize = 16;
    static constexpr int kButtonId = 100;

    CValtrixWidget(Owner* owner, QWidget* parent);
    ~CValtrixWidget() override;

    // Re-renders the whole back buffer and schedules a repaint.
    void Invalidate();
    const QImage& BackBuffer() const { return m_buffer; }

    // The recognise button ("A", 16 x 16, top-right corner); created on demand.
    QPushButton* CreateRecognizeButton();
    QPushButton* RecognizeButton() const { return m_button; }

    // Surface on which the stroke being written is drawn live; it lies over
    // the back buffer until the stroke ends.
    QPainter* BeginLiveSurface();
    void EndLiveSurface();
    QPainter* LiveSurface() const { return m_livePainter.get(); }
    // Repaints the part of the window a live segment touched.
    void UpdateLiveRect(const QRectF& rect);
    // Draws over the back buffer, where the last layer of a render goes, and
    // schedules a repaint; a buffer of an old size is rendered whole instead.
    void DrawOverBuffer(const std::function<void(QPainter&)>& draw);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // A locale change may change the decimal separator the cells show.
    void changeEvent(QEvent* event) override;

private:
    void Render();
    void PlaceButton();

    Owner* m_owner;
    QImage m_buffer;
    QImage m_live;
    std::unique_ptr<QPainter> m_livePainter;
    QPointer<QPushButton> m_button;
};
