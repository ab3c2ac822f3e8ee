#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "TestRoot.h"

namespace {

// Every field written in one store carries the same counter, so a mix of two stores shows.
WcProfileData Generation(uint64_t n) {
    WcProfileData d = SimProfileManager::Defaults();
    d.profileName = "Loop";
    const std::string tag = std::to_string(n);
    d.ssid = {tag, tag, tag};
    d.reserved044 = std::string(50000, static_cast<char>('a' + n % 26)) + tag;
    d.leapTimeout = static_cast<uint32_t>(n);
    return d;
}

bool Consistent(const WcProfileData& d) {
    return d == Generation(d.leapTimeout);
}

[[noreturn]] void StoreForever(const std::string& dir, uint64_t first) {
    SimProfileManager store(dir);
    WcProfile* loop = nullptr;
    if (store.GetProfileByName("Loop", &loop) != WC_STATUS_SUCCESS) store.CreateProfile(0, &loop);
    for (uint64_t n = first; n < first + 100000; ++n) {
        const WcProfileData d = Generation(n);
        loop->SetData(&d);
        if (n % 4 == 0) {  // the list itself changes too
            WcProfile* extra = nullptr;
            if (store.GetProfileByName("Extra", &extra) == WC_STATUS_SUCCESS) store.DeleteProfile(extra);
            store.CreateProfile(0, &extra);
            WcProfileData e = SimProfileManager::Defaults();
            e.profileName = "Extra";
            extra->SetData(&e);
        }
    }
    _exit(0);
}

}  // namespace

using CrashSafety = TestRoot;

TEST_F(CrashSafety, KilledWriterLeavesTheOldOrTheNewStore) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    ASSERT_TRUE(std::filesystem::create_directories(DataDir()));  // a writer may die before making it
    uint64_t lastSeen = 0;
    int roundsWithData = 0;
    for (int round = 1; round <= 8; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) StoreForever(DataDir(), static_cast<uint64_t>(round) * 1000000);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 120));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;

        SimProfileManager reader(DataDir());
        uint32_t count = 0;
        ASSERT_EQ(reader.GetProfileCount(&count), WC_STATUS_SUCCESS);
        for (const auto& e : std::filesystem::directory_iterator(DataDir()))
            ASSERT_FALSE(e.path().filename().string().starts_with("profiles.dat.bad")) << "round " << round;
        WcProfile* loop = nullptr;
        if (reader.GetProfileByName("Loop", &loop) != WC_STATUS_SUCCESS) continue;  // killed before any store
        ++roundsWithData;
        WcProfileData d;
        ASSERT_EQ(loop->GetData(&d), WC_STATUS_SUCCESS);
        EXPECT_TRUE(Consistent(d)) << "round " << round << " generation " << d.leapTimeout;
        EXPECT_GE(d.leapTimeout, lastSeen) << "round " << round;  // never older than a finished store
        lastSeen = d.leapTimeout;
        EXPECT_LE(count, 2u);
    }
    EXPECT_GT(roundsWithData, 0);

    // Temporary files of killed writers go with the next store.
    SimProfileManager writer(DataDir());
    Store(writer, "After");
    for (const auto& e : std::filesystem::directory_iterator(DataDir()))
        EXPECT_FALSE(e.path().filename().string().starts_with("profiles.dat.tmp")) << e.path();
}
