// Both live streams, played by a libVLC client the way the program plays them (MMS over HTTP),
// with the decoded sound measured.

#include "StationProcess.h"
#include "StreamCapture.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

constexpr auto kLimit = std::chrono::seconds(20);

QByteArray StreamUrl(const StationProcess& station, const char* path) {
    return "mmsh://" + station.Host().toLatin1() + ":8080" + path;
}

// Strong at the wanted frequency, silent elsewhere (the other channel's tone included).
void ExpectTone(const StreamCapture& capture, double wanted, double other) {
    const double level = capture.Level(wanted);
    EXPECT_GT(level, 0.1) << wanted << " Hz";
    EXPECT_LT(capture.Level(other), level / 50);
    EXPECT_LT(capture.Level(wanted * 1.5), level / 50);
    EXPECT_LT(capture.Level(440.0), level / 50);
}

}  // namespace

TEST(Streams, AudioChannelCarriesTheThousandHertzTone) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    StreamCapture capture(StreamUrl(station, "/L-FM_300k"), false);
    ASSERT_TRUE(capture.WaitForSound(2.0, std::chrono::steady_clock::now() + kLimit));
    ExpectTone(capture, 1000.0, 660.0);
}

TEST(Streams, VisualChannelCarriesMovingPictureAndItsOwnTone) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    StreamCapture capture(StreamUrl(station, "/L-VFM_300k"), true);
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    ASSERT_TRUE(capture.WaitForSound(2.0, deadline));
    EXPECT_TRUE(capture.WaitForChangingPictures(5, deadline));
    ExpectTone(capture, 660.0, 1000.0);
}

TEST(Streams, StoppedStreamVanishesAndComesBack) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-stop&stream=fm"));
    EXPECT_NE(station.Get(StationProcess::kStream, "/L-FM_300k").status, 200);
    EXPECT_EQ(station.Get(StationProcess::kStream, "/L-VFM_300k").status, 200);

    // The answer to a start comes once the stream serves again.
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-start&stream=fm"));
    StreamCapture capture(StreamUrl(station, "/L-FM_300k"), false);
    ASSERT_TRUE(capture.WaitForSound(1.0, std::chrono::steady_clock::now() + kLimit));
    EXPECT_GT(capture.Level(1000.0), 0.1);
}
