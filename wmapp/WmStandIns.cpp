#include "wmapp/WmStandIns.h"

#include "wmapp/WmApp.h"
#include "wmapp/WmTrace.h"

#include <QString>

bool WmStandIns::ValidateProfile(const std::string&) { return true; }

void WmStandIns::CreateDefaultProfile() { TracePrint("WmStandIns::CreateDefaultProfile() nothing to do\n"); }

void WmStandIns::OnRadioToggled(unsigned) {}

void WmStandIns::ActivateLANMonitoring() {}

void WmStandIns::DeactivateLANMonitoring() {}

void WmStandIns::OnDisableOnLAN() { TracePrint("WmStandIns::OnDisableOnLAN() nothing to do\n"); }

void WmStandIns::OnLANStatusChange() { TracePrint("WmStandIns::OnLANStatusChange() nothing to do\n"); }

void WmStandIns::ShowClientSoftwarePrompt(bool) {}

void WmStandIns::SelectClientSoftware(unsigned commandId) {
    TracePrint("WmStandIns::SelectClientSoftware(%u) nothing to do\n", commandId);
}

void WmStandIns::ShowConnectionStatus() {
    if (WmApp* app = WmApp::Instance()) app->ShowConnectionStatus();
}

void WmStandIns::ShowAdvancedStatus(QWidget*) { TracePrint("WmStandIns::ShowAdvancedStatus() nothing to do\n"); }

void WmStandIns::ShowDisplaySettings(QWidget*) { TracePrint("WmStandIns::ShowDisplaySettings() nothing to do\n"); }

void WmStandIns::ShowScanListSettings(QWidget*) { TracePrint("WmStandIns::ShowScanListSettings() nothing to do\n"); }

void WmStandIns::SaveHistory(QWidget*, const QString&) { TracePrint("WmStandIns::SaveHistory() nothing to do\n"); }
