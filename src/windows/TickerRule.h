#pragma once

#include <QObject>
#include <QString>

class CTickerCtrl;
struct AppState;

// The one way the main face's ticker changes: an unchanged text only takes a new link, an empty
// text brings back the program's ticker text (or the service's name), and every change is told
// on, so the mini face can show the same.
class TickerRule : public QObject {
    Q_OBJECT

public:
    TickerRule(CTickerCtrl& ticker, const AppState& state, QObject* parent = nullptr);

    void Set(const QString& text, const QString& link);
    // "Connecting the server. Please wait..." while a stream is being opened.
    void ShowConnecting();
    // The reconnecting notice while a stream that broke off is being opened again.
    void ShowReconnecting();
    // Either notice: the program's texts wait until the stream plays.
    bool IsShowingConnecting() const;
    // The program's own ticker text and link.
    void ShowProgram();
    // The service's name, as at the start and when no program is known.
    void ShowServiceName();
    // What the ticker shows now.
    QString Text() const;
    QString Link() const;

signals:
    void changed(const QString& text, const QString& link);

private:
    void Change(const QString& text, const QString& link);

    CTickerCtrl& ticker_;
    const AppState& state_;
};
