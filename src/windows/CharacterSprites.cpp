#include "windows/CharacterSprites.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QWidget>
#include <limits>

#include "content/AppState.h"
#include "skin/BitmapFileCache.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"
#include "windows/SkinLayout.h"

namespace {

constexpr int kSpritePeriodA = 1100;
constexpr int kSpritePeriodB = 1300;
constexpr int kFirstCharacterSwitchMs = 1000;
// Character times: -1 means "stay" (the longest period there is), 0 the shortest there is.
constexpr int kShortestPeriodMs = 10;

int CharacterPeriod(int32_t milliseconds) {
    if (milliseconds < 0) {
        return std::numeric_limits<int>::max();
    }
    return std::max(milliseconds, kShortestPeriodMs);
}

// a random place in 0..span, in the steps of the classic 15-bit generator
int RandomOffset(int span) {
    return QRandomGenerator::global()->bounded(32768) * span / 32767;
}

}  // namespace

CharacterSprites::CharacterSprites(QWidget& face, const SkinInfo& skin, const AppState& state)
    : QObject(&face), face_(face), skin_(skin), state_(state) {
    connect(&spriteA_.timer, &QTimer::timeout, this, [this] { Hop(spriteA_); });
    connect(&spriteB_.timer, &QTimer::timeout, this, [this] { Hop(spriteB_); });
    characterTimer_.setSingleShot(true);
    connect(&characterTimer_, &QTimer::timeout, this, &CharacterSprites::OnCharacterTimer);
    connect(&animationTimer_, &QTimer::timeout, this, &CharacterSprites::OnAnimationTimer);
    face_.installEventFilter(this);
}

// Nobody sees the sprites of a hidden face: their timers rest until it shows again, so a face in
// the tray wakes the program for nothing.
bool CharacterSprites::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &face_ && event->type() == QEvent::Hide) {
        StopMotion();
    } else if (watched == &face_ && event->type() == QEvent::Show) {
        StartMotion();
    }
    return false;
}

void CharacterSprites::StopMotion() {
    spriteA_.timer.stop();
    spriteB_.timer.stop();
    animationTimer_.stop();
}

void CharacterSprites::StartMotion() {
    if (!characterArea_.isEmpty()) {
        spriteA_.timer.start(kSpritePeriodA);
        spriteB_.timer.start(kSpritePeriodB);
    }
    if (!animationArea_.isEmpty() && !AnimationOnTicker()) {
        animationTimer_.start(animationPeriod_);
    }
}

void CharacterSprites::FollowTicker(const CTickerCtrl& ticker) {
    ticker_ = &ticker;
    connect(&ticker, &CTickerCtrl::scrollingChanged, this, &CharacterSprites::OnTickerScrolling);
    connect(&ticker, &CTickerCtrl::stepped, this, &CharacterSprites::OnTickerStep);
    OnTickerScrolling(ticker.isVisible() && ticker.IsScrolling());
}

bool CharacterSprites::AnimationOnTicker() const {
    return tickerScrolling_ && ticker_ != nullptr && ticker_->Period() <= animationPeriod_;
}

void CharacterSprites::OnTickerScrolling(bool scrolling) {
    tickerScrolling_ = scrolling;
    sinceFrameMs_ = 0;
    if (AnimationOnTicker()) {
        animationTimer_.stop();
    } else if (face_.isVisible() && !animationArea_.isEmpty()) {
        animationTimer_.start(animationPeriod_);
    }
}

// A frame is shown on the step nearest its time, so the frames keep the skin's period on average
// (110 ms on 30 ms steps: 120, 90, 120, ...).
void CharacterSprites::OnTickerStep(int stepMs) {
    if (!AnimationOnTicker() || animationArea_.isEmpty()) {
        return;
    }
    sinceFrameMs_ += stepMs;
    if (2 * sinceFrameMs_ >= 2 * animationPeriod_ - stepMs) {
        sinceFrameMs_ -= animationPeriod_;
        OnAnimationTimer();
    }
}

void CharacterSprites::ApplySkin() {
    StopMotion();
    characterArea_ = SkinLayout::Area(skin_, "[MAIN_QUILO]").value_or(QRect());
    int32_t values[6] = {};
    if (skin_.GetKeyValues("[MAIN_QUILO_G]", values, 6)) {
        // (read as a four-number key, the height would swallow the last two numbers and the
        // area would run to the bottom of the face: every frame would repaint all of it)
        animationArea_ = QRect(values[0], values[1], values[2], values[3]);
        // a frame count that is a multiple of 256 has no frames: no animation
        animationFrameCount_ = static_cast<uint8_t>(values[4] & 0xFF);
        animationPeriod_ = std::max(1, values[5]);
    } else {
        animationArea_ = QRect();
        animationFrameCount_ = 0;
    }
    LoadAnimationFrames();
    // the frame on show, as the new skin draws it
    ShowAnimationFrame();
    if (face_.isVisible()) {
        StartMotion();
    }
}

void CharacterSprites::StartCharacterCycle() {
    if (!characterArea_.isEmpty() && state_.characterTimes[0] != 0) {
        characterTimer_.start(kFirstCharacterSwitchMs);
    }
}

void CharacterSprites::OnCharacterTimer() {
    const auto& times = state_.characterTimes;
    characterShown_ = !characterShown_;
    characterTimer_.start(CharacterPeriod(characterShown_ ? times[1] : times[2]));
}

// A sprite hops to a random place in the character area: the small or the big character, with
// the face showing through its blue pixels. The old place shows the face again; a sprite whose
// bitmap cannot be read is simply gone.
void CharacterSprites::Hop(Sprite& sprite) {
    if (paused_) {
        return;
    }
    face_.update(sprite.rect);
    sprite.file.clear();
    sprite.image = QImage();
    if (!characterShown_) {
        face_.unsetCursor();
        return;
    }
    const bool small = QRandomGenerator::global()->bounded(32768) % 2 == 0;
    const QString file = skin_.FilePath(small ? QStringLiteral("/quilo_small.bmp")
                                              : QStringLiteral("/quilo_big.bmp"));
    const QImage bitmap = BitmapFileCache::Load(file);
    if (bitmap.isNull()) {
        return;
    }
    const int left = characterArea_.left() + RandomOffset(characterArea_.width());
    const int top = characterArea_.top() + RandomOffset(characterArea_.height());
    sprite.rect = QRect(QPoint(left, top), bitmap.size());
    lastSpriteRect_ = sprite.rect;
    sprite.file = file;
    // premultiplied, the painter's own format, so drawing it needs no conversion either
    sprite.image = WithKeyTransparent(bitmap, kSkinColorKey)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    face_.update(sprite.rect);
    const QPoint mouse = face_.mapFromGlobal(QCursor::pos());
    if (sprite.rect.contains(mouse) && !state_.characterLink.isEmpty()) {
        face_.setCursor(Qt::PointingHandCursor);
    } else if (characterArea_.contains(mouse)) {
        face_.setCursor(Qt::ArrowCursor);
    }
}

bool CharacterSprites::IsOnLinkedCharacter(const QPoint& point) const {
    return !characterArea_.isEmpty() && lastSpriteRect_.contains(point) &&
           !state_.characterLink.isEmpty();
}

void CharacterSprites::OnAnimationTimer() {
    if (animationArea_.isEmpty() || animationFrameCount_ == 0) {
        return;
    }
    animationFrame_ = animationCounter_ % animationFrameCount_;
    ++animationCounter_;
    ShowAnimationFrame();
    face_.update(animationArea_);
}

// All frames are read once per skin: the animation shows ten a second all day, and finding and
// checking a file for each would cost more than drawing it.
void CharacterSprites::LoadAnimationFrames() {
    animationFrames_.clear();
    for (int frame = 0; frame < animationFrameCount_; ++frame) {
        animationFrames_.push_back(BitmapFileCache::Load(skin_.FilePath(
            QStringLiteral("/main_quiloG_%1.bmp").arg(frame + 1, 2, 10, QChar(u'0')))));
    }
}

void CharacterSprites::ShowAnimationFrame() {
    animationImage_ = animationFrame_ >= 0 && animationFrame_ < int(animationFrames_.size())
                          ? animationFrames_[animationFrame_]
                          : QImage();
}

void CharacterSprites::Paint(QPainter& painter) const {
    if (animationFrame_ >= 0 && !animationArea_.isEmpty() && !animationImage_.isNull()) {
        painter.save();
        painter.setClipRect(animationArea_);
        painter.drawImage(animationArea_.topLeft(), animationImage_);
        painter.restore();
    }
    for (const Sprite* sprite : {&spriteA_, &spriteB_}) {
        if (!sprite->file.isEmpty()) {
            painter.drawImage(sprite->rect, sprite->image);
        }
    }
}
