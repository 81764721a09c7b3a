#include "app/KestavoApp.h"

#include "app/AboutSheet.h"
#include "app/DialogFirst.h"
#include "app/MainFrame.h"
#include "app/PartsCheck.h"
#include "config/SettingsDefaults.h"
#include "config/Setup.h"
#include "platform/help/HelpWindow.h"
#include "resources/StringTable.h"
#include "views/ButtonStrip.h"
#include "views/PngResource.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kTitleString = 57344;
constexpr int kAppIcon = 128;
// Longest the main window waits for the first dialog to be drawn.
constexpr int kDialogFirstLimitMs = 1000;

} // namespace

CKestavoApp::CKestavoApp() = default;

CKestavoApp::~CKestavoApp()
{
    ExitInstance();
}

bool CKestavoApp::InitInstance(const Options& options)
{
    // The handwriting reader's model is read and checked on a thread of its
    // own while the window is built; its result is waited for before Setup.
    if (options.checkParts)
        m_recognizerProbe = std::async(std::launch::async, &CPartsCheck::ProbeRecognizer);
    QApplication::setApplicationName(LoadResString(kTitleString));
    // Every window shows the program's icon; its sizes are decoded and handed
    // to the window system when it is set.
    const auto setIcon = [] { QApplication::setWindowIcon(LoadIconResource(kAppIcon)); };
    if (!options.dialogFirst)
        setIcon();
    // A new user starts from the school's settings in the machine hive, if any.
    CSettingsDefaults::SeedUser();

    m_model = std::make_unique<CGameModel>();
    if (options.setupRunner)
        m_model->SetSetupRunner(options.setupRunner);
    else
        m_model->SetSetupRunner(
            [this](std::vector<CParameterSet>& sets, int& count) { return RunSetup(sets, count); });
    if (options.messageSink)
        m_model->SetMessageSink(options.messageSink);
    else
        m_model->SetMessageSink([this](const QString& text) {
            QMessageBox::information(m_frame.get(), LoadResString(kTitleString), text);
        });

    m_frame = std::make_unique<CMainFrame>(*this);

    // No size or place is kept between runs: a window of three quarters of
    // the screen, or the whole screen for a projector.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_frame->resize(area.width() * 3 / 4, area.height() * 3 / 4);
        m_frame->move(area.center() - m_frame->rect().center());
    }
    if (options.dialogFirst) {
        auto* hold = new CDialogFirst(m_frame.get(), kDialogFirstLimitMs, m_frame.get());
        QObject::connect(hold, &CDialogFirst::released, hold, [hold, setIcon] {
            setIcon();
            hold->deleteLater();
        });
    }
    if (options.fullScreen)
        m_frame->showFullScreen();
    else
        m_frame->show();

    // Once the window is on screen: first what is missing, then Go, so Setup
    // opens over the blank view after the teacher has read the message.
    if (options.checkParts || options.goAtStart) {
        const bool checkParts = options.checkParts;
        const bool goAtStart = options.goAtStart;
        QTimer::singleShot(0, m_frame.get(), [this, checkParts, goAtStart] {
            if (checkParts) {
                const QString report = CPartsCheck::Report(CPartsCheck::Probe(
                    m_recognizerProbe.valid() ? m_recognizerProbe.get() : CPartsCheck::ProbeRecognizer()));
                if (!report.isEmpty())
                    QMessageBox::warning(m_frame.get(), LoadResString(kTitleString), report);
            }
            if (goAtStart && m_frame && m_frame->GetButtonStrip())
                m_frame->GetButtonStrip()->OnGoStop();
        });
    }
    return true;
}

int CKestavoApp::ExitInstance()
{
    if (m_recognizerProbe.valid())
        m_recognizerProbe.wait();
    // The views unregister from the model as they go: the frame first.
    m_frame.reset();
    m_model.reset();
    return 0;
}

bool CKestavoApp::RunSetup(std::vector<CParameterSet>& sets, int& questionCount)
{
    CSetup setup(m_frame.get());
    // Modal to the main window only: the help window it opens is a window of
    // its own and must take pen and mouse input while Setup is up.
    setup.setWindowModality(Qt::WindowModal);
    QObject::connect(&setup, &CSetup::helpRequested, &setup, [this] { OnHelpContents(); });
    if (setup.exec() != QDialog::Accepted)
        return false;
    setup.CollectSelected(sets);
    questionCount = setup.GetNumberOfQuestions();
    m_frame->ApplyQuestionSize(setup.GetQuestionSize());
    return true;
}

void CKestavoApp::OnHelpContents()
{
    CHelpWindow::ShowHelp();
}

void CKestavoApp::OnAbout()
{
    CAboutSheet::ShowAbout(m_frame.get());
}
