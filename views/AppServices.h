#pragma once

class CButtonStrip;
class CGameModel;
class CSoundPlayer;

// What the views and the button strip need from the application and its main
// frame. The main frame implements it and hands it to every view it creates
// (constructor argument `CAppServices& services`), so views stay free of the
// app/ folder and tests can give them a fake.
class CAppServices
{
public:
    virtual ~CAppServices() = default;

    // The one game model of the program; never null while a view exists.
    virtual CGameModel* GetGameModel() = 0;
    // The strip along the bottom of the frame; null when there is none.
    virtual CButtonStrip* GetButtonStrip() = 0;
    // True while the frame shows the empty start screen.
    virtual bool IsBlankViewActive() const = 0;
    // Moves the frame to the next view of the cycle blank -> game -> summary -> game.
    // Destroys the current view: a caller that is that view must not touch its
    // members afterwards.
    virtual void SwitchView() = 0;
    // States of the Game menu's "&Next" and "&Previous" items.
    virtual void SetNextEnabled(bool enabled) = 0;
    virtual void SetPreviousEnabled(bool enabled) = 0;
    // Runs the New Game dialog modally. False on Cancel; on OK keepLevel tells
    // whether the learning level is kept (no Setup dialog).
    virtual bool RunNewGameDialog(bool& keepLevel) = 0;
    // Asked before a running game is ended by STOP or by Next on the last
    // question: false keeps the game going. The frame asks the class when the
    // teacher wants that; without a frame every game may end.
    virtual bool ConfirmEndGame() { return true; }
    // The right/wrong sound player. It outlives the views, so a sound still
    // playing when GO/STOP switches to the summary is heard to its end.
    virtual CSoundPlayer& GetSoundPlayer() = 0;
};
