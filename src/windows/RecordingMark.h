#pragma once

#include "windows/TickerOverlay.h"

class ProgramRecorder;

// A small red dot at the left end of a face's ticker while a recording runs.
class RecordingMark : public TickerOverlay {
    Q_OBJECT

public:
    RecordingMark(CTickerCtrl& ticker, const ProgramRecorder& recorder);

protected:
    QRect PlaceOver(const QRect& line) const override;
    void paintEvent(QPaintEvent* event) override;
};
