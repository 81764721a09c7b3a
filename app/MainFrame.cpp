#include "app/MainFrame.h"

#include "app/DecimalSeparatorMenu.h"
#include "app/GoDialog.h"
#include "app/KestavoApp.h"
#include "app/LanguageMenu.h"
#include "app/ResultsActions.h"
#include "app/SettingsMenu.h"
#include "app/TouchWritingMenu.h"
#include "config/TeacherOptions.h"
#include "game/GameModel.h"
#include "platform/sound/SoundPlayer.h"
#include "resources/StringTable.h"
#include "views/BlankView.h"
#include "views/ButtonStrip.h"
#include "views/ClientEdge.h"
#include "views/GameView.h"
#include "views/SummaryContent.h"
#include "views/SummaryView.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kTitleString = 57344;
constexpr int kGoString = 147;
constexpr int kStopString = 148;

} // namespace

CMainFrame::CMainFrame(CKestavoApp& app)
    : m_app(app)
{
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(LoadResString(kTitleString));
    m_newGameRunner = [this](bool& keepLevel) {
        CGoDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        keepLevel = dialog.KeepLearningLevel();
        return true;
    };
    m_endGameAsker = [this](int unanswered) { return AskWithMessageBox(unanswered); };
    m_clock = [] {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return static_cast<std::int64_t>(clock.elapsed());
    };
    m_endGuard.SetAskFirst(CTeacherOptions::AskBeforeEndingGame());

    // The client area holds the view within its edge and the strip, placed by
    // LayoutChildren.
    m_sound = new CSoundPlayer(this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);
    if (CGameModel* model = m_app.GetGameModel())
        m_results = std::make_unique<CResultsActions>(this, *model);
    m_questionSize = CQuestionSize::Load();
    BuildMenus();
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    m_edge = new CClientEdge(m_client);
    m_strip = new CButtonStrip(*this, m_client);
    m_strip->setProperty("controlId", kStripId);
    m_strip->setGeometry(0, 0, 100, 100);
    m_strip->SetScale(CQuestionSize::Scale(m_questionSize));
    m_strip->show();
    SwitchView(); // the blank view
}

CMainFrame::~CMainFrame()
{
    // Views unregister from the game model and may reach the strip in their
    // destructors: delete them, old ones still waiting for deferred deletion
    // included, while this object is whole, and the strip last.
    m_view = nullptr;
    for (QWidget* child : m_client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != m_strip && child != m_edge)
            delete child;
    delete m_strip;
    m_strip = nullptr;
}

void CMainFrame::BuildMenus()
{
    QMenu* game = menuBar()->addMenu(tr("&Game"));
    AddCommand(game, LoadResString(kGoString), kIdGo, &CMainFrame::OnGo);
    AddCommand(game, tr("&Next"), kIdNext, &CMainFrame::OnNextQuestion)->setEnabled(false);
    AddCommand(game, tr("&Previous"), kIdPrevious, &CMainFrame::OnPreviousQuestion)->setEnabled(false);
    AddResultsCommands(game);
    game->addSeparator();
    connect(game->addAction(tr("&Import Settings...")), &QAction::triggered, this,
        [this] { CSettingsMenu::Import(this); });
    connect(game->addAction(tr("E&xport Settings...")), &QAction::triggered, this,
        [this] { CSettingsMenu::Export(this); });
    game->addSeparator();
    QAction* ask = game->addAction(tr("Ask before ending a game"));
    ask->setProperty("commandId", kIdAskBeforeEnding);
    ask->setCheckable(true);
    ask->setChecked(m_endGuard.AskFirst());
    connect(ask, &QAction::triggered, this, [this](bool checked) { SetAskBeforeEndingGame(checked); });
    game->addSeparator();
    new CTouchWritingMenu(game);
    new CDecimalSeparatorMenu(game);
    new CLanguageMenu(game, [this](const QString& text) {
        if (m_messageSink)
            m_messageSink(text);
        else
            QMessageBox::information(this, windowTitle(), text);
    });
    game->addSeparator();
    QMenu* sizes = game->addMenu(tr("Question &Size"));
    sizes->setObjectName(QStringLiteral("questionSize"));
    m_sizeGroup = new QActionGroup(this);
    m_sizeGroup->setExclusive(true);
    for (int i = 0; i < CQuestionSize::Count; ++i) {
        const auto size = static_cast<CQuestionSize::Size>(i);
        QAction* item = sizes->addAction(CQuestionSize::Label(size));
        item->setProperty("commandId", kIdQuestionSizeFirst + i);
        item->setCheckable(true);
        item->setChecked(size == m_questionSize);
        m_sizeGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, size] { OnQuestionSize(size); });
    }
    game->addSeparator();
    QAction* exit = game->addAction(tr("&Exit"));
    exit->setProperty("commandId", kIdExit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* contents = help->addAction(tr("&Contents..."));
    contents->setProperty("commandId", kIdHelpContents);
    connect(contents, &QAction::triggered, this, [this] { m_app.OnHelpContents(); });
    help->addSeparator();
    QAction* about = help->addAction(tr("&About Kestavo..."));
    about->setProperty("commandId", kIdAbout);
    connect(about, &QAction::triggered, this, [this] { m_app.OnAbout(); });

    // The items follow the flags the views set, whenever the menu opens too.
    connect(game, &QMenu::aboutToShow, this, [this] {
        Action(kIdNext)->setEnabled(m_app.IsNextEnabled());
        Action(kIdPrevious)->setEnabled(m_app.IsPreviousEnabled());
    });
}

void CMainFrame::AddResultsCommands(QMenu* game)
{
    if (!m_results)
        return;
    game->addSeparator();
    const auto add = [&](const QString& text, int id, bool (CResultsActions::*run)()) {
        QAction* action = game->addAction(text);
        action->setProperty("commandId", id);
        connect(action, &QAction::triggered, this, [this, run] { ((*m_results).*run)(); });
        return action;
    };
    add(tr("Save Results..."), kIdSaveResults, &CResultsActions::SaveResults)->setEnabled(false);
    add(tr("Print Results..."), kIdPrintResults, &CResultsActions::PrintResults)->setEnabled(false);
    add(tr("Print Worksheet..."), kIdPrintWorksheet, &CResultsActions::PrintWorksheet);
}

QAction* CMainFrame::AddCommand(
    QMenu* menu, const QString& text, int commandId, void (CMainFrame::*handler)())
{
    QAction* action = menu->addAction(text);
    action->setProperty("commandId", commandId);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

QAction* CMainFrame::Action(int commandId) const
{
    for (QAction* top : menuBar()->actions())
        if (QMenu* menu = top->menu())
            for (QAction* action : menu->actions()) {
                if (action->property("commandId").toInt() == commandId)
                    return action;
                if (QMenu* sub = action->menu())
                    for (QAction* inner : sub->actions())
                        if (inner->property("commandId").toInt() == commandId)
                            return inner;
            }
    return nullptr;
}

void CMainFrame::ApplyQuestionSize(CQuestionSize::Size size)
{
    size = CQuestionSize::FromNumber(size);
    m_questionSize = size;
    if (QAction* item = Action(kIdQuestionSizeFirst + size))
        item->setChecked(true);
    m_strip->SetScale(CQuestionSize::Scale(size));
    if (auto* game = qobject_cast<CGameView*>(m_view))
        game->SetQuestionSize(size);
    LayoutChildren();
}

void CMainFrame::OnQuestionSize(CQuestionSize::Size size)
{
    ApplyQuestionSize(size);
    if (CQuestionSize::Save(size))
        return;
    const QString text = tr("The question size could not be saved on this computer. "
                            "It stays in use now, but the next start will not remember it.");
    if (m_messageSink)
        m_messageSink(text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

CGameModel* CMainFrame::GetGameModel()
{
    return m_app.GetGameModel();
}

bool CMainFrame::IsBlankViewActive() const
{
    return qobject_cast<CBlankView*>(m_view) != nullptr;
}

void CMainFrame::SwitchView()
{
    enum Kind
    {
        Blank,
        Game,
        Summary
    };
    const Kind next = !m_view ? Blank : qobject_cast<CGameView*>(m_view) ? Summary : Game;

    if (m_view) {
        // The old view may be the caller (the game view ends the game from its
        // own Next): it goes when control is back in the event loop. It stops
        // listening to the model at once, so it takes no part in what follows.
        QWidget* old = m_view;
        m_view = nullptr;
        old->hide();
        if (auto* listener = dynamic_cast<CGameListener*>(old); listener && GetGameModel())
            GetGameModel()->RemoveListener(listener);
        old->deleteLater();
    }

    QWidget* view = nullptr;
    switch (next) {
    case Blank:
        view = new CBlankView(m_client);
        break;
    case Game:
        view = new CGameView(*this, m_client);
        break;
    case Summary: {
        auto* summary = new CSummaryView(*this, m_client);
        if (m_results) {
            m_results->ForgetName(); // a new game's results: ask for the name again
            connect(summary, &CSummaryView::SaveResultsRequested, this, [this] { m_results->SaveResults(); });
            connect(
                summary, &CSummaryView::PrintResultsRequested, this, [this] { m_results->PrintResults(); });
        }
        view = summary;
        break;
    }
    }
    view->setProperty("controlId", kViewId);
    view->setGeometry(0, 0, 0, 0);
    if (auto* game = qobject_cast<CGameView*>(view))
        game->SetQuestionSize(m_questionSize);
    m_view = view;

    if (next == Game && GetGameModel())
        GetGameModel()->BuildQuestions();
    if (next == Game) {
        m_endGuard.GameStarted(m_clock());
        // The audio stack is not loaded at start; load it once the game is on
        // screen, before the first answer is checked.
        QTimer::singleShot(0, m_sound, [sound = m_sound] { sound->Prepare(); });
    }
    LayoutChildren();
    m_view->show();
    if (isActiveWindow())
        m_view->setFocus();
}

void CMainFrame::LayoutChildren()
{
    const QRect client = m_client->rect();
    const int stripHeight = CButtonStrip::HeightFor(m_strip->Scale());
    m_strip->setGeometry(client.left(), client.bottom() + 1 - stripHeight, client.width(), stripHeight);
    m_strip->show();
    // The view lies within its sunken edge.
    const QRect area(
        client.left(), client.top(), client.width(), std::max(0, client.height() - stripHeight));
    m_edge->setGeometry(area);
    m_edge->lower();
    m_edge->show();
    if (m_view) {
        const QRect inner = CClientEdge::Inner(area);
        m_view->setGeometry(inner.isValid() ? inner : QRect(area.topLeft(), QSize(0, 0)));
        m_view->show();
    }

    const bool game = qobject_cast<CGameView*>(m_view) != nullptr;
    Action(kIdGo)->setText(LoadResString(game ? kStopString : kGoString));
    // The results can be kept while they are on screen.
    const bool summary = qobject_cast<CSummaryView*>(m_view) != nullptr;
    for (const int id : { kIdSaveResults, kIdPrintResults })
        if (QAction* action = Action(id))
            action->setEnabled(summary);
    if (IsBlankViewActive()) {
        m_strip->EnablePrevious(false);
        m_strip->EnableNext(false);
        m_strip->EnableCheck(false);
        m_strip->EnableHint(false);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        LayoutChildren();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    if (m_view)
        m_view->setFocus();
}

void CMainFrame::SetNextEnabled(bool enabled)
{
    m_app.SetNextEnabled(enabled);
    Action(kIdNext)->setEnabled(enabled);
}

void CMainFrame::SetPreviousEnabled(bool enabled)
{
    m_app.SetPreviousEnabled(enabled);
    Action(kIdPrevious)->setEnabled(enabled);
}

bool CMainFrame::RunNewGameDialog(bool& keepLevel)
{
    return m_newGameRunner && m_newGameRunner(keepLevel);
}

void CMainFrame::OnGo()
{
    if (m_strip)
        m_strip->OnGoStop();
}

void CMainFrame::OnNextQuestion()
{
    if (CGameModel* model = GetGameModel())
        model->OnNext();
}

void CMainFrame::OnPreviousQuestion()
{
    if (CGameModel* model = GetGameModel())
        model->OnPrevious();
}

void CMainFrame::SetAskBeforeEndingGame(bool ask)
{
    m_endGuard.SetAskFirst(ask);
    if (QAction* action = Action(kIdAskBeforeEnding))
        action->setChecked(ask);
    if (!CTeacherOptions::SetAskBeforeEndingGame(ask))
        QMessageBox::warning(this, windowTitle(),
            tr("The choice \"Ask before ending a game\" could not be saved; it holds until Kestavo is "
               "closed."));
}

bool CMainFrame::ConfirmEndGame()
{
    switch (m_endGuard.OnEndRequested(m_clock())) {
    case CEndGameGuard::Decision::End:
        return true;
    case CEndGameGuard::Decision::Ignore:
        return false;
    case CEndGameGuard::Decision::Ask:
        break;
    }
    return AskToEndGame();
}

bool CMainFrame::AskToEndGame()
{
    CGameModel* model = GetGameModel();
    if (!model)
        return true;
    if (auto* game = qobject_cast<CGameView*>(m_view))
        game->SaveAnswers();
    return m_endGameAsker && m_endGameAsker(CSummaryContent::CountUnanswered(*model));
}

bool CMainFrame::AskWithMessageBox(int unanswered)
{
    QMessageBox box(
        QMessageBox::Question, windowTitle(), tr("End the game now?"), QMessageBox::NoButton, this);
    box.setInformativeText(unanswered == 0 ? tr("Every question has an answer.")
            : unanswered == 1              ? tr("1 question is not answered yet.")
                                           : tr("%1 questions are not answered yet.").arg(unanswered));
    // Read from across the classroom.
    QFont font = box.font();
    font.setPointSize(std::max(font.pointSize(), 14));
    box.setFont(font);
    QPushButton* end = box.addButton(tr("End the game"), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(tr("Keep playing"), QMessageBox::RejectRole);
    // A stray Enter or tap on the default button keeps the game.
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == end;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_strip && m_strip->IsRunning() && m_endGuard.OnExitRequested() == CEndGameGuard::Decision::Ask
        && !AskToEndGame()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
