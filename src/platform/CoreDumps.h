#pragma once

// The program holds the listener's password in memory. A core dump would write it to a file
// that outlives the run, and a dumpable process can be read by any process of the same user
// through ptrace and /proc/<pid>/mem. Called first thing, before any secret is read.
void ForbidCoreDumps();
