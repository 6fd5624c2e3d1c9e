#pragma once

#include <QByteArray>
#include <QString>

#include "web/WebAddresses.h"

class QWidget;

// Opens the program's links in the listener's default browser. Pages on the broadcaster's own
// sites open with the listener logged in to them: the browser is first sent through the sites'
// log-in with the ID and password the listener logged in to the program with. The password never
// appears on a command line, in an address or in a file: the browser only gets a single-use
// loopback address (LoopbackPages) whose page posts the log-in form.
class CWebLauncher {
public:
    // How long the loopback address waits for the browser to fetch it.
    static constexpr int kBrowserWaitMs = 8000;

    CWebLauncher(WebAddresses addresses, QString domain);

    // An empty address means the web server's home page. owner is not used: the browser is a
    // separate program, with no window of ours to belong to.
    void OpenWebPage(QWidget* owner, const QString& address, const QString& userId,
                     const QString& password) const;
    // The character page: link opened with the POST fields src, ni and ei (CharacterPostData),
    // through a loopback page holding a form that submits itself. A link that is no http or https
    // address opens nothing.
    void OpenCharacterPage(const QString& link, const QString& userId) const;

    // Tests shorten the wait.
    void SetBrowserWaitMs(int waitMs) { browserWaitMs_ = waitMs; }

    // One of the broadcaster's sites: the address holds the domain name, case counting.
    static bool IsBroadcasterAddress(const QString& address, const QString& domain);
    // "src=%61%70%70&ni=<ID bytes as hex>&ei=<scrambled ID, every byte %XX>", ID in the Korean
    // code page.
    static QByteArray CharacterPostData(const QString& userId);
    // An HTML page whose form posts those fields to link as soon as it loads; empty when link is
    // no http or https address.
    static QByteArray CharacterFormPage(const QString& link, const QString& userId);

private:
    void OpenLoggedIn(const QString& address, const QString& userId, const QString& password) const;

    WebAddresses addresses_;
    QString domain_;
    int browserWaitMs_ = kBrowserWaitMs;
};
