#pragma once

#include <QString>
#include <vector>

// The ids of the texts the program shows, fixed numbers shared by both languages.
enum class StringId : int {
    kAboutMenu = 101,
    kMini = 102,
    kHide = 103,
    kPlay = 104,
    kStop = 105,
    kFilesMissing = 106,
    kMute = 107,
    kVolume = 108,
    kSeeingRadio = 109,
    kShow = 110,
    kSettings = 111,
    kClose = 112,
    kChangeSkin = 113,
    kOriginalSize = 114,
    kVersionInfo = 115,
    kVersionText = 116,
    kMessagePrompt = 117,
    kProgramInfo = 118,
    kConnecting = 119,
    kServiceName = 120,
    kSendMessage = 122,
    kProgramInfoFailed = 124,
    kSendFailed = 125,
    kVersionNumber = 126,
    kUpdateQuestion = 127,
    kUpdateFailed = 128,
    kMessageSent = 129,
    kSeeHomePage = 130,
    kMessageEmpty = 131,
    kTodaysPrograms = 134,
    kLoginFailed = 135,
    kLoginServerFailed = 136,
    kNoProgramCode = 138,
    kNoUserId = 139,
    kNoUserName = 140,
    kWriteFirst = 141,
    kQuitStopsSchedule = 142,
    kNoSoundOutput = 150,
    kReconnecting = 151,
    kSettingsNotSaved = 152,
    // the names assistive technology reads for controls that show only a picture
    kOk = 160,
    kCancel = 161,
    kFindIdPassword = 162,
    kJoin = 163,
    kSaveLogIn = 164,
    kAutoLogIn = 165,
    kAlwaysOnTop = 166,
    kScheduledPlayback = 167,
    kEditSchedule = 168,
    kProgramList = 169,
    kUserId = 170,
    kPassword = 171,
    kMessageField = 172,
    kMessageLength = 173,
    kProgramHomePage = 174,
    kProgramBoard = 175,
    kEvents = 176,
    kSkinList = 177,
    kScheduledStart = 178,
    kDayHalf = 179,
    kHour = 180,
    kMinute = 181,
    kSleep = 182,
    kSleepOff = 183,
    kSleepMinutes = 184,
    kSleepAtProgramEnd = 185,
    kRecordThisProgram = 186,
    kRecordEveryProgram = 187,
    kRecordingArtist = 188,
    kRecordingLowDisk = 189,
    kRecordingFailed = 190,
    kRecording = 191,
    kPause = 192,
    kBackToLive = 193,
    kBehindLive = 194,
};

// Every text the program shows to the listener, by its id, in English and in Korean.
// Korean is used when the user's interface language is Korean, English otherwise.
class StringTable {
public:
    // The text of `id` in the current language; an empty string for an unknown id.
    static QString Load(StringId id);
    static QString Load(StringId id, bool korean);
    static std::vector<StringId> AllIds();

    // Whether Korean texts are shown. Decided once from the environment (LANGUAGE, LC_ALL,
    // LC_MESSAGES, LANG as the system locale reports them) unless set explicitly.
    static bool IsKorean();
    static void SetKorean(bool korean);
    static bool KoreanFromEnvironment();
};
