#include "zelgui/services/WgLoadAPI.h"

#include "platform/ResourceChain.h"
#include "platform/ResourceLibrary.h"
#include "zelcore/sim/SimControl.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"

#include "StartupTestSupport.h"

namespace {

TEST(WgLoadAPI, RootComesUpWithOrWithoutItsTranslatedTexts) {
    FreshRoot root;
    std::filesystem::create_directories(root / "app");
    setenv("ZELVO_APPDIR", (root / "app").c_str(), 1);
    WgLibraryRoot* library = WgLoadAPI(0);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(WgLoadAPI(0), library);
    EXPECT_EQ(library->GetVersion(), 1u);

    // No client library and no translated texts beside the program: still up.
    EXPECT_TRUE(library->Initialize());
    EXPECT_EQ(library->LocaleLibrary(), nullptr);
    EXPECT_EQ(WgClientRoot::Get(), nullptr);
    EXPECT_EQ(library->Release(), 1);
    EXPECT_EQ(library->Release(), 1);

    // With both: the library's own client root (version 0) and the German texts for a German user.
    const std::string bin = ZELVO_TEST_BIN_DIR;
    std::filesystem::create_symlink(bin + "/libzelcoreU.so", root / "app/libzelcoreU.so");
    std::filesystem::create_symlink(bin + "/zelguiloc7.so", root / "app/zelguiloc7.so");
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    SimControl::Reset();
    EXPECT_TRUE(library->Initialize());
    setenv("LC_ALL", "C", 1);
    ASSERT_NE(library->LocaleLibrary(), nullptr);
    EXPECT_EQ(library->LocaleLibrary()->Path(), root / "app/zelguiloc7.so");
    EXPECT_TRUE(ResourceChain::Instance().Contains(library->LocaleLibrary()));
    EXPECT_NE(WgClientRoot::Get(), nullptr);
    ASSERT_NE(WgAdapterMonitorManager::GetAdapterMonitorManager(), nullptr);

    // Release takes the client side down; the texts stay until the library goes.
    ResourceLibrary* texts = library->LocaleLibrary();
    EXPECT_EQ(library->Release(), 1);
    EXPECT_EQ(library->LocaleLibrary(), texts);
    EXPECT_EQ(library->Release(), 1);
    // Initialize again keeps the texts it has.
    EXPECT_TRUE(library->Initialize());
    EXPECT_EQ(library->LocaleLibrary(), texts);
    EXPECT_EQ(library->Release(), 1);
    SimControl::Reset();
    unsetenv("ZELVO_APPDIR");
}

}  // namespace
