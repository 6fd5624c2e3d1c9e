#include "support/DesktopShot.h"

#include "skin/CSkinDialog.h"
#include "skin/ColorKey.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {

bool IsKey(const QImage& keyed, int x, int y, QRgb key) {
    return (keyed.pixel(x, y) | 0xFF000000u) == (key | 0xFF000000u);
}

QImage RunShooter(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess shooter;
    shooter.setWorkingDirectory(folder);
    shooter.start(program, arguments);
    if (!shooter.waitForFinished(30000) || shooter.exitCode() != 0) {
        return {};
    }
    const QStringList pictures = QDir(folder).entryList({"*.png"}, QDir::Files);
    return pictures.size() == 1 ? QImage(folder + u'/' + pictures.first()) : QImage();
}

constexpr int kSeedRun = 8;

// A short run of the window's pixels with some detail to look for: a run of one colour would
// be found again a pixel further along the same edge.
std::optional<QPoint> Seed(const QImage& drawn, const QImage& keyed, QRgb key) {
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x + kSeedRun <= drawn.width(); ++x) {
            std::vector<QRgb> colours;
            bool opaque = true;
            for (int i = 0; i < kSeedRun && opaque; ++i) {
                opaque = !IsKey(keyed, x + i, y, key);
                colours.push_back(drawn.pixel(x + i, y));
            }
            std::sort(colours.begin(), colours.end());
            if (opaque && std::unique(colours.begin(), colours.end()) - colours.begin() >= 4) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

bool SeedMatchesAt(const QImage& shot, const QImage& drawn, const QPoint& seed, const QPoint& at) {
    for (int i = 0; i < kSeedRun; ++i) {
        const QPoint point = seed + QPoint(i, 0);
        if (!shot.rect().contains(at + point) ||
            (shot.pixel(at + point) | 0xFF000000u) != (drawn.pixel(point) | 0xFF000000u)) {
            return false;
        }
    }
    return true;
}

bool MatchesAt(const QImage& shot, const QImage& drawn, const QImage& keyed, QRgb key,
               const QPoint& at) {
    if (!shot.rect().contains(QRect(at, drawn.size()))) {
        return false;
    }
    qsizetype opaque = 0;
    qsizetype same = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (!IsKey(keyed, x, y, key)) {
                ++opaque;
                same += (shot.pixel(at.x() + x, at.y() + y) | 0xFF000000u) ==
                        (drawn.pixel(x, y) | 0xFF000000u);
            }
        }
    }
    return opaque > 0 && same * 10 >= opaque * 9;
}

}  // namespace

namespace DesktopShot {

QImage Take() {
    QTemporaryDir folder;
    const QImage shot = QProcessEnvironment::systemEnvironment().contains("WAYLAND_DISPLAY")
                            ? RunShooter("weston-screenshooter", {}, folder.path())
                            : RunShooter("import", {"-window", "root", "shot.png"}, folder.path());
    return shot.convertToFormat(QImage::Format_RGB32);
}

std::optional<QPoint> Find(const QImage& shot, const QImage& drawn, const QImage& keyed, QRgb key) {
    const std::optional<QPoint> seed = Seed(drawn, keyed, key);
    if (!seed || shot.isNull()) {
        return std::nullopt;
    }
    const QRgb first = drawn.pixel(*seed) | 0xFF000000u;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint at = QPoint(x, y) - *seed;
            if ((shot.pixel(x, y) | 0xFF000000u) == first &&
                SeedMatchesAt(shot, drawn, *seed, at) && MatchesAt(shot, drawn, keyed, key, at)) {
                return at;
            }
        }
    }
    return std::nullopt;
}

}  // namespace DesktopShot

std::optional<QPoint> DesktopShot::Find(const QImage& shot, CSkinDialog& window) {
    const QImage keyed = QImage(window.BackgroundPath()).scaled(window.size());
    return Find(shot, window.grab().toImage(), keyed, kSkinColorKey);
}
