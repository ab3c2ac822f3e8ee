#pragma once
// The application object: start-up (libraries, tracing, resource libraries, the adapter context,
// the single instance), the modal run of the main window, and the exit in reverse order.
#include "wmapp/WmCommandLine.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class Zelcore;
class WgLibraryRoot;
class ResourceLibrary;
class WmAppConfig;
class WmAppPropSheet;
class InstanceGuard;

class WmApp {
public:
    static constexpr const char* INSTANCE_NAME = "KovWmAppRunning";
    // Request lines a later start sends to the running instance.
    static constexpr const char* LAUNCH_REQUEST = "WM_APP+110";

    // parameters: the command line without the program name.
    explicit WmApp(std::vector<std::string> parameters);
    ~WmApp();
    WmApp(const WmApp&) = delete;
    WmApp& operator=(const WmApp&) = delete;

    // The running application object, or null.
    static WmApp* Instance();

    // True only when the main window ran; false ends the process without a window.
    bool InitInstance();
    // Releases what start-up obtained, in reverse order; the process's exit code.
    int ExitInstance();

    bool LoadResourceLibraries();
    // The executable's directory; strip removes a trailing separator.
    static std::string GetModuleDirectory(bool strip);

    // Ends the modal run of the main window (as its close does); safe before the run starts.
    void RequestExit();

    // Connection Status dialog: created with its part of the program; no-ops until then.
    void ShowConnectionStatus();
    void RefreshConnectionStatus();

    const WmCommandLine& CommandLine() const { return m_commandLine; }
    WmAppConfig* Config() const { return m_config.get(); }
    WmAppPropSheet* MainWindow() const { return m_mainWindow; }
    ResourceLibrary* OemLibrary() const { return m_oemLibrary; }
    ResourceLibrary* LocaleLibrary() const { return m_localeLibrary; }

private:
    void OnInstanceRequest(const QString& request);

    std::vector<std::string> m_parameters;
    WmCommandLine m_commandLine;
    unsigned long m_debugMode = 0;
    Zelcore* m_root = nullptr;
    WgLibraryRoot* m_libraryRoot = nullptr;
    ResourceLibrary* m_oemLibrary = nullptr;
    ResourceLibrary* m_localeLibrary = nullptr;
    bool m_ownTableAdded = false;
    std::unique_ptr<WmAppConfig> m_config;
    std::unique_ptr<InstanceGuard> m_instance;
    WmAppPropSheet* m_mainWindow = nullptr;
    bool m_exitRequested = false;
    bool m_startFailed = false;
};
