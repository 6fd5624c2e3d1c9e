#include "content/CProgramTableDlg.h"

#include <QFile>
#include <QPointer>
#include <QUrl>

#include "content/EventFile.h"
#include "content/Program.h"
#include "content/ProgramInfoFile.h"
#include "content/ServerClock.h"
#include "content/ServerDownload.h"
#include "content/ServerText.h"
#include "content/WorkFolder.h"
#include "platform/Cp949.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"

namespace {

constexpr char kTableLocalName[] = "progtable";
constexpr char kEventLocalName[] = "event";
constexpr char kEventImageLocalName[] = "event.bmp";

// A file in the work folder; empty (so its download fails) when there is no usable folder or
// the name, which comes from the server, is not a plain file name.
QString WorkFile(const QString& name) {
    const QString folder = GetWorkFolder();
    if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QChar(u'\0'))) {
        return {};
    }
    return folder + QLatin1Char('/') + name;
}

// The server's files name web addresses only; anything else (a local file) is never fetched.
bool IsWebAddress(const QString& address) {
    const QString scheme = QUrl(address).scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace

CProgramTableDlg::CProgramTableDlg(Program& program, QObject* parent)
    : QObject(parent), program_(program) {
    const auto arm = [this](QTimer& timer, void (CProgramTableDlg::*handler)()) {
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, handler);
    };
    arm(tableTimer_, &CProgramTableDlg::OnTableTimer);
    arm(infoTimer_, &CProgramTableDlg::OnInfoTimer);
    arm(imageTimer_, &CProgramTableDlg::OnImageTimer);
    arm(clockTimer_, &CProgramTableDlg::OnClockTimer);
    tableTimer_.start(kStepMs);
}

// Downloads in progress hear of the destruction (their owner's destroyed signal) and end.
CProgramTableDlg::~CProgramTableDlg() = default;

// A restart forgets the program found last, so that the first tick after it fetches the
// program's files again, also when the program on air has not changed.
void CProgramTableDlg::RefreshProgram() {
    ++cycle_;
    previousCode_.clear();
    tableTimer_.stop();
    infoTimer_.stop();
    imageTimer_.stop();
    clockTimer_.stop();
    tableTimer_.start(kStepMs);
}

void CProgramTableDlg::PostRefresh() {
    QMetaObject::invokeMethod(this, &CProgramTableDlg::RefreshProgram, Qt::QueuedConnection);
}

void CProgramTableDlg::Log(QByteArrayView text) {
    program_.log.WriteLog(text);
}

// Judged only by whether the file is there afterwards, as every content download is.
bool CProgramTableDlg::Download(const QString& address, const QString& localPath, qint64 maxBytes) {
    if (IsWebAddress(address)) {
        ServerDownload::Fetch(address, localPath, maxBytes, ServerDownload::kGenerousLimitMs, this);
    }
    return !localPath.isEmpty() && QFile::exists(localPath);
}

bool CProgramTableDlg::LoadTable(const QString& path) {
    const QByteArray text = ReadWholeFile(path);
    if (text.isNull()) {
        return false;
    }
    rows_ = ParseProgramTable(text);
    return true;
}

void CProgramTableDlg::OnTableTimer() {
    tableTimer_.stop();
    const QPointer<CProgramTableDlg> alive(this);
    const QString path = WorkFile(QLatin1String(kTableLocalName));
    QFile::remove(path);
    const QString address = program_.config.webServer + QLatin1String("/time_table.asp");
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        Log(LogText::kTryProgramTable);
        const bool present = Download(address, path, ServerDownload::kServerTextMaxBytes);
        if (alive.isNull()) {
            return;
        }
        if (!present) {
            Log(LogText::kProgramTableFailed);
            continue;
        }
        Log(LogText::kProgramTableDone);
        if (LoadTable(path)) {
            clockTimer_.start(kStepMs);
            return;
        }
    }
    emit programCleared();
    emit linksCleared();
    // the last thing done: the box waits for the listener, and nothing here needs the object
    // afterwards
    ShowMessage(nullptr, StringId::kProgramInfoFailed, MessageIcon::Warning);
}

void CProgramTableDlg::OnInfoTimer() {
    infoTimer_.stop();
    const QPointer<CProgramTableDlg> alive(this);
    const QString code = program_.state.programCode;
    const QString infoAddress =
        program_.config.webServer + QStringLiteral("/info/") + code + QStringLiteral(".txt");
    const QString eventAddress = program_.config.webServer + QStringLiteral("/info/event.txt");
    const QString infoPath = WorkFile(code);
    const QString eventPath = WorkFile(QLatin1String(kEventLocalName));
    QFile::remove(infoPath);
    QFile::remove(eventPath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        Log(QByteArray(LogText::kTryProgramInfoFormat).replace("%s", ToCp949(code)));
        Download(infoAddress, infoPath, ServerDownload::kServerTextMaxBytes);
        if (alive.isNull()) {
            return;
        }
        // the event file comes with every attempt; whether it came is never asked
        Log(LogText::kTryEventFile);
        Download(eventAddress, eventPath, ServerDownload::kServerTextMaxBytes);
        if (alive.isNull()) {
            return;
        }
        if (!infoPath.isEmpty() && QFile::exists(infoPath)) {
            Log(LogText::kProgramInfoDone);
            ApplyInfoAndEvent(infoPath, eventPath);
            imageTimer_.start(kStepMs);
            emit programChanged();
            return;
        }
        Log(LogText::kProgramInfoFailed);
    }
    emit programCleared();
}

// Both files are parsed into a copy that replaces the state whole, with no wait in between:
// a clock tick inside a download never sees half a program, nor is its code overwritten.
void CProgramTableDlg::ApplyInfoAndEvent(const QString& infoPath, const QString& eventPath) {
    AppState updated = program_.state;
    const QByteArray info = ReadWholeFile(infoPath);
    if (!info.isNull()) {
        ParseProgramInfo(info, updated);
    }
    const QByteArray event = ReadWholeFile(eventPath);
    if (!event.isNull()) {
        ParseEventFile(event, updated);
    }
    program_.state = updated;
}

void CProgramTableDlg::OnImageTimer() {
    imageTimer_.stop();
    const QPointer<CProgramTableDlg> alive(this);
    const QString code = program_.state.programCode;
    const QString image1Path = WorkFile(code + QStringLiteral("_1.bmp"));
    const QString image2Path = WorkFile(code + QStringLiteral("_2.bmp"));
    const QString eventImagePath = WorkFile(QLatin1String(kEventImageLocalName));
    // the link images stay from earlier runs; only the banner must never be an old one
    QFile::remove(eventImagePath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        Log(LogText::kTryImage1);
        const bool present =
            Download(program_.state.image1Url, image1Path, ServerDownload::kImageMaxBytes);
        if (alive.isNull()) {
            return;
        }
        if (present) {
            Log(LogText::kImage1Done);
            break;
        }
        Log(LogText::kImage1Failed);
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        Log(LogText::kTryImage2);
        Download(program_.state.image2Url, image2Path, ServerDownload::kImageMaxBytes);
        if (alive.isNull()) {
            return;
        }
        // the banner rides along with every attempt at image 2, unjudged
        if (!program_.state.eventImageUrl.isEmpty()) {
            Log(LogText::kImage3Ignored);
            Download(program_.state.eventImageUrl, eventImagePath, ServerDownload::kImageMaxBytes);
            if (alive.isNull()) {
                return;
            }
        }
        if (!image2Path.isEmpty() && QFile::exists(image2Path)) {
            Log(LogText::kImage2Done);
            break;
        }
        Log(LogText::kImage2Failed);
    }
    emit linksChanged();
}

void CProgramTableDlg::OnClockTimer() {
    clockTimer_.stop();
    // no request channel (the program is ending) is a clock that cannot be read
    if (program_.webRequest == nullptr) {
        OnClockRead({});
        return;
    }
    program_.webRequest->RequestServerTime(
        kClockLimitMs, this, [this, cycle = cycle_](const ServerTimeReading& reading) {
            // a restart meanwhile began a new cycle, which reads the clock for itself
            if (cycle == cycle_) {
                OnClockRead(reading);
            }
        });
}

void CProgramTableDlg::OnClockRead(const ServerTimeReading& reading) {
    TickerLine ticker;
    const QString answer = AnswerFor(reading, ticker);
    program_.state.programCode = answer;
    ActOnAnswer(answer, ticker);
}

QString CProgramTableDlg::AnswerFor(const ServerTimeReading& reading, TickerLine& ticker) {
    if (!reading.read) {
        return QLatin1String(ProgramAnswer::kTimeFail);
    }
    const std::tm& serverTime = reading.time;
    if (program_.scheduleOption &&
        IsScheduleDue(program_.schedule, serverTime.tm_hour, serverTime.tm_min)) {
        emit scheduleFire();
    }
    ticker = TickerAt(reading.body, serverTime);
    return FromCp949(
        SelectCurrentProgram(rows_, serverTime.tm_hour, serverTime.tm_min, highWaterMark_));
}

void CProgramTableDlg::ActOnAnswer(const QString& answer, const TickerLine& ticker) {
    if (answer == QLatin1String(ProgramAnswer::kTimeFail)) {
        previousCode_.clear();
        lastTickFailed_ = true;
        clockTimer_.start(kRetryTickMs);
        emit programCleared();
        emit linksCleared();
    } else if (answer == QLatin1String(ProgramAnswer::kOrder)) {
        // a new broadcast day: the whole cycle again, from the table
        previousCode_.clear();
        lastTickFailed_ = false;
        PostRefresh();
    } else if (answer != previousCode_) {
        infoTimer_.start(kStepMs);
        previousCode_ = answer;
        lastTickFailed_ = false;
        clockTimer_.start(kTickMs);
    } else if (lastTickFailed_) {
        previousCode_.clear();
        lastTickFailed_ = false;
        PostRefresh();
    } else {
        // a new program shows its own scrolling text first: the ticker file only follows on
        // ticks where the program stayed
        emit tickerText(ticker.text, ticker.link);
        clockTimer_.start(kTickMs);
    }
}
