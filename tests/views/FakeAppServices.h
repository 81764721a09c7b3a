#pragma once

#include "config/OperatorSettings.h"
#include "game/GameModel.h"
#include "platform/sound/SoundPlayer.h"
#include "views/AppServices.h"

#include <vector>

// Stands in for the main frame: records view switches and menu states, and
// answers the New Game dialog as the test says.
class FakeAppServices : public CAppServices
{
public:
    CGameModel* GetGameModel() override { return model; }
    CButtonStrip* GetButtonStrip() override { return strip; }
    bool IsBlankViewActive() const override { return blank; }
    void SwitchView() override
    {
        ++switches;
        blank = false;
    }
    void SetNextEnabled(bool enabled) override { nextEnabled = enabled; }
    void SetPreviousEnabled(bool enabled) override { previousEnabled = enabled; }
    bool RunNewGameDialog(bool& keepLevel) override
    {
        ++dialogs;
        keepLevel = dialogKeep;
        return dialogOk;
    }
    CSoundPlayer& GetSoundPlayer() override { return sound; }

    CGameModel* model = nullptr;
    CButtonStrip* strip = nullptr;
    bool blank = true;
    int switches = 0;
    bool nextEnabled = true;
    bool previousEnabled = true;
    int dialogs = 0;
    bool dialogOk = true;
    bool dialogKeep = true;
    CSoundPlayer sound;
};

// A game model whose Setup dialog is scripted: each run answers with the next
// entry (true = OK with addition at the given level and count questions).
struct ScriptedSetup
{
    explicit ScriptedSetup(CGameModel& m)
    {
        m.SetSetupRunner([this](std::vector<CParameterSet>& sets, int& count) {
            ++runs;
            if (!ok)
                return false;
            CParameterSet set;
            ApplyDefaults(set, OperatorName::Addition, level);
            sets.assign(1, set);
            count = questions;
            return true;
        });
        m.SetMessageSink([this](const QString&) { ++messages; });
    }
    bool ok = true;
    int level = 2;
    int questions = 10;
    int runs = 0;
    int messages = 0;
};
