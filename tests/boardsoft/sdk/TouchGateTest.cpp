// Which touches write: the setting against Qt's device list, and the rules that
// keep a resting hand from writing.

#include "boardsoft/TouchGate.h"

#include <QPointingDevice>
#include <gtest/gtest.h>

namespace {

using Mode = CTouchGate::Mode;

QPointingDevice* Make(QInputDevice::DeviceType type, QPointingDevice::PointerType pointer)
{
    // Kept for good: a device must not outlive the application it was made in.
    static auto* keep = new std::vector<std::unique_ptr<QPointingDevice>>;
    keep->push_back(std::make_unique<QPointingDevice>(QStringLiteral("device"), 900 + qint64(keep->size()),
        type, pointer, QInputDevice::Capability::Position, 1, 0));
    return keep->back().get();
}

} // namespace

TEST(TouchGateTest, SettingAgainstTheDeviceList)
{
    const QInputDevice* mouse = Make(QInputDevice::DeviceType::Mouse, QPointingDevice::PointerType::Generic);
    const QInputDevice* panel
        = Make(QInputDevice::DeviceType::TouchScreen, QPointingDevice::PointerType::Finger);
    const QInputDevice* pad = Make(QInputDevice::DeviceType::TouchPad, QPointingDevice::PointerType::Finger);
    const QInputDevice* stylus = Make(QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen);
    const struct
    {
        Mode mode;
        QList<const QInputDevice*> devices;
        bool writes;
    } cases[] = {
        { Mode::Automatic, { mouse, panel }, true }, // a touch-only panel
        { Mode::Automatic, { mouse, panel, stylus }, false }, // its pen writes; fingers stay fingers
        { Mode::Automatic, { mouse, pad }, false }, // a touch pad is no screen
        { Mode::Automatic, {}, false },
        { Mode::Always, { mouse, panel, stylus }, true },
        { Mode::Always, {}, true },
        { Mode::Never, { mouse, panel }, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTouchGate::TouchWrites(c.mode, c.devices), c.writes)
            << "mode " << int(c.mode) << ", " << c.devices.size() << " devices";
}

TEST(TouchGateTest, ARestingHandDoesNotWrite)
{
    CTouchGate gate;
    // One writing touch at a time: a second finger landing meanwhile does not write.
    EXPECT_TRUE(gate.Begin(1, QSizeF(), 10000));
    EXPECT_FALSE(gate.Begin(2, QSizeF(8, 8), 10010));
    EXPECT_TRUE(gate.IsWriting(1));
    EXPECT_FALSE(gate.IsWriting(2));
    gate.End(2); // the other finger leaving ends nothing
    EXPECT_TRUE(gate.IsWriting(1));
    gate.End(1);
    EXPECT_FALSE(gate.Writing());

    // A palm-sized contact is ignored where the device reports sizes; a fingertip writes.
    EXPECT_FALSE(gate.Begin(3, QSizeF(120, 90), 10100));
    EXPECT_FALSE(gate.Begin(3, QSizeF(10, CTouchGate::kMaxContactDiameter + 1), 10100));
    EXPECT_TRUE(gate.Begin(4, QSizeF(12, 14), 10100));
    gate.End(4);

    // The pen wins: no touch writes while it is used or for a moment after.
    gate.PenActivity(20000);
    EXPECT_FALSE(gate.Begin(5, QSizeF(), 20000));
    EXPECT_FALSE(gate.Begin(5, QSizeF(), 20000 + CTouchGate::kPenQuietMs));
    EXPECT_TRUE(gate.Begin(5, QSizeF(), 20001 + CTouchGate::kPenQuietMs));
}
