#pragma once

#include <QString>

struct StationContext;

// The page that lists the board's messages, newest first: all of them, or those of one
// program when a code is given. This is where a listener sees the message they sent arrive.
QString BoardPage(const StationContext& context, const QString& programCode);
