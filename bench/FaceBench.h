#pragma once

// Measurements of the main window, opened in this process as the program opens it, with the
// configuration the program would read (quilo.conf, $QUILO_CONF) and the skin "Quilo2".

// Switches between "Quilo2" and "Midnight" `rounds` times; prints "skin-switch,<ms>" per switch,
// the time from the request to the face painted in the new skin.
int RunSkinSwitchBench(int rounds);

// Watches the ticker for `milliseconds` from the window's opening (while the program table is
// fetched, slowly when the station is told to delay); prints "ticker-gap,<longest ms>,<frames>".
int RunTickerGapBench(int milliseconds);
