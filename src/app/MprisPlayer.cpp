#include "app/MprisPlayer.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

#include "content/Program.h"
#include "content/WorkFolder.h"
#include "windows/PlayerActions.h"

namespace {

constexpr char kInterface[] = "org.mpris.MediaPlayer2.Player";
constexpr char kNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// An absolute path of an existing file, or nothing.
QString ExistingFile(const QString& path) {
    const QFileInfo file(path);
    return !path.isEmpty() && file.isFile() ? file.absoluteFilePath() : QString();
}

// A program code as one element of an object path, which allows only [A-Za-z0-9_].
QString PathElement(const QString& code) {
    QString element = code;
    for (QChar& character : element) {
        if (!(character.isLetterOrNumber() && character.unicode() < 0x80)) {
            character = u'_';
        }
    }
    return element;
}

}  // namespace

MprisPlayer::MprisPlayer(QObject* exported, const QDBusConnection& bus, Program& program,
                         PlayerActions& commands)
    : QDBusAbstractAdaptor(exported), bus_(bus), program_(program), commands_(commands) {
    announcedStatus_ = PlaybackStatus();
    announcedMetadata_ = Metadata();
    announcedVolume_ = Volume();
    ConnectPlayerModel();
}

void MprisPlayer::ConnectPlayerModel() {
    const PlayerModel* model = &program_.player;
    connect(model, &PlayerModel::playingChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(model, &PlayerModel::pausedChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(model, &PlayerModel::volumeChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(model, &PlayerModel::programChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(model, &PlayerModel::programCleared, this, &MprisPlayer::AnnounceIfChanged);
    // the program's picture arrives after the program
    connect(model, &PlayerModel::linksChanged, this, &MprisPlayer::AnnounceIfChanged);
}

QString MprisPlayer::PlaybackStatus() const {
    if (!program_.player.IsPlaying()) {
        return QStringLiteral("Stopped");
    }
    return program_.player.IsPaused() ? QStringLiteral("Paused") : QStringLiteral("Playing");
}

QVariantMap MprisPlayer::Metadata() const {
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(TrackId())));
    if (!program_.player.OnAir().title.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:title"), program_.player.OnAir().title);
    }
    const QString art = ArtPath();
    if (!art.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(art).toString());
    }
    return metadata;
}

double MprisPlayer::Volume() const {
    return program_.player.Volume() / double(PlayerModel::kMaxVolume);
}

void MprisPlayer::SetVolume(double volume) {
    const double clamped = std::clamp(volume, 0.0, 1.0);
    program_.player.SetVolume(static_cast<int>(std::lround(clamped * PlayerModel::kMaxVolume)));
}

// The desktop's commands are the player's own, as the tray menu gives them.
void MprisPlayer::Play() {
    commands_.play.trigger();
}

void MprisPlayer::Pause() {
    commands_.pause.trigger();
}

void MprisPlayer::PlayPause() {
    if (program_.player.IsPlaying() && !program_.player.IsPaused()) {
        Pause();
    } else {
        Play();
    }
}

void MprisPlayer::Stop() {
    commands_.stop.trigger();
}

void MprisPlayer::AnnounceIfChanged() {
    QVariantMap changed;
    if (const QString status = PlaybackStatus(); status != announcedStatus_) {
        announcedStatus_ = status;
        changed.insert(QStringLiteral("PlaybackStatus"), status);
    }
    if (const QVariantMap metadata = Metadata(); metadata != announcedMetadata_) {
        announcedMetadata_ = metadata;
        changed.insert(QStringLiteral("Metadata"), metadata);
    }
    if (const double volume = Volume(); volume != announcedVolume_) {
        announcedVolume_ = volume;
        changed.insert(QStringLiteral("Volume"), volume);
    }
    if (!changed.isEmpty()) {
        Announce(changed);
    }
}

void MprisPlayer::Announce(const QVariantMap& changed) {
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kInterface) << changed << QStringList();
    bus_.send(signal);
}

QString MprisPlayer::TrackId() const {
    const QString code = PathElement(program_.player.OnAir().programCode);
    if (code.isEmpty()) {
        return QString::fromLatin1(kNoTrack);
    }
    return QString::fromLatin1(kObjectPath) + QStringLiteral("/program/") + code;
}

// The program's first link image once it has been fetched, else the skin's own picture.
QString MprisPlayer::ArtPath() const {
    const QString folder = GetWorkFolder();
    const QString code = program_.player.OnAir().programCode;
    if (!folder.isEmpty() && !code.isEmpty()) {
        const QString linkImage = ExistingFile(folder + u'/' + code + QStringLiteral("_1.bmp"));
        if (!linkImage.isEmpty()) {
            return linkImage;
        }
    }
    return ExistingFile(program_.skin.FilePath(QStringLiteral("/choice.bmp")));
}
