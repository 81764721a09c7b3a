#pragma once

#include "views/ImageElement.h"

#include <QImage>
#include <QRect>
#include <memory>
#include <vector>

class CSceneHost;
class QPainter;

// The counting aid of the game view: a bowl of apples from which the pupil pulls
// single apples, lays them out and drops them back. A plain retained scene; the
// view draws it and routes presses and drags to it.
class CManipulatives
{
public:
    // Hit codes of the scene.
    enum HitCode
    {
        HitNone = 0,
        HitApple = 1,
        HitPile = 2,
        HitBowlBase = 3
    };

    static constexpr int kPullOutDistance = 5;
    static constexpr int kFadeSteps = 10;
    static constexpr int kFadeStepMs = 75;

    // apple: one apple; pile: the apples heaped in the bowl; bowl: the bowl's base.
    // A null image gives elements of size 0 that never hit.
    CManipulatives(QImage apple, QImage pile, QImage bowl);
    virtual ~CManipulatives();
    CManipulatives(const CManipulatives&) = delete;
    CManipulatives& operator=(const CManipulatives&) = delete;

    // New artwork for the same scene, as when the question size or the screen
    // changes: apples already out are removed, the bowl keeps its top-left corner.
    void SetImages(QImage apple, QImage pile, QImage bowl);

    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }

    // Ends any drag and removes every apple; the bowl keeps its place.
    void Reset();
    void SetBowlPosition(int x, int y);
    QRect GetBowlRect() const;
    bool HitAny(int x, int y) const;

    void Press(int x, int y);
    void Drag(int x, int y, CSceneHost& host);
    void Release(int x, int y, CSceneHost& host);
    void Draw(QPainter& painter) const;

    // Inspection for the view and tests.
    int ElementCount() const { return static_cast<int>(m_elements.size()); }
    const CSceneElement& Element(int index) const;
    int DragCode() const { return m_dragCode; }
    int DragIndex() const { return m_dragIndex; }
    const CImageElement* FadingElement() const { return m_fading.get(); }

private:
    void FadeOut(const CSceneElement& apple, CSceneHost& host);

    bool m_visible = true;
    int m_dragCode = HitNone;
    int m_dragIndex = -1;
    QImage m_apple;
    QImage m_pile;
    QImage m_bowl;
    QImage m_fadeImage;
    std::unique_ptr<CImageElement> m_fading;
    std::vector<std::unique_ptr<CSceneElement>> m_elements;
    int m_lastX = 0;
    int m_lastY = 0;
};
