#include "platform/StringTable.h"

#include <QLocale>
#include <map>
#include <optional>
#include <vector>

namespace {

struct Texts {
    const char* english;
    const char* korean;  // UTF-8 source text
};

// clang-format off
const std::map<StringId, Texts>& Table() {
    static const std::map<StringId, Texts> table = {
        {StringId::kAboutMenu, {"&About QUILO...", "&About QUILO..."}},
        {StringId::kMini, {"Mini", "미니"}},
        {StringId::kHide, {"Hide", "감추기"}},
        {StringId::kPlay, {"Play", "재생"}},
        {StringId::kStop, {"Stop", "정지"}},
        {StringId::kFilesMissing, {"Some files for executing this program are missed or damaged.\nPlease re-install this program.",
               "프로그램에 필요한 파일이 부족하거나 손상되었습니다.\n다시 설치하시기 바랍니다."}},
        {StringId::kMute, {"Mute", "음소거"}},
        {StringId::kVolume, {"Volume", "음량 조절"}},
        {StringId::kSeeingRadio, {"Seeing Radio", "보는 라디오"}},
        {StringId::kShow, {"Show", "보이기"}},
        {StringId::kSettings, {"Settings...", "환경 설정"}},
        {StringId::kClose, {"Close", "종료"}},
        {StringId::kChangeSkin, {"Change skin...", "스킨 변경"}},
        {StringId::kOriginalSize, {"Original", "원래 크기로"}},
        {StringId::kVersionInfo, {"Version Info", "프로그램 정보"}},
        {StringId::kVersionText, {"Version %s\r\nCopyright (C) 2026 The Quilo developers.\r\nAll rights reserved.",
               "Version %s\r\nCopyright (C) 2026 The Quilo developers.\r\nAll rights reserved."}},
        {StringId::kMessagePrompt, {"Write and send your message! (200 characters allowed)",
               "메세지를 적어보내세요! (한글 100자: 200byte)"}},
        {StringId::kProgramInfo, {"Program Info", "방송 정보"}},
        {StringId::kConnecting, {"Connecting the server. Please wait...", "서버에 접속 중입니다. 잠시 기다려주세요."}},
        {StringId::kServiceName, {"ZELK Internet Radio, QUILO", "ZELK 인터넷 라디오, QUILO입니다."}},
        {StringId::kSendMessage, {"Send message", "메세지 보내기"}},
        {StringId::kProgramInfoFailed, {"Sorry, getting the program information is failed.",
               "죄송합니다. 방송 정보를 가져오지 못했습니다."}},
        {StringId::kSendFailed, {"Sorry, sending your message is failed.", "죄송합니다. 메세지가 전달되지 못했습니다."}},
        {StringId::kVersionNumber, {"2.01", "2.01"}},
        {StringId::kUpdateQuestion, {"The new version is released. Are you sure to upgrade this program?",
               "새 버전이 있습니다. 업그레이드 하시겠습니까?"}},
        {StringId::kUpdateFailed, {"Sorry, failed to upgrade this program.\r\nPlease visit the ZELK home page.",
               "죄송합니다. 업그레이드에 실패했습니다.\r\nZELK 홈페이지를 이용해주세요."}},
        {StringId::kMessageSent, {"Your message is sent successfully.", "메세지가 성공적으로 작성되었습니다."}},
        {StringId::kSeeHomePage, {"Please refer to homepage for the detail program information.\r\n\r\nThank you.",
               "자세한 방송 정보는 홈페이지를 참조해주세요.\r\n\r\n감사합니다."}},
        {StringId::kMessageEmpty, {"Your message is empty.", "보낼 메세지를 작성하지 않았습니다."}},
        {StringId::kTodaysPrograms, {"Today's Programs", "오늘의 편성"}},
        {StringId::kLoginFailed, {"Sorry for log-in fail. Please retry it.",
               "로그인을 하지 못했습니다. 다시 시도해주시기 바랍니다."}},
        {StringId::kLoginServerFailed, {"Sorry for log-in fail. Please retry it. (2)",
               "서버 접속이 원활하지 않습니다. 다시 시도해주시기 바랍니다."}},
        {StringId::kNoProgramCode, {"The program has not had the program code.\r\nYour message is not allowed to be sent.",
               "프로그램 코드가 없습니다. 메세지를 보낼 수 없습니다."}},
        {StringId::kNoUserId, {"The program has not had your ID. Please log-in again.",
               "ID가 없습니다. 다시 로그인을 해주시기 바랍니다."}},
        {StringId::kNoUserName, {"The program has not had your name. Please log-in again.",
               "이름이 없습니다. 다시 로그인을 해주시기 바랍니다."}},
        {StringId::kWriteFirst, {"Please write your message first.", "먼저 내용을 작성해주시기 바랍니다."}},
        {StringId::kQuitStopsSchedule, {"If you quit QUILO, the scheduler will not work.\r\nAre you sure to quit QUILO?",
               "종료하시면 예약 재생을 할 수 없습니다.\r\n그래도 종료하시겠습니까?"}},
        {StringId::kNoSoundOutput, {"No sound output is available on this computer.",
                                    "이 컴퓨터에는 소리를 낼 장치가 없습니다."}},
        {StringId::kReconnecting, {"The stream was cut off. Reconnecting...",
                                   "방송이 끊어졌습니다. 다시 접속하는 중입니다..."}},
        {StringId::kSettingsNotSaved, {"The settings could not be saved.\r\nScheduled playback stays as it was.\r\nPlease check that your disk has free space.",
                                       "설정을 저장하지 못했습니다.\r\n예약 재생은 바뀌지 않았습니다.\r\n디스크에 남은 공간이 있는지 확인해주시기 바랍니다."}},
        {StringId::kOk, {"OK", "확인"}},
        {StringId::kCancel, {"Cancel", "취소"}},
        {StringId::kFindIdPassword, {"Find ID or password", "아이디/비밀번호 찾기"}},
        {StringId::kJoin, {"Join", "회원 가입"}},
        {StringId::kSaveLogIn, {"Save ID and password", "아이디와 비밀번호 저장"}},
        {StringId::kAutoLogIn, {"Log in automatically", "자동 로그인"}},
        {StringId::kAlwaysOnTop, {"Always on top", "항상 위에"}},
        {StringId::kScheduledPlayback, {"Scheduled playback", "예약 재생"}},
        {StringId::kEditSchedule, {"Set the schedule", "예약 설정"}},
        {StringId::kProgramList, {"Program list", "편성표"}},
        {StringId::kUserId, {"ID", "아이디"}},
        {StringId::kPassword, {"Password", "비밀번호"}},
        {StringId::kMessageField, {"Message to the program", "프로그램에 보낼 메세지"}},
        {StringId::kMessageLength, {"%1 of %2 bytes written", "%2바이트 중 %1바이트 작성"}},
        {StringId::kProgramHomePage, {"Program home page", "프로그램 홈페이지"}},
        {StringId::kProgramBoard, {"Program board", "프로그램 게시판"}},
        {StringId::kEvents, {"Events", "이벤트"}},
        {StringId::kSkinList, {"Skins", "스킨 목록"}},
        {StringId::kScheduledStart, {"Scheduled start %1", "예약 재생 %1"}},
        {StringId::kDayHalf, {"AM or PM, start %1", "오전 또는 오후, 예약 %1"}},
        {StringId::kHour, {"Hour, start %1", "시, 예약 %1"}},
        {StringId::kMinute, {"Minute, start %1", "분, 예약 %1"}},
        {StringId::kSleep, {"Sleep", "꺼짐 예약"}},
        {StringId::kSleepOff, {"Off", "사용 안 함"}},
        {StringId::kSleepMinutes, {"In %1 minutes", "%1분 후"}},
        {StringId::kSleepAtProgramEnd, {"At the end of this program", "이 방송이 끝나면"}},
        {StringId::kRecordThisProgram, {"Record this program", "이 방송 녹음"}},
        {StringId::kRecordEveryProgram, {"Record every program", "모든 방송 녹음"}},
        {StringId::kRecordingArtist, {"ZELK Internet Radio", "ZELK 인터넷 라디오"}},
        {StringId::kRecordingLowDisk,
         {"Recording stopped: less than %1 MB is free on the disk. What was recorded is kept in "
          "%2",
          "디스크의 빈 공간이 %1MB보다 적어 녹음을 멈췄습니다. 녹음한 부분은 %2에 남아 있습니다."}},
        {StringId::kRecordingFailed,
         {"The program cannot be recorded: %1", "방송을 녹음할 수 없습니다: %1"}},
        {StringId::kRecording, {"Recording", "녹음 중"}},
        {StringId::kPause, {"Pause", "일시 정지"}},
        {StringId::kBackToLive, {"Back to live", "실시간으로"}},
        {StringId::kBehindLive, {"%1 behind live", "실시간보다 %1 늦음"}},
    };
    return table;
}
// clang-format on

std::optional<bool>& ChosenLanguage() {
    static std::optional<bool> korean;
    return korean;
}

}  // namespace

QString StringTable::Load(StringId id) {
    return Load(id, IsKorean());
}

QString StringTable::Load(StringId id, bool korean) {
    const auto found = Table().find(id);
    if (found == Table().end()) {
        return {};
    }
    return QString::fromUtf8(korean ? found->second.korean : found->second.english);
}

std::vector<StringId> StringTable::AllIds() {
    std::vector<StringId> ids;
    for (const auto& [id, texts] : Table()) {
        ids.push_back(id);
    }
    return ids;
}

bool StringTable::IsKorean() {
    if (!ChosenLanguage().has_value()) {
        ChosenLanguage() = KoreanFromEnvironment();
    }
    return *ChosenLanguage();
}

void StringTable::SetKorean(bool korean) {
    ChosenLanguage() = korean;
}

bool StringTable::KoreanFromEnvironment() {
    const QLocale system = QLocale::system();
    const QStringList languages = system.uiLanguages();
    if (!languages.isEmpty()) {
        return languages.first().startsWith(QStringLiteral("ko"));
    }
    return system.language() == QLocale::Korean;
}
