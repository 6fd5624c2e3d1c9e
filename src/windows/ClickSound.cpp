#include "windows/ClickSound.h"

#include <QFile>
#include <QUrl>

#include "content/WorkFolder.h"
#include "player/MediaPlayer.h"

ClickSound::ClickSound(QStringList engineOptions, QObject* parent)
    : QObject(parent), engineOptions_(std::move(engineOptions)) {
    delay_.setObjectName(QStringLiteral("clickSoundTimer"));
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &ClickSound::Play);
}

void ClickSound::Schedule() {
    delay_.start();
}

void ClickSound::Play() {
    const QString wave = WaveFile();
    if (wave.isEmpty()) {
        return;
    }
    if (engine_ == nullptr) {
        engine_ = new MediaPlayer(engineOptions_, this);
    }
    // the wave ends by itself; the engine's report of that end is no failure worth a word
    engine_->Play(QUrl::fromLocalFile(wave).toString());
    emit played();
}

QString ClickSound::WaveFile() {
    const QString folder = GetWorkFolder();
    if (folder.isEmpty()) {
        return {};
    }
    const QString path = folder + QStringLiteral("/click198.wav");
    if (!QFile::exists(path) && !QFile::copy(QStringLiteral(":/res/wave198.wav"), path)) {
        return {};
    }
    return path;
}
