#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "web/CNetRequester.h"

// Stands in for the web browser the request channel keeps hidden: a navigation is one request,
// and every place an answer sends the browser on (a redirect's Location, a page's meta refresh)
// is one more navigation, with the cookies kept. Each navigation's answer is reported with
// navigated, so the channel judges the same sequence of answers a browser would have loaded.
class HiddenBrowser : public QObject {
    Q_OBJECT

public:
    explicit HiddenBrowser(QObject* parent = nullptr);

    // Drops whatever is under way and loads the address: a form submission when post is set.
    void Navigate(const QString& address, bool post = false, const QByteArray& postData = {});
    // Drops the request in flight and follows nothing further.
    void Stop();

    // a browser gives up on a chain of redirects this long
    static constexpr int kMaxFollowed = 20;

signals:
    void navigated(const NetResponse& response);

private:
    void Load(const QString& address, bool post, const QByteArray& postData);
    void Forget();
    void OnAnswer(const NetResponse& response);
    QString NextAddress(const NetResponse& response, int& delaySeconds) const;

    CNetRequester requester_;
    QTimer refresh_;
    // kept as text: an address is asked for exactly as spelled, escapes and all
    QString current_;
    QString refreshTarget_;
    int followed_ = 0;
    // changes with every Navigate and Stop, so an answer's handler can tell it was overtaken
    quint64 generation_ = 0;
};
