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
}
