#pragma once
// Where every file the system touches at run time lives. With ZELVO_ROOT set, everything is below
// it and nothing outside is touched; otherwise the XDG locations (and /etc, /var/lib for machine
// parts) are used.
#include <string>

namespace ZelvoPaths {

enum class Hive { LocalMachine, CurrentUser };

// Value of $ZELVO_ROOT, or empty when unset.
std::string Root();

std::string HiveFile(Hive hive);
// Folder of the trace files Zelvo.txt and wmapp.txt.
std::string TraceDir();
// Client library data: profile store, PAC stores, the simulated world.
std::string ZelcoreDataDir();
// Certificate stores of one location ("CurrentUser" or "LocalMachine").
std::string CertsDir(const std::string& location);
// Sockets and lock files.
std::string RunDir();
// Folder of the running program, or $ZELVO_APPDIR when set. No trailing separator.
std::string AppDir();

// Creates the folder and its parents (mode 0700 for new folders); true when it exists afterwards.
bool MakeDirs(const std::string& dir);

}  // namespace ZelvoPaths
