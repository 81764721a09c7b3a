#pragma once

#include "views/SceneElement.h"

class QImage;

// An image in the scene. The image is held elsewhere; transparent pixels never grab.
class CImageElement : public CSceneElement
{
public:
    CImageElement(const QImage* image, int hitCode);

    int GetWidth() const override;
    int GetHeight() const override;
    void Draw(QPainter& painter) const override;
    int HitTest(int x, int y) const override;

    const QImage* Image() const { return m_image; }
    int HitCode() const { return m_hitCode; }

private:
    const QImage* m_image;
    int m_hitCode;
};
