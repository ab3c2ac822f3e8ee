#pragma once
// Work the main window asks of parts of the program that are not here yet: the system's own
// wireless configuration service, the start-up profile checks, the radio toggle's follow-up,
// LAN monitoring, the client software choice and the dialogs still to come. Each answers
// "nothing to do" (and says so in the trace where a user asked for something), so the window's
// own flow stays complete; the parts replace these one by one.
#include <string>

class QString;
class QWidget;

class WmStandIns {
public:
    // Whether the system's wireless configuration service controls the adapter: it never does here.
    static bool IsZeroConfigEnabled() { return false; }

    // One step of the start-up check; true when the check is finished.
    static bool RunStartupCheck() { return true; }
    // Whether the profile may be used as it is (the validity prompt): always.
    static bool ValidateProfile(const std::string& name);
    // Creates and activates the default profile when the store is empty: not done here.
    static void CreateDefaultProfile();

    // After the radio state was set: nothing more to wait for.
    static void OnRadioToggled(unsigned newState);

    // LAN monitoring: not watched.
    static void ActivateLANMonitoring();
    static void DeactivateLANMonitoring();
    static void OnDisableOnLAN();
    static void OnLANStatusChange();

    // Client software choice: never due; the menu commands have nothing to switch.
    static void ShowClientSoftwarePrompt(bool showNow);
    static void SelectClientSoftware(unsigned commandId);

    // Dialogs still to come.
    static void ShowConnectionStatus();
    static void ShowAdvancedStatus(QWidget* parent);
    static void ShowDisplaySettings(QWidget* parent);
    static void ShowScanListSettings(QWidget* parent);
    static void SaveHistory(QWidget* parent, const QString& history);
};
