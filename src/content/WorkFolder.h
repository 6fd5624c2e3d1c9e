#pragma once

#include <QString>

// The folder every downloaded server file lands in: "rovan_tk" inside the user's runtime folder
// ($XDG_RUNTIME_DIR), or inside the user's cache folder when there is no runtime folder. Only
// its owner may enter it (mode 0700), so no other user can read, plant or swap a file the
// program later opens.
//
// Created when missing; a folder of ours with looser permissions is tightened. Returns an empty
// string when the place is taken by something that is not our own folder (a link, a file,
// another user's folder): downloads then fail instead of writing where someone else decides.
QString GetWorkFolder();
