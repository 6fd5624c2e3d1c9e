#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "skin/BitmapFileCache.h"

class CSkinButton;
class Program;
class QWidget;

// The program on air's two picture links and the event banner on the main face. Their pictures
// are the files the program-table window fetched into the work folder (the program code +
// "_1.bmp" and "_2.bmp", and "event.bmp"), BMP or JPEG whatever the names say; the skin says
// where each stands ("[MAIN_LINK1]" to "[MAIN_LINK3]"). A link whose bitmap is missing stays
// hidden; a missing banner shows the skin's "event_null.bmp", which leads to the broadcaster's
// main site.
class ProgramLinks : public QObject {
    Q_OBJECT

public:
    ProgramLinks(QWidget* face, Program& program);

    // Places the bitmaps fetched for the program on air.
    void Reload();
    // Hides all three (there is no program information).
    void Hide();
    // The first link shows: the face has a program's links.
    bool IsShown() const;
    CSkinButton& Link(int index) const { return *links_.at(static_cast<size_t>(index)); }

signals:
    // A link with an address was clicked.
    void openRequested(const QString& address);

private:
    void Place(CSkinButton& link, const char* key, const QString& imagePath,
               BitmapFileCache::Formats formats);
    void PlaceBanner(const QString& imagePath);
    void OnClicked(int index);

    Program& program_;
    std::array<CSkinButton*, 3> links_{};
};
