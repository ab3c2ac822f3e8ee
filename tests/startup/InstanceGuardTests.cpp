#include "platform/InstanceGuard.h"

#include "platform/ZelvoPaths.h"

#include "StartupTestSupport.h"

#include <QStringList>

namespace {

TEST(InstanceGuard, OnlyOneHolderAtATimeAndTheInstanceIsFreeAgainAfterIt) {
    FreshRoot root;
    auto first = std::make_unique<InstanceGuard>("KovWmAppRunning");
    ASSERT_EQ(first->Acquire(), InstanceGuard::Result::Acquired);
    EXPECT_EQ(first->SocketPath(), root / "run/KovWmAppRunning");
    EXPECT_TRUE(std::filesystem::exists(first->SocketPath()));

    InstanceGuard second("KovWmAppRunning");
    EXPECT_EQ(second.Acquire(), InstanceGuard::Result::AlreadyRunning);
    EXPECT_FALSE(second.Held());
    // The refused start left the running one's socket alone.
    EXPECT_TRUE(std::filesystem::exists(first->SocketPath()));

    first.reset();
    EXPECT_FALSE(std::filesystem::exists(root / "run/KovWmAppRunning"));
    EXPECT_EQ(second.Acquire(), InstanceGuard::Result::Acquired);
}

TEST(InstanceGuard, ReplacesASocketLeftByARunThatDied) {
    FreshRoot root;
    ASSERT_TRUE(ZelvoPaths::MakeDirs(ZelvoPaths::RunDir()));
    WriteFile(root / "run/KovWmAppRunning", "stale");
    InstanceGuard guard("KovWmAppRunning");
    EXPECT_EQ(guard.Acquire(), InstanceGuard::Result::Acquired);
    InstanceGuard later("KovWmAppRunning");
    EXPECT_TRUE(later.SendRequest("WM_APP+110", 1000));
}

TEST(InstanceGuard, DeliversRequestLinesOfLaterStarts) {
    FreshRoot root;
    InstanceGuard running("KovWmAppRunning");
    ASSERT_EQ(running.Acquire(), InstanceGuard::Result::Acquired);
    QStringList received;
    QObject::connect(&running, &InstanceGuard::RequestReceived, [&](const QString& r) { received << r; });

    InstanceGuard later("KovWmAppRunning");
    EXPECT_TRUE(later.SendRequest("WM_APP+110"));
    EXPECT_TRUE(later.SendRequest("SNSuccessMessage"));
    EXPECT_TRUE(SpinUntil([&] { return received.size() == 2; }, 5000));
    EXPECT_EQ(received, (QStringList{QStringLiteral("WM_APP+110"), QStringLiteral("SNSuccessMessage")}));
}

TEST(InstanceGuard, NoRunningInstanceMeansTheRequestFails) {
    FreshRoot root;
    InstanceGuard later("KovWmAppRunning");
    EXPECT_FALSE(later.SendRequest("WM_APP+110", 300));
}

}  // namespace

namespace {

TEST(InstanceGuard, ARunFolderTooLongForASocketStillKeepsOneInstance) {
    FreshRoot root;
    const std::string deep = root.Path() + "/" + std::string(60, 'd') + "/" + std::string(60, 'e');
    setenv("ZELVO_ROOT", deep.c_str(), 1);
    InstanceGuard first("KovWmAppRunning");
    ASSERT_EQ(first.Acquire(), InstanceGuard::Result::Acquired);
    EXPECT_TRUE(first.Held());
    EXPECT_FALSE(first.Listening());
    InstanceGuard second("KovWmAppRunning");
    EXPECT_EQ(second.Acquire(), InstanceGuard::Result::AlreadyRunning);
    EXPECT_FALSE(second.SendRequest("WM_APP+110", 200));
}

}  // namespace
