#pragma once

#include <QDateTime>
#include <QString>

// Where a recording goes and what its file is called: "2007-07-01 0800 <program title>.opus"
// in the listener's music folder, under "Quilo".
namespace RecordingName {

// The XDG music folder's "Quilo" (falling back to ~/Music/Quilo).
QString Folder();
// `title` is made safe for a file name on any disk the listener may copy it to; the whole name
// stays within the 255 bytes a Linux file name may have.
QString FileName(const QDateTime& start, const QString& title);
// `fileName` in `folder`, or "name (2).opus", "name (3).opus" ... when that is taken.
QString FreePath(const QString& folder, const QString& fileName);

}  // namespace RecordingName
