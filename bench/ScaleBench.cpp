#include "ScaleBench.h"

#include <malloc.h>

#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

#include "content/ProgramTable.h"
#include "content/ServerClock.h"
#include "skin/CTickerCtrl.h"

namespace {

constexpr int kRepeats = 20;

QByteArray ProgramTableOf(int programs) {
    QByteArray text = "<TABLE>\r\n";
    for (int i = 0; i < programs; ++i) {
        // a day from 05:00 spread evenly; codes are seven digits as the service writes them
        const int minute = 5 * 60 + i * (24 * 60) / programs;
        text += QStringLiteral("<BRODTIME>%1:%2</BRODTIME><PROGCD>%3</PROGCD>\r\n")
                    .arg(minute / 60, 2, 10, QLatin1Char('0'))
                    .arg(minute % 60, 2, 10, QLatin1Char('0'))
                    .arg(i, 7, 10, QLatin1Char('0'))
                    .toLatin1();
    }
    return text + "</TABLE>";
}

QByteArray TickerFileOf(int items) {
    QByteArray text = "[SCR_ST]\r\n200001010000\r\n[SCR_ET]\r\n209912312359\r\n[SCR_TXT]\r\n";
    for (int i = 0; i < items; ++i) {
        text += "news item " + QByteArray::number(i) + " of the day  ";
    }
    return text + "\r\n[SCR_URL]\r\nhttp://127.0.0.1:8082/\r\n";
}

// The median-free best of several runs: the least disturbed one.
template <typename Work>
qint64 BestMicroseconds(Work work) {
    qint64 best = -1;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        const qint64 spent = clock.nsecsElapsed() / 1000;
        best = best < 0 ? spent : std::min(best, spent);
    }
    return best;
}

// blocks handed out from the arena plus those mapped on their own (large ones)
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void ProgramTableRow(int programs) {
    const QByteArray text = ProgramTableOf(programs);
    size_t rows = 0;
    const qint64 us = BestMicroseconds([&] { rows = ParseProgramTable(text).size(); });
    const size_t before = HeapInUse();
    const ProgramRows kept = ParseProgramTable(text);
    const size_t heap = HeapInUse() - before;
    std::printf("program-table,%d,%lld,%zu\n", static_cast<int>(rows), static_cast<long long>(us),
                heap / 1024);
}

void TickerRow(int items) {
    const QByteArray file = TickerFileOf(items);
    std::tm now{};
    now.tm_year = 107;
    now.tm_mon = 6;
    now.tm_mday = 1;
    now.tm_hour = 12;
    qsizetype textLength = 0;
    const qint64 us = BestMicroseconds([&] { textLength = TickerAt(file, now).text.size(); });
    if (textLength == 0) {
        std::fprintf(stderr, "the ticker file was not read\n");
    }
    const size_t before = HeapInUse();
    {
        CTickerCtrl ticker(nullptr);
        for (int i = 0; i < items; ++i) {
            ticker.AddItem(QStringLiteral("news item %1 of the day").arg(i), QString());
        }
        const size_t heap = HeapInUse() - before;
        std::printf("ticker,%d,%lld,%zu\n", items, static_cast<long long>(us), heap / 1024);
    }
}

}  // namespace

void RunScaleBench() {
    for (int programs = 300; programs <= 3000; programs += 300) {
        ProgramTableRow(programs);
    }
    for (int items = 1000; items <= 10000; items += 1000) {
        TickerRow(items);
    }
}
