#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <vector>

class CTickerCtrl;
class QPainter;
class QWidget;
class SkinInfo;
struct AppState;

// The main face's little characters: two sprites that hop about the character area (each on its
// own timer) while the program's character is on, the on/off rhythm of the character times, and
// the frame animation. It paints onto the face and takes the hand cursor there when a sprite
// leads to the character link.
class CharacterSprites : public QObject {
    Q_OBJECT

public:
    CharacterSprites(QWidget& face, const SkinInfo& skin, const AppState& state);

    // Takes "[MAIN_QUILO]" and "[MAIN_QUILO_G]" of the skin and (re)starts the timers.
    void ApplySkin();
    // A new program: its character comes on after a second, when it has one.
    void StartCharacterCycle();
    // While the face is re-skinned, the sprites stay where they are.
    void SetPaused(bool paused) { paused_ = paused; }

    void Paint(QPainter& painter) const;

    // While the ticker scrolls, the animation's frames fall on its steps, so that one wake-up and
    // one repaint serve both; the animation's own timer runs while the ticker rests (pointed at,
    // empty or hidden), or when its steps are further apart than the animation's frames.
    void FollowTicker(const CTickerCtrl& ticker);
    int AnimationFrame() const { return animationFrame_; }
    bool AnimationTimerRuns() const { return animationTimer_.isActive(); }

    bool IsCharacterShown() const { return characterShown_; }
    QRect CharacterArea() const { return characterArea_; }
    QRect AnimationArea() const { return animationArea_; }
    // The point is on the sprite that hopped last (drawn or not) and the character has a link.
    bool IsOnLinkedCharacter(const QPoint& point) const;
    QRect LastSpriteRect() const { return lastSpriteRect_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sprite {
        QRect rect;
        QString file;  // empty while nothing is drawn
        // the file's bitmap with its key colour see-through, made once per hop, not per paint
        QImage image;
        QTimer timer;
    };

    void StartMotion();
    void StopMotion();
    void Hop(Sprite& sprite);
    void OnCharacterTimer();
    void OnAnimationTimer();
    bool AnimationOnTicker() const;
    void OnTickerScrolling(bool scrolling);
    void OnTickerStep(int stepMs);
    void LoadAnimationFrames();
    void ShowAnimationFrame();

    QWidget& face_;
    const SkinInfo& skin_;
    const AppState& state_;
    Sprite spriteA_;
    Sprite spriteB_;
    QTimer characterTimer_;
    QTimer animationTimer_;
    QRect characterArea_;
    QRect animationArea_;
    QRect lastSpriteRect_;
    int animationPeriod_ = 1;
    bool characterShown_ = false;
    bool paused_ = false;
    uint8_t animationFrameCount_ = 0;
    // counts up and wraps from 255 to 0, as the frames are picked from it
    uint8_t animationCounter_ = 0;
    int animationFrame_ = -1;
    QImage animationImage_;  // the frame shown
    // the skin's frames, read when the skin is applied (a frame that cannot be read is null)
    std::vector<QImage> animationFrames_;
    const CTickerCtrl* ticker_ = nullptr;
    bool tickerScrolling_ = false;
    // time since the last frame, counted in the ticker's steps
    int sinceFrameMs_ = 0;
};
