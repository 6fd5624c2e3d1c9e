#pragma once

#include <QString>
#include <array>
#include <cstdint>

// What is on air, as the program-table window learns it from the service's files; read by the
// main and mini windows, the tray menu, the dialogs. Everything changes together: a download
// that fails leaves the previous record whole.
struct AppState {
    // Defaults: the three link targets lead to the broadcaster's main site until a program
    // names its own; the description is the "see the home page" text.
    static AppState Defaults(const QString& mainSite, const QString& defaultContents);

    QString programCode;
    QString title;
    QString link1;
    QString link2;
    QString eventLink;
    QString image1Url;
    QString image2Url;
    QString eventImageUrl;
    // opened by a click on a character sprite; while empty the sprites are not clickable
    QString characterLink;
    // character enabled (non-zero), on time in ms, off time in ms
    std::array<int32_t, 3> characterTimes{1, -1, 0};
    // the program also runs on the visual stream
    bool hasVfm = false;
    bool isLive = false;
    QString scrollText;
    QString scrollLink;
    QString contents;
};

inline AppState AppState::Defaults(const QString& mainSite, const QString& defaultContents) {
    AppState state;
    state.link1 = mainSite;
    state.link2 = mainSite;
    state.eventLink = mainSite;
    state.contents = defaultContents;
    return state;
}
