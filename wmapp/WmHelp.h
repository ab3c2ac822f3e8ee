#pragma once
// The program's manual: manual/index.htm below the executable's directory, opened with the
// desktop's "open" action. Every opening goes through OpenFile, so tests see the request instead
// of a browser starting.
#include <QString>

#include <functional>

class QWidget;

class WmHelp {
public:
    // Sees the path to open and answers whether it opened.
    using OpenHook = std::function<bool(const QString& path)>;

    // The manual's path for the executable's directory.
    static QString ManualPath();
    // Opens the manual; when it is missing or cannot be opened, a message box says so. True when opened.
    static bool OpenManual(QWidget* parent);
    // Context help: the manual at the topic's anchor ("#topic-20095" for topic 0x20095); the hook
    // sees the path with the anchor. As OpenManual when the manual is missing.
    static bool OpenManualAt(QWidget* parent, unsigned topic);
    // Opens a local file with the desktop's default application (or the hook).
    static bool OpenFile(const QString& path);
    // Replaces the desktop for tests; an empty hook removes it.
    static void SetOpenHook(OpenHook hook);
};
