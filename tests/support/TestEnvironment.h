#pragma once

#include <QString>

// Every test process runs in a folder of its own: HOME, the XDG folders, TMPDIR and the working
// directory all point into a fresh temporary folder, so no test ever reads or writes the user's
// own files and tests cannot see each other's.
namespace TestEnvironment {

enum class Kind { Console, Gui };

// Prepares the folders, creates the (Gui)Application and runs every test.
int RunAllTests(int argc, char** argv, Kind kind);

// The temporary folder that holds everything of this process.
QString Root();
// The working directory the test started in (Root() + "/work").
QString WorkDir();
// The source tree and the build tree, for test data and the built programs.
QString SourceDir();
QString BinaryDir();

}  // namespace TestEnvironment
