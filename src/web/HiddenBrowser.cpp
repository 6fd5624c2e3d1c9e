#include "web/HiddenBrowser.h"

#include "web/HttpAddress.h"

#include <QRegularExpression>

namespace {

// <meta http-equiv="refresh" content="N;url=ADDRESS">, the page's own way of moving on
bool FindMetaRefresh(const QByteArray& body, int& delaySeconds, QByteArray& target) {
    static const QRegularExpression kRefresh(
        QStringLiteral(R"(<meta[^>]*http-equiv\s*=\s*["']?refresh["']?[^>]*)"
                       R"(content\s*=\s*["']?\s*(\d*)\s*;\s*url\s*=\s*([^"'>\s]+))"),
        QRegularExpression::CaseInsensitiveOption);
    // the markup is ASCII; Latin-1 keeps every other byte of the address as it was
    const QRegularExpressionMatch match = kRefresh.match(QString::fromLatin1(body));
    if (!match.hasMatch()) {
        return false;
    }
    delaySeconds = match.captured(1).toInt();
    target = match.captured(2).toLatin1();
    return true;
}

}  // namespace

HiddenBrowser::HiddenBrowser(QObject* parent) : QObject(parent) {
    refresh_.setSingleShot(true);
    connect(&requester_, &CNetRequester::requestFinished, this, &HiddenBrowser::OnAnswer);
    connect(&refresh_, &QTimer::timeout, this, [this] { Load(refreshTarget_, false, {}); });
}

void HiddenBrowser::Navigate(const QString& address, bool post, const QByteArray& postData) {
    Stop();
    followed_ = 0;
    Load(address, post, postData);
}

void HiddenBrowser::Stop() {
    ++generation_;
    refresh_.stop();
    requester_.Abort();
    Forget();
}

// The log-in's address holds the password: it is kept no longer than its pages are loading.
void HiddenBrowser::Forget() {
    current_.clear();
    refreshTarget_.clear();
}

void HiddenBrowser::Load(const QString& address, bool post, const QByteArray& postData) {
    current_ = address;
    requester_.SendRequest(post, address, postData);
}

void HiddenBrowser::OnAnswer(const NetResponse& response) {
    const quint64 generation = generation_;
    emit navigated(response);
    if (generation != generation_) {
        return;  // a new navigation began meanwhile
    }
    int delaySeconds = 0;
    const QString next = response.responded && followed_ < kMaxFollowed
                             ? NextAddress(response, delaySeconds)
                             : QString();
    if (next.isEmpty()) {
        Forget();
        return;
    }
    ++followed_;
    if (delaySeconds > 0) {
        refreshTarget_ = next;
        refresh_.start(delaySeconds * 1000);
    } else {
        Load(next, false, {});
    }
}

QString HiddenBrowser::NextAddress(const NetResponse& response, int& delaySeconds) const {
    QByteArray target;
    delaySeconds = 0;
    if (response.status >= 300 && response.status < 400 && !response.location.isEmpty()) {
        target = response.location;
    } else if (!FindMetaRefresh(response.body, delaySeconds, target)) {
        return {};
    }
    return QString::fromUtf8(ResolveReference(current_.toUtf8(), target));
}
