#pragma once

#include <QObject>
#include <functional>

class PlayerActions;
class PlayerModel;
class QKeyEvent;
class QWidget;

// The keys every player knows, on either face: Space plays or stops, M mutes, Up and Down move
// the volume, Ctrl+M changes between the main and the mini face, and the Menu key or Shift+F10
// opens the face's menu. A control that has a use for a key keeps it (Space presses a focused
// button, the arrows move a focused slider), and while the listener writes in a text field the
// plain keys are theirs to type.
class FaceKeys : public QObject {
    Q_OBJECT

public:
    // how far Up and Down move the volume
    static constexpr int kVolumeStep = 5;

    // `switchFace` puts up the other face.
    FaceKeys(QWidget& face, PlayerActions& actions, PlayerModel& model,
             std::function<void()> switchFace);

protected:
    // the face sees the keys its controls leave
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Handle(const QKeyEvent& key);
    bool HandlePlainKey(int key);
    void PlayOrStop();
    void OpenMenu();

    QWidget& face_;
    PlayerActions& actions_;
    PlayerModel& model_;
    std::function<void()> switchFace_;
};
