#pragma once

#include <QDir>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include "ButtonArt.h"
#include "Theme.h"

// The images and the sound built into the program itself (its Qt resource file): the window and
// tray icons, the menu images, the character chime and the built-in looks of the log-in and
// about dialogs, used when a skin lacks their backgrounds, and the skin chooser's stand-in
// thumbnail.
class ResourceWriter {
public:
    explicit ResourceWriter(const QDir& folder);

    // Writes every file and "resources.qrc"; returns the files that could not be written.
    QStringList Write();

private:
    QImage Icon(int size) const;
    QImage Toolbar() const;
    QImage SkinThumb() const;
    QImage LoginBackground() const;
    QImage AboutBackground() const;
    void LoginButtons(const QImage& background);
    void AboutButtons(const QImage& background);
    // A built-in button is an opaque picture: its corners show the background it sits on.
    void Button(const QString& stem, const QImage& background, const ButtonLook& look, QPoint at);
    void Bitmap(const QString& name, const QImage& image);
    void Png(const QString& name, const QImage& image);
    void Raw(const QString& name, const QByteArray& bytes);

    QDir folder_;
    Theme theme_;
    QStringList files_;
    QStringList failed_;
};
