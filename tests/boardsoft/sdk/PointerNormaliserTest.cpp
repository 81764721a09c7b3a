#include "boardsoft/PointerNormaliser.h"

#include <QMouseEvent>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTouchEvent>
#include <gtest/gtest.h>

namespace {

QPointingDevice* Device(const char* name, QPointingDevice::PointerType type,
    QInputDevice::DeviceType deviceType = QInputDevice::DeviceType::Stylus)
{
    // Kept for good: a device must not outlive the application it was made in.
    static auto* keep = new std::vector<std::unique_ptr<QPointingDevice>>;
    keep->push_back(std::make_unique<QPointingDevice>(QString::fromLatin1(name), 900 + qint64(keep->size()),
        deviceType, type, QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3,
        QString(), QPointingDeviceUniqueId::fromNumericId(77)));
    return keep->back().get();
}

QTabletEvent Tablet(QEvent::Type type, const QPointingDevice* device, QPointF pos, Qt::MouseButtons buttons,
    qreal pressure = 0.5)
{
    return QTabletEvent(type, device, pos, pos, pressure, 0, 0, 0, 0, 0, Qt::NoModifier,
        type == QEvent::TabletMove ? Qt::NoButton : Qt::LeftButton, buttons);
}

} // namespace

TEST(PointerNormaliserTest, TabletPhasesToolsAndKeys)
{
    CPointerNormaliser n;
    QPointingDevice* pen = Device("Wacom stylus", QPointingDevice::PointerType::Pen);
    QPointingDevice* eraserEnd = Device("Wacom stylus", QPointingDevice::PointerType::Eraser);
    QPointingDevice* eraserByName = Device("HID 256c:006e Pen Eraser", QPointingDevice::PointerType::Pen);

    auto down = Tablet(QEvent::TabletPress, pen, { 3.5, 4 }, Qt::LeftButton, 0.25);
    auto s = n.Normalise(&down);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->phase, SamplePhase::Down);
    EXPECT_EQ(s->tool, BoardTool::Pen);
    EXPECT_EQ(s->position, QPointF(3.5, 4));
    EXPECT_EQ(s->value, 250);

    auto drag = Tablet(QEvent::TabletMove, pen, { 5, 5 }, Qt::LeftButton);
    EXPECT_EQ(n.Normalise(&drag)->phase, SamplePhase::Move);
    auto hover = Tablet(QEvent::TabletMove, pen, { 5, 5 }, Qt::NoButton, 0);
    EXPECT_EQ(n.Normalise(&hover)->phase, SamplePhase::Hover);
    auto up = Tablet(QEvent::TabletRelease, pen, { 5, 5 }, Qt::NoButton, 0);
    EXPECT_EQ(n.Normalise(&up)->phase, SamplePhase::Up);

    auto erase = Tablet(QEvent::TabletPress, eraserEnd, { 1, 1 }, Qt::LeftButton);
    const auto e = n.Normalise(&erase);
    EXPECT_EQ(e->tool, BoardTool::Eraser);
    EXPECT_NE(e->deviceKey, s->deviceKey) << "each end of a stylus is its own pointer";
    auto named = Tablet(QEvent::TabletPress, eraserByName, { 1, 1 }, Qt::LeftButton);
    EXPECT_EQ(n.Normalise(&named)->tool, BoardTool::Eraser);
}

TEST(PointerNormaliserTest, MiceNeverAndTouchOnlyWhenAskedFor)
{
    CPointerNormaliser n;
    // A mouse event made from a stylus is still a mouse event.
    QPointingDevice* pen = Device("stylus", QPointingDevice::PointerType::Pen);
    QMouseEvent mouse(QEvent::MouseButtonPress, { 1, 1 }, { 1, 1 }, { 1, 1 }, Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier, pen);
    EXPECT_FALSE(n.Normalise(&mouse));

    QPointingDevice* screen
        = Device("touchscreen", QPointingDevice::PointerType::Finger, QInputDevice::DeviceType::TouchScreen);
    QEventPoint point(0, QEventPoint::State::Pressed, { 7, 8 }, { 7, 8 });
    QTouchEvent touch(QEvent::TouchBegin, screen, Qt::NoModifier, { point });
    EXPECT_FALSE(n.Normalise(&touch));
    n.SetTouchAsPen(true);
    const auto s = n.Normalise(&touch);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->phase, SamplePhase::Down);
    EXPECT_EQ(s->tool, BoardTool::Pen);
    EXPECT_EQ(s->globalPosition, QPointF(7, 8));
}
