#include "platform/StringTable.h"

#include <QLocale>
#include <map>
#include <optional>

namespace {

struct Texts {
    const char* english;
    const char* korean;  // UTF-8 source text
};

// clang-format off
const std::map<int, Texts>& Table() {
    static const std::map<int, Texts> table = {
        {101, {"&About QUILO...", "&About QUILO..."}},
        {102, {"Mini", "미니"}},
        {103, {"Hide", "감추기"}},
        {104, {"Play", "재생"}},
        {105, {"Stop", "정지"}},
        {106, {"Some files for executing this program are missed or damaged.\nPlease re-install this program.",
               "프로그램에 필요한 파일이 부족하거나 손상되었습니다.\n다시 설치하시기 바랍니다."}},
        {107, {"Mute", "음소거"}},
        {108, {"Volume", "음량 조절"}},
        {109, {"Seeing Radio", "보는 라디오"}},
        {110, {"Show", "보이기"}},
        {111, {"Settings...", "환경 설정"}},
        {112, {"Close", "종료"}},
        {113, {"Change skin...", "스킨 변경"}},
        {114, {"Original", "원래 크기로"}},
        {115, {"Version Info", "프로그램 정보"}},
        {116, {"Version %s\r\nCopyright (C) 2026 The Quilo developers.\r\nAll rights reserved.",
               "Version %s\r\nCopyright (C) 2026 The Quilo developers.\r\nAll rights reserved."}},
        {117, {"Write and send your message! (200 characters allowed)",
               "메세지를 적어보내세요! (한글 100자: 200byte)"}},
        {118, {"Program Info", "방송 정보"}},
        {119, {"Connecting the server. Please wait...", "서버에 접속 중입니다. 잠시 기다려주세요."}},
        {120, {"ZELK Internet Radio, QUILO", "ZELK 인터넷 라디오, QUILO입니다."}},
        {122, {"Send message", "메세지 보내기"}},
        {124, {"Sorry, getting the program information is failed.",
               "죄송합니다. 방송 정보를 가져오지 못했습니다."}},
        {125, {"Sorry, sending your message is failed.", "죄송합니다. 메세지가 전달되지 못했습니다."}},
        {126, {"2.01", "2.01"}},
        {127, {"The new version is released. Are you sure to upgrade this program?",
               "새 버전이 있습니다. 업그레이드 하시겠습니까?"}},
        {128, {"Sorry, failed to upgrade this program.\r\nPlease visit the ZELK home page.",
               "죄송합니다. 업그레이드에 실패했습니다.\r\nZELK 홈페이지를 이용해주세요."}},
        {129, {"Your message is sent successfully.", "메세지가 성공적으로 작성되었습니다."}},
        {130, {"Please refer to homepage for the detail program information.\r\n\r\nThank you.",
               "자세한 방송 정보는 홈페이지를 참조해주세요.\r\n\r\n감사합니다."}},
        {131, {"Your message is empty.", "보낼 메세지를 작성하지 않았습니다."}},
        {134, {"Today's Programs", "오늘의 편성"}},
        {135, {"Sorry for log-in fail. Please retry it.",
               "로그인을 하지 못했습니다. 다시 시도해주시기 바랍니다."}},
        {136, {"Sorry for log-in fail. Please retry it. (2)",
               "서버 접속이 원활하지 않습니다. 다시 시도해주시기 바랍니다."}},
        {138, {"The program has not had the program code.\r\nYour message is not allowed to be sent.",
               "프로그램 코드가 없습니다. 메세지를 보낼 수 없습니다."}},
        {139, {"The program has not had your ID. Please log-in again.",
               "ID가 없습니다. 다시 로그인을 해주시기 바랍니다."}},
        {140, {"The program has not had your name. Please log-in again.",
               "이름이 없습니다. 다시 로그인을 해주시기 바랍니다."}},
        {141, {"Please write your message first.", "먼저 내용을 작성해주시기 바랍니다."}},
        {142, {"If you quit QUILO, the scheduler will not work.\r\nAre you sure to quit QUILO?",
               "종료하시면 예약 재생을 할 수 없습니다.\r\n그래도 종료하시겠습니까?"}},
    };
    return table;
}
// clang-format on

std::optional<bool>& ChosenLanguage() {
    static std::optional<bool> korean;
    return korean;
}

}  // namespace

QString StringTable::Load(int id) {
    return Load(id, IsKorean());
}

QString StringTable::Load(int id, bool korean) {
    const auto found = Table().find(id);
    if (found == Table().end()) {
        return {};
    }
    return QString::fromUtf8(korean ? found->second.korean : found->second.english);
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
