#pragma once

#include "board/ObriskEventListener.h"
#include "config/QuestionSize.h"
#include "game/GameListener.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComPtr.h"
#include "views/BackgroundPainter.h"
#include "views/FieldLayout.h"
#include "views/Manipulatives.h"
#include "views/OffscreenBitmap.h"
#include "views/SceneHost.h"
#include "views/ScribbleLayer.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CAppServices;
class CDValtrix;
class CObriskConnection;
class CQuestionItem;
class CSoundPlayer;

// The view of a running game: one question at a time as a row (or a column sum)
// of seven hosted pen input controls, the unknown number editable. Checks answers
// with a sound, gives hints, keeps each question's answers and scribbles, and
// carries the apples counting aid. Board contacts arrive as CObriskEventListener
// calls; the game model's commands as CGameListener calls.
class CGameView : public QWidget, public CGameListener, public CObriskEventListener, public CSceneHost
{
    Q_OBJECT
public:
    // Field order: the members' order, also the control ids 101..107.
    enum Field
    {
        Operand1 = CFieldLayout::Operand1,
        Operand2 = CFieldLayout::Operand2,
        Result = CFieldLayout::Result,
        Remainder = CFieldLayout::Remainder,
        OperatorSign = CFieldLayout::OperatorSign,
        EqualsSign = CFieldLayout::EqualsSign,
        RemainderMarker = CFieldLayout::RemainderMarker,
        FieldCount = CFieldLayout::FieldCount
    };
    static constexpr COLORREF kLightBlue = 0x00FFC878; // red 120, green 200, blue 255
    static constexpr COLORREF kWhite = 0x00FFFFFF;
    static constexpr int kRightSound = 147;
    static constexpr int kWrongSound = 148;
    static constexpr int kEraserRadius = 20;
    static constexpr std::uint32_t kBoardDragInterval = 50; // moves need more than this many ms
    static constexpr int kFirstFieldId = 101;

    using Clock = std::function<std::uint32_t()>;

    // Creates the fields, registers with the game model, shows question 1 and
    // connects to the board software when it is installed.
    explicit CGameView(CAppServices& services, QWidget* parent = nullptr, Clock clock = {});
    ~CGameView() override;

    // CGameListener
    void OnQuestionsBuilt() override;
    void OnPrevious() override;
    void OnNext() override;
    void OnCheck() override;
    void OnHint() override;
    void OnStop() override;

    // CObriskEventListener
    void OnXYDown(int x, int y, int value, int pointerId) override;
    void OnXYMove(int x, int y, int value, int pointerId) override;
    void OnXYUp(int x, int y, int value, int pointerId) override;
    void OnNoTool(int value) override;
    void OnPen(int value) override;

    // CSceneHost: the drawing layers re-render through the back buffer.
    void RenderBackground(const QRect* area) override;
    void UpdateWindow() override;
    void Sleep(int milliseconds) override;
    void Invalidate(const QRect& area) override;

    void ShowQuestion(int index);
    void SaveAnswers();
    void UpdateNavigation();
    bool AnyHintPossible();
    void SetPenActive(bool active);
    // Shows the question at another size: fields, panel, rule, apples and bowl
    // grow together and the question is laid out again.
    void SetQuestionSize(CQuestionSize::Size size);
    CQuestionSize::Size QuestionSize() const { return m_questionSize; }

    // Inspection for the frame, scripts and tests.
    CDValtrix* GetField(int field) const { return m_fields[static_cast<size_t>(field)]; }
    int CurrentIndex() const { return m_currentIndex; }
    bool IsPenActive() const { return m_penActive; }
    bool IsVertical() const { return m_vertical; }
    QRect QuestionPanel() const { return m_panel; }
    const CFieldLayout::Output& Layout() const { return m_layout; }
    CManipulatives& Manipulatives() { return m_manipulatives; }
    CScribbleLayer& Scribbles() { return m_scribbles; }
    const COffscreenBitmap& BackBuffer() const { return m_buffer; }
    CObriskConnection* BoardConnection() const { return m_board.get(); }
    CSoundPlayer& Sound();
    // Why the pen input control is missing, naming it; empty when all fields work.
    QString ControlProblem() const { return m_controlProblem; }
    // The magnification factor of a learning level index.
    static float MagnificationFactor(int level);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CQuestionItem* CurrentItem() const;
    CComPtr<IInkContainer>* InkSlot(CQuestionItem* item);
    void ApplyMagnification(const CQuestionItem& item);
    void ArrangeFields(const CQuestionItem& item);
    void RefreshWholeView();
    void LoadArtwork();
    void StopSound();
    int ToolOf(int pointerId);

    CAppServices& m_services;
    Clock m_clock;
    std::uint32_t m_lastDragTime = 0;
    bool m_penActive = false;
    bool m_dragging = false;
    bool m_vertical = false;
    int m_currentIndex = 0;
    CQuestionSize::Size m_questionSize = CQuestionSize::Standard;
    qreal m_artworkRatio = 1.0; // the device pixel ratio the apples were made for
    std::unique_ptr<CObriskConnection> m_board;
    std::array<CDValtrix*, FieldCount> m_fields {};
    QRect m_panel;
    CFieldLayout::Output m_layout;
    CScribbleLayer m_scribbles;
    CBackgroundPainter m_background;
    COffscreenBitmap m_buffer;
    CManipulatives m_manipulatives;
    QRect m_pending;
    QString m_controlProblem;
};
