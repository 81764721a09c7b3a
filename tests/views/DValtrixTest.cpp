#include "views/DValtrix.h"

#include "platform/registry/Registry.h"
#include "tests/fixtures/RegisterComponent.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

TEST(DValtrixTest, MissingControlIsReportedAndCallsDoNothing)
{
    CDValtrix field;
    EXPECT_EQ(field.CreateStatus(), CDValtrix::Status::NotCreated);
    EXPECT_FALSE(field.Create());
    EXPECT_EQ(field.CreateStatus(), CDValtrix::Status::NotRegistered);
    EXPECT_TRUE(field.StatusMessage().contains(QStringLiteral("Valtrix")));
    EXPECT_TRUE(field.StatusMessage().contains(QStringLiteral("not registered")));
    EXPECT_FALSE(field.Create()); // the first outcome stands

    field.SetAnswer(QStringLiteral("42"));
    EXPECT_EQ(field.LastError(), E_POINTER);
    EXPECT_EQ(field.GetPreferredWidth(), 0);
    EXPECT_FALSE(field.IsHintPossible());
    EXPECT_TRUE(field.GetState().isEmpty());
    EXPECT_EQ(field.ControlWindow(), nullptr);
}

namespace {
int g_notRegisteredLines = 0;
void CountNotRegistered(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (text.contains(QStringLiteral("not registered")))
        ++g_notRegisteredLines;
}
} // namespace

TEST(DValtrixTest, AMissingControlIsLoggedOnceNotOncePerField)
{
    g_notRegisteredLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(CountNotRegistered);
    std::vector<std::unique_ptr<CDValtrix>> fields;
    for (int i = 0; i < 7; ++i) {
        fields.push_back(std::make_unique<CDValtrix>());
        EXPECT_FALSE(fields.back()->Create());
    }
    qInstallMessageHandler(previous);
    // Once in the process: an earlier test may have logged it already.
    EXPECT_LE(g_notRegisteredLines, 1);
    // Each field still knows its own problem, for the view's message.
    for (const auto& field : fields)
        EXPECT_TRUE(field->StatusMessage().contains(QStringLiteral("not registered")));
}

TEST(DValtrixTest, RegisteredClassWhoseLibraryIsGoneFailsToLoad)
{
    HKEY key = nullptr;
    const std::string sub
        = "Software\\Classes\\CLSID\\" + GuidToString(CDValtrix::kClassId) + "\\InprocServer32";
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, sub.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const char path[] = "/nonexistent/libvaltrix.so";
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path),
        ERROR_SUCCESS);
    RegCloseKey(key);

    CDValtrix field;
    EXPECT_FALSE(field.Create());
    EXPECT_EQ(field.CreateStatus(), CDValtrix::Status::LoadFailed);
    EXPECT_TRUE(field.StatusMessage().contains(QStringLiteral("could not be loaded")));
}

TEST(DValtrixTest, DrivesTheControlByDispid)
{
    ASSERT_EQ(RegisterControl(), S_OK);
    QWidget view;
    view.resize(400, 200);
    auto* field = new CDValtrix(&view);
    view.show();
    ASSERT_TRUE(field->Create()) << field->StatusMessage().toStdString();
    EXPECT_TRUE(field->StatusMessage().isEmpty());
    EXPECT_EQ(field->objectName(), QStringLiteral("CDValtrix"));
    ASSERT_TRUE(field->ControlWindow());
    EXPECT_EQ(field->ControlWindow()->parentWidget(), field);

    field->SetFont(QStringLiteral("Arial"), 26);
    EXPECT_TRUE(field->IsStaticModeEnabled());
    field->SetAnswer(QStringLiteral("125"));
    field->EnableStaticMode(false);
    EXPECT_FALSE(field->IsStaticModeEnabled());
    EXPECT_TRUE(field->IsHintPossible());
    EXPECT_TRUE(field->GiveHint());
    EXPECT_EQ(field->GetState(), QStringLiteral("125  5  x0"));

    field->SetState(QStringLiteral("125125   0"));
    EXPECT_TRUE(field->IsCorrectAnswer());
    field->VerifyResponse();
    EXPECT_EQ(field->GetState(), QStringLiteral("125125   1"));
    EXPECT_EQ(field->LastError(), S_OK);

    const int width = field->GetPreferredWidth();
    const int height = field->GetPreferredHeight();
    EXPECT_GT(width, 3 * 12);
    EXPECT_GT(height, 26);
    field->setGeometry(5, 5, width, height);
    EXPECT_EQ(field->ControlWindow()->size(), QSize(width, height));

    field->SetMagnificationFactor(2.5f);
    field->EnableMagnification(true);
    EXPECT_GT(field->GetPreferredWidth(), 2 * width);
    field->EnableMagnification(false);
    EXPECT_EQ(field->GetPreferredWidth(), width);
    field->SetBackgroundColour(0x00FFC878);
    field->ShowGridLines(false);
    field->DoRecognition();
    EXPECT_EQ(field->LastError(), S_OK);

    // The field goes with its view; the control goes with the field.
    delete field;
}

} // namespace
