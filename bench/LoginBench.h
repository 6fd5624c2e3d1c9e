#pragma once

// How soon the main face is on screen after the log-in succeeded: the program starts as it
// does for a listener (automatic log-in against the configured service), and the time from the
// log-in dialog closing on its success to the main face's first paint is printed in
// milliseconds. Returns 0 when both happened.
int RunLoginToFaceBench();
