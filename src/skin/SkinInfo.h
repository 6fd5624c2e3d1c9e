#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/KeyNumbers.h"

// The current skin: the name of its folder under "./Skins/" and the exact bytes of its
// "skininfo.ini", through which every window finds where its controls sit and which colours it
// uses. An entry is a bracketed key, exactly one separator character of any kind, and numbers
// separated by commas, the last one ended by a carriage return.
class SkinInfo {
public:
    // Reads "./Skins/<skinName>/skininfo.ini" whole. On failure the previous skin stays.
    bool Load(const QString& skinName);

    const QString& Name() const { return name_; }
    const QByteArray& Text() const { return text_; }
    void SetName(const QString& skinName) { name_ = skinName; }

    // "./Skins/" + the skin name + a file name that begins with a slash, e.g. "/main_bg.bmp".
    QString FilePath(const QString& fileName) const;

    // The key's numbers in this skin's text, as the free GetKeyValues reads them.
    int GetKeyValues(const char* key, int32_t* values, int count) const;
    // A key of four numbers, left, top, width and height, as a rectangle; none when the key is
    // missing. Each number is held to what a screen can hold (+-32767), so a skin's absurd
    // number gives an absurd place, never an arithmetic overflow.
    std::optional<QRect> KeyRect(const char* key) const;

    static QString SkinFolder(const QString& skinName);

private:
    QString name_;
    QByteArray text_;
};
