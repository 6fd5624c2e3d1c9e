#include "app/MprisPlayer.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

#include "content/CProgramTableDlg.h"
#include "content/Program.h"
#include "content/WorkFolder.h"
#include "skin/CSkinSlider.h"
#include "windows/CMainDlg.h"
#include "windows/StreamControl.h"

namespace {

constexpr char kInterface[] = "org.mpris.MediaPlayer2.Player";
constexpr char kNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
constexpr int kFullVolume = 100;

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
                         CMainDlg& mainWindow)
    : QDBusAbstractAdaptor(exported), bus_(bus), program_(program), mainWindow_(mainWindow) {
    announcedStatus_ = PlaybackStatus();
    announcedMetadata_ = Metadata();
    announcedVolume_ = Volume();
    ConnectMainWindow();
}

void MprisPlayer::ConnectMainWindow() {
    CProgramTableDlg& table = mainWindow_.ProgramTable();
    connect(&mainWindow_.Stream(), &StreamControl::playRequestChanged, this,
            &MprisPlayer::AnnounceIfChanged);
    connect(&mainWindow_, &CMainDlg::volumeChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(&table, &CProgramTableDlg::programChanged, this, &MprisPlayer::AnnounceIfChanged);
    connect(&table, &CProgramTableDlg::programCleared, this, &MprisPlayer::AnnounceIfChanged);
    // the program's picture arrives after the program
    connect(&table, &CProgramTableDlg::linksChanged, this, &MprisPlayer::AnnounceIfChanged);
}

QString MprisPlayer::PlaybackStatus() const {
    return mainWindow_.Stream().IsPlayRequested() ? QStringLiteral("Playing")
                                                  : QStringLiteral("Stopped");
}

QVariantMap MprisPlayer::Metadata() const {
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(TrackId())));
    if (!program_.state.title.isEmpty()) {
        metadata.insert(QStringLiteral("xesam:title"), program_.state.title);
    }
    const QString art = ArtPath();
    if (!art.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(art).toString());
    }
    return metadata;
}

// What the face's slider shows is what is heard.
double MprisPlayer::Volume() const {
    const CSkinSlider* slider = mainWindow_.VolumeSlider();
    return slider != nullptr ? slider->GetPos() / double(kFullVolume) : 0.0;
}

void MprisPlayer::SetVolume(double volume) {
    const double clamped = std::clamp(volume, 0.0, 1.0);
    mainWindow_.SetVolume(static_cast<int>(std::lround(clamped * kFullVolume)));
}

void MprisPlayer::Play() {
    mainWindow_.Stream().Play();
}

void MprisPlayer::Pause() {
    Stop();
}

void MprisPlayer::PlayPause() {
    if (mainWindow_.Stream().IsPlayRequested()) {
        Stop();
    } else {
        Play();
    }
}

void MprisPlayer::Stop() {
    mainWindow_.Stream().Stop();
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
    const QString code = PathElement(program_.state.programCode);
    if (code.isEmpty()) {
        return QString::fromLatin1(kNoTrack);
    }
    return QString::fromLatin1(kObjectPath) + QStringLiteral("/program/") + code;
}

// The program's first link image once it has been fetched, else the skin's own picture.
QString MprisPlayer::ArtPath() const {
    const QString folder = GetWorkFolder();
    const QString code = program_.state.programCode;
    if (!folder.isEmpty() && !code.isEmpty()) {
        const QString linkImage = ExistingFile(folder + u'/' + code + QStringLiteral("_1.bmp"));
        if (!linkImage.isEmpty()) {
            return linkImage;
        }
    }
    return ExistingFile(program_.skin.FilePath(QStringLiteral("/choice.bmp")));
}
