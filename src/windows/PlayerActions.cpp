#include "windows/PlayerActions.h"

#include "platform/StringTable.h"

PlayerActions::PlayerActions(QObject* parent) : QObject(parent) {
    const std::pair<QAction*, Command> commands[] = {
        {&hideShow, kHideShow}, {&view, kView},       {&todaysPrograms, kTodaysPrograms},
        {&play, kPlay},         {&stop, kStop},       {&settings, kSettings},
        {&skins, kSkins},       {&version, kVersion}, {&close, kClose},
    };
    for (const auto& [action, command] : commands) {
        action->setData(static_cast<int>(command));
    }
    SetUpSleepChoices();
    SetUpRecordChoices();
    Update(false, false);
}

void PlayerActions::Update(bool faceHidden, bool hasVisualStream) {
    hideShow.setText(StringTable::Load(faceHidden ? StringId::kShow : StringId::kHide));
    view.setText(StringTable::Load(StringId::kSeeingRadio));
    view.setEnabled(hasVisualStream);
    todaysPrograms.setText(StringTable::Load(StringId::kTodaysPrograms));
    play.setText(StringTable::Load(StringId::kPlay));
    stop.setText(StringTable::Load(StringId::kStop));
    settings.setText(StringTable::Load(StringId::kSettings));
    skins.setText(StringTable::Load(StringId::kChangeSkin));
    version.setText(StringTable::Load(StringId::kVersionInfo));
    close.setText(StringTable::Load(StringId::kClose));
    sleepOff.setText(StringTable::Load(StringId::kSleepOff));
    for (size_t i = 0; i < sleepAfter.size(); ++i) {
        sleepAfter[i].setText(StringTable::Load(StringId::kSleepMinutes).arg(kSleepMinutes[i]));
    }
    sleepAtProgramEnd.setText(StringTable::Load(StringId::kSleepAtProgramEnd));
    pause.setText(StringTable::Load(StringId::kPause));
    backToLive.setText(StringTable::Load(StringId::kBackToLive));
    recordThis.setText(StringTable::Load(StringId::kRecordThisProgram));
    recordEvery.setText(StringTable::Load(StringId::kRecordEveryProgram));
}

void PlayerActions::SetUpSleepChoices() {
    sleepChoices.addAction(&sleepOff);
    for (size_t i = 0; i < sleepAfter.size(); ++i) {
        sleepAfter[i].setData(kSleepMinutes[i]);
        sleepChoices.addAction(&sleepAfter[i]);
    }
    sleepChoices.addAction(&sleepAtProgramEnd);
    for (QAction* choice : sleepChoices.actions()) {
        choice->setCheckable(true);
    }
    sleepOff.setChecked(true);
}

void PlayerActions::SetUpRecordChoices() {
    recordChoices.setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* choice : {&recordThis, &recordEvery}) {
        choice->setCheckable(true);
        recordChoices.addAction(choice);
    }
}
