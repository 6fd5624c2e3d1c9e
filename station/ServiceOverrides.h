#pragma once

#include <QString>

#include <mutex>
#include <optional>

// Content a test can change while the station runs: the ticker's time window and the version
// the update info announces. Without an override the ticker covers the whole current broadcast
// day and the update info names the program's own version and the data folder's setup program.
class ServiceOverrides {
public:
    static constexpr const char* kDefaultVersion = "2.01";
    static constexpr const char* kDefaultSetupFile = "QuiloSetup.exe";

    struct TickerWindow {
        QString start;  // twelve digits, YYYYMMDDhhmm
        QString end;
    };
    struct Update {
        QString version;
        QString message;  // may span lines; empty for the client's standard question
        QString file;     // the name under /download/ that [URL] points at
        QString sha256;   // empty: the checksum of that file
    };

    explicit ServiceOverrides(Update initialUpdate = {kDefaultVersion, QString(), kDefaultSetupFile,
                                                      QString()});

    void SetTickerWindow(std::optional<TickerWindow> window);
    std::optional<TickerWindow> Ticker() const;
    void SetUpdate(Update update);
    Update CurrentUpdate() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    const Update initialUpdate_;
    std::optional<TickerWindow> ticker_;
    Update update_;
};
