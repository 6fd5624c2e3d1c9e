#pragma once

#include <QWidget>

class CTickerCtrl;
class ProgramRecorder;

// A small red dot at the left end of a face's ticker while a recording runs. It is drawn over
// the skin, never taken from it, so every skin shows it alike; clicks pass through it to the
// ticker, and it follows the ticker when a skin moves or resizes it.
class RecordingMark : public QWidget {
    Q_OBJECT

public:
    RecordingMark(CTickerCtrl& ticker, const ProgramRecorder& recorder);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    CTickerCtrl& ticker_;
};
