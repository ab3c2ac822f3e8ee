#include "wmapp/WmApp.h"

#include "platform/InstanceGuard.h"
#include "platform/MessageBox.h"
#include "platform/RegistryStore.h"
#include "platform/ResourceChain.h"
#include "platform/ZelvoPaths.h"
#include "wmapp/WmAppConfig.h"
#include "wmapp/WmAppPropSheet.h"
#include "wmapp/WmResources.h"
#include "wmapp/WmTrace.h"
#include "zelcore/WcLogger.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelgui/services/WgHelper.h"
#include "zelgui/services/WgLoadAPI.h"
#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"

#include <QCoreApplication>

#include <clocale>

namespace {

// Problems found in a hive file (damage, a refused write) go to the program's trace.
void TraceRegistryProblem(const char* line) { TracePrint("%s\n", line); }

constexpr unsigned IDS_OEM_BASE_NAME = 112;
constexpr unsigned IDS_NO_OEM_LIBRARY = 113;
constexpr unsigned IDS_PRODUCT_NAME = 8100;
constexpr unsigned IDS_MAIN_CAPTION = 8102;
constexpr int kGetInstallOptionLimitTray = 8;
constexpr uint32_t kClientApiVersion = 0x20000;
constexpr const char* kProgramBaseName = "Zelvo";

WmApp* g_app = nullptr;
Zelcore* g_osVersionRoot = nullptr;

DWORD RootOSVersion() { return g_osVersionRoot ? g_osVersionRoot->GetOSVersion() : 0; }

}  // namespace

WmApp::WmApp(std::vector<std::string> parameters) : m_parameters(std::move(parameters)) { g_app = this; }

WmApp::~WmApp() {
    if (g_app == this) g_app = nullptr;
}

WmApp* WmApp::Instance() { return g_app; }

std::string WmApp::GetModuleDirectory(bool strip) {
    std::string dir = ZelvoPaths::AppDir();
    if (strip && dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
    if (!strip && (dir.empty() || dir.back() != '/')) dir += '/';
    return dir;
}

bool WmApp::InitInstance() {
    m_startFailed = true;
    m_debugMode = 0;
    SetTraceMode(0);
    RegistryStore::SetTraceHook(&TraceRegistryProblem);
    m_debugMode = WgSettings::MachineDword(WgSettings::Machine::DebugMode);
    SetTraceMode(m_debugMode);

    TracePrint("WmApp::InitInstance()\n");
    // A damaged hive found while reading DebugMode was reported before the trace was on.
    if (const std::string problem = RegistryStore::LastProblem(); !problem.empty())
        TracePrint("Registry: malformed hive %s\n", problem.c_str());

    std::string error;
    m_root = ZelcoreLoader::Load(GetModuleDirectory(true), kClientApiVersion, &error);
    if (!m_root) {
        TracePrint("WmApp::InitInstance() Load Zelcore failed\n");
        return false;
    }
    g_osVersionRoot = m_root;
    WgRegKey::SetOSVersionSource(&RootOSVersion);
    if (m_root->GetVersion() < 2) {
        TracePrint("WmApp::InitInstance() Invalid Zelcore version\n");
        return false;
    }

    m_libraryRoot = WgLoadAPI(0);
    if (!m_libraryRoot) {
        TracePrint("WmApp::InitInstance() Load Zelgui failed\n");
        return false;
    }
    m_libraryRoot->Initialize();

    WcLogger* logger = nullptr;
    if (m_root->GetLogger(&logger) == WC_STATUS_SUCCESS && logger) {
        logger->SetLevel(static_cast<uint32_t>(m_debugMode));
        logger->SetLogFile("\\Zelvo.txt");
    }

    m_commandLine.Parse(m_parameters);

    if (!LoadResourceLibraries()) {
        TracePrint("WmApp::InitInstance() Failed to Load resource DLL\n");
        return false;
    }
    if (const QString product = ResourceChain::Instance().LoadString(IDS_PRODUCT_NAME); !product.isEmpty())
        QCoreApplication::setApplicationName(product);

    m_config = std::make_unique<WmAppConfig>(m_root);
    m_config->SetHooks({[this] { RefreshConnectionStatus(); }, {}, {}});
    m_config->Init();

    const bool noGui = m_commandLine.Has("NOGUI");
    if (noGui) {
        TracePrint("WmApp::InitInstance() GUI disabled by parameter passed\n");
        WgRegKey key;
        DWORD showTray = 0;
        // Started without its window: keep the tray icon unless the administrator chose otherwise.
        if (key.OpenKey(HKEY_LOCAL_MACHINE, g_szSWRegPath) && !key.GetValue(WgSettings::Machine::ShowTray.name, &showTray))
            key.SetValue(WgSettings::Machine::ShowTray.name, DWORD{1});
    }
    const bool limitTray = m_config->GetInstallOption(kGetInstallOptionLimitTray) != 0;
    if (limitTray) TracePrint("WmApp::InitInstance() GUI disabled from GetInstallOption()\n");
    const bool showAtStart = !noGui && !limitTray;

    // Taking the instance and creating its marker are one step, so two quick starts cannot both run.
    m_instance = std::make_unique<InstanceGuard>(INSTANCE_NAME);
    const InstanceGuard::Result instance = m_instance->Acquire();
    if (instance == InstanceGuard::Result::AlreadyRunning) {
        TracePrint("WmApp::InitInstance() WmApp instance already running\n");
        if (showAtStart) {
            TracePrint("WmApp::InitInstance() Finding existing WmApp instance\n");
            if (m_instance->SendRequest(LAUNCH_REQUEST)) TracePrint("WmApp::InitInstance() WmApp instance found. Launch App\n");
        }
        m_startFailed = false;
        return false;
    }
    if (instance == InstanceGuard::Result::Failed)
        TracePrint("WmApp::InitInstance() Cannot create the instance marker %s\n", m_instance->SocketPath().c_str());
    QObject::connect(m_instance.get(), &InstanceGuard::RequestReceived, m_instance.get(),
                     [this](const QString& request) { OnInstanceRequest(request); });

    m_startFailed = false;
    WmAppPropSheet sheet(ResourceChain::Instance().LoadString(IDS_MAIN_CAPTION), nullptr, 0);
    m_mainWindow = &sheet;
    sheet.SetShowAtStart(showAtStart);
    m_config->SetMainWindow(&sheet);
    sheet.OnInitDialog();
    if (m_exitRequested) sheet.reject();
    sheet.RunModal();
    // The window goes now: nothing may reach it any more.
    m_config->SetMainWindow(nullptr);
    sheet.CloseWindowMessages();
    m_mainWindow = nullptr;
    return true;
}

void WmApp::OnInstanceRequest(const QString& request) {
    if (request == QLatin1String(LAUNCH_REQUEST) && m_mainWindow)
        m_mainWindow->PostWindowMessage(WmAppPropSheet::WM_LAUNCH_APP);
}

void WmApp::RequestExit() {
    m_exitRequested = true;
    if (m_mainWindow) m_mainWindow->reject();
}

void WmApp::ShowConnectionStatus() {}

void WmApp::RefreshConnectionStatus() {}

bool WmApp::LoadResourceLibraries() {
    ResourceChain& chain = ResourceChain::Instance();
    const unsigned short language = WgHelper::DetectLanguage();
    const std::string dir = GetModuleDirectory(true);
    std::setlocale(LC_ALL, "");

    // The program's own table is always in the chain, so texts a partial locale library lacks
    // still come from the program.
    m_ownTableAdded = WmResources::Register() != nullptr;
    m_localeLibrary = WgHelper::LoadLocaleDependentDll(language, kProgramBaseName, dir.c_str());

    const std::string oemBase = chain.LoadStringUtf8(IDS_OEM_BASE_NAME);
    m_oemLibrary = WgHelper::LoadLocaleDependentDll(language, oemBase.c_str(), dir.c_str());
    if (!m_oemLibrary && !oemBase.empty()) m_oemLibrary = chain.Load(dir + "/" + oemBase + ".so");
    if (!m_oemLibrary) {
        MessageBox::Show(QCoreApplication::applicationName(), chain.LoadString(IDS_NO_OEM_LIBRARY));
        return false;
    }
    chain.SetCurrent(m_oemLibrary);
    return true;
}

int WmApp::ExitInstance() {
    ResourceChain& chain = ResourceChain::Instance();
    if (m_oemLibrary) {
        if (chain.Current() == m_oemLibrary) chain.SetCurrent(nullptr);
        chain.Unload(m_oemLibrary);
        m_oemLibrary = nullptr;
    }
    m_config.reset();
    if (m_libraryRoot) {
        m_libraryRoot->Release();
        m_libraryRoot = nullptr;
    }
    if (m_root) {
        WgRegKey::SetOSVersionSource(nullptr);
        g_osVersionRoot = nullptr;
        m_root->Release();
        m_root = nullptr;
    }
    if (m_ownTableAdded) {
        WmResources::Unregister();
        m_ownTableAdded = false;
    }
    m_instance.reset();
    return m_startFailed ? 1 : 0;
}
