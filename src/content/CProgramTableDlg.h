#pragma once

#include <QObject>
#include <QString>

class Program;

// The hidden window that fetches what is on air from the service and tells the main window. For
// now it only takes the main window's requests for a fresh fetch; the downloads, the program
// table and the server clock come to live here and raise the signals below.
class CProgramTableDlg : public QObject {
    Q_OBJECT

public:
    explicit CProgramTableDlg(Program& program, QObject* parent = nullptr);

    int RefreshRequests() const { return refreshRequests_; }

public slots:
    // The listener pressed Play while no program was shown: fetch what is on air now.
    void RefreshProgram();

signals:
    void programChanged();
    void linksChanged();
    void programCleared();
    void linksCleared();
    // a text of the service's ticker file, delivered at once (not queued)
    void tickerText(const QString& text, const QString& link);
    // a scheduled time of the listener's has come
    void scheduleFire();

private:
    Program& program_;
    int refreshRequests_ = 0;
};
