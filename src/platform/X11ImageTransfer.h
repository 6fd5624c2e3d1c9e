#pragma once

// How the face's pixels reach an X server. Over shared memory (MIT-SHM), Qt waits for a reply
// from the server before it paints again where it painted last, since the server may still be
// reading the shared image; the ticker repaints its strip 33 times a second, so every step cost a
// round trip that woke two threads. A step changes a column of a few dozen pixels, which the
// socket carries for less than the wait costs. Called before the application object is made;
// a value the user set is kept. Other platforms never read it.
void SendImagesOverTheX11Socket();
