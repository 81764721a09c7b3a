#pragma once

#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <vector>

// A paint device that keeps the texts drawn on it, with their baseline
// position, font and pen colour, and draws nothing else.
class TextRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QPointF at;
        QFont font;
        QColor colour;
    };

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<Text>& Texts() const { return m_engine.texts; }
    // The first text that starts with the given one, or null.
    const Text* Find(const QString& start) const
    {
        for (const Text& t : m_engine.texts)
            if (t.text.startsWith(start))
                return &t;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 2000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 529;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    struct Engine : QPaintEngine
    {
        Engine()
            : QPaintEngine(AllFeatures)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyPen)
                pen = state.pen().color();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        // Shapes (the rows' marks) are not text: taken and dropped.
        void drawPath(const QPainterPath&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawLines(const QLineF*, int) override { }
        void drawRects(const QRectF*, int) override { }
        void drawEllipse(const QRectF&) override { }
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            texts.push_back({ item.text(), at, item.font(), pen });
        }
        Type type() const override { return User; }

        QColor pen;
        std::vector<Text> texts;
    };
    mutable Engine m_engine;
};
