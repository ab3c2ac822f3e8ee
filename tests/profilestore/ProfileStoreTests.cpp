#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <functional>
#include <thread>

#include "TestRoot.h"
#include "zelcore/sim/SimLogger.h"

using ProfileStore = TestRoot;

TEST_F(ProfileStore, CreateJoinsTheStoreOnFirstStoreAndKeepsOrder) {
    SimProfileManager store;
    WcProfile* pending = nullptr;
    ASSERT_EQ(store.CreateProfile(0, &pending), WC_STATUS_SUCCESS);
    uint32_t count = 99;
    ASSERT_EQ(store.GetProfileCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 0u);  // not listed until stored
    WcProfile* first = nullptr;
    EXPECT_EQ(store.GetFirstProfile(&first), WC_STATUS_END_OF_LIST);

    WcProfileData office = Named("Office");
    office.ssid[0] = "corp";
    ASSERT_EQ(pending->SetData(&office), WC_STATUS_SUCCESS);
    Store(store, "Home");
    Store(store, "Lab");
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Office", "Home", "Lab"}));

    WcProfile* found = nullptr;
    ASSERT_EQ(store.GetProfileByName("OFFICE", &found), WC_STATUS_SUCCESS);
    EXPECT_EQ(found, pending);  // one object per profile
    WcProfileData read;
    ASSERT_EQ(found->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, office);
    EXPECT_EQ(store.GetProfileByName("Offic", &found), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(found, nullptr);

    // The walk ends with status 3 and keeps ending.
    WcProfile* p = nullptr;
    ASSERT_EQ(store.GetFirstProfile(&p), WC_STATUS_SUCCESS);
    ASSERT_EQ(store.GetNextProfile(&p), WC_STATUS_SUCCESS);
    ASSERT_EQ(store.GetNextProfile(&p), WC_STATUS_SUCCESS);
    EXPECT_EQ(store.GetNextProfile(&p), WC_STATUS_END_OF_LIST);
    EXPECT_EQ(store.GetNextProfile(&p), WC_STATUS_END_OF_LIST);

    WcProfileData defaults;
    ASSERT_EQ(store.GetDefaultProfileData(&defaults), WC_STATUS_SUCCESS);
    EXPECT_EQ(defaults, SimProfileManager::Defaults());
    EXPECT_FALSE(defaults.profileName.empty());
}

TEST_F(ProfileStore, SetDataRefusesRecordsItCannotHoldAndKeepsTheOldOne) {
    SimProfileManager store;
    Store(store, "Office");
    WcProfile* home = Store(store, "Home");
    const WcProfileData before = Named("Home");
    struct Case {
        std::string name;
        WcStatus status;
    } cases[] = {
        {"", WC_STATUS_INVALID_ARGUMENT},
        {std::string(33, 'x'), WC_STATUS_INVALID_ARGUMENT},
        {"two\nlines", WC_STATUS_INVALID_ARGUMENT},
        {"bad\xC3(utf8", WC_STATUS_INVALID_ARGUMENT},
        {"oFFICE", WC_STATUS_PROFILE_EXISTS},
    };
    for (const Case& c : cases) {
        WcProfileData data = Named(c.name);
        EXPECT_EQ(home->SetData(&data), c.status) << c.name;
        WcProfileData read;
        ASSERT_EQ(home->GetData(&read), WC_STATUS_SUCCESS);
        EXPECT_EQ(read, before) << c.name;
    }
    EXPECT_EQ(home->SetData(nullptr), WC_STATUS_INVALID_ARGUMENT);
    // 32 characters of two bytes each fit; a profile may change the case of its own name.
    std::string wide;
    for (int i = 0; i < 32; ++i) wide += "\xC3\xA9";
    WcProfileData data = Named(wide);
    EXPECT_EQ(home->SetData(&data), WC_STATUS_SUCCESS);
    data = Named("HOME");
    EXPECT_EQ(home->SetData(&data), WC_STATUS_SUCCESS);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Office", "HOME"}));
}

TEST_F(ProfileStore, CopyIsAPendingProfileThatNeedsANameOfItsOwn) {
    SimProfileManager store;
    WcProfileData shared = Named("Shared");
    shared.passphrase = "secret passphrase";
    WcProfile* source = Store(store, shared);
    WcProfile* copy = nullptr;
    ASSERT_EQ(store.CopyProfile(source, &copy), WC_STATUS_SUCCESS);
    ASSERT_NE(copy, source);
    WcProfileData data;
    ASSERT_EQ(copy->GetData(&data), WC_STATUS_SUCCESS);
    EXPECT_EQ(data, shared);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Shared"}));

    EXPECT_EQ(copy->SetData(&data), WC_STATUS_PROFILE_EXISTS);
    data.profileName = "Mine";
    data.ownerScope = WC_OWNER_SCOPE_PRIVATE;
    ASSERT_EQ(copy->SetData(&data), WC_STATUS_SUCCESS);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Shared", "Mine"}));
    WcProfileData stillShared;
    ASSERT_EQ(source->GetData(&stillShared), WC_STATUS_SUCCESS);
    EXPECT_EQ(stillShared, shared);

    // A copy given up before it was stored leaves the store as it was.
    WcProfile* dropped = nullptr;
    ASSERT_EQ(store.CopyProfile(source, &dropped), WC_STATUS_SUCCESS);
    EXPECT_EQ(store.DeleteProfile(dropped), WC_STATUS_SUCCESS);
    EXPECT_EQ(dropped->GetData(&data), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Shared", "Mine"}));
}

TEST_F(ProfileStore, DeletedProfileStaysAValidObjectWhoseOperationsFail) {
    SimProfileManager store;
    WcProfile* a = Store(store, "A");
    WcProfile* b = Store(store, "B");
    Store(store, "C");

    // A walk goes on past a profile removed under it.
    WcProfile* p = nullptr;
    ASSERT_EQ(store.GetFirstProfile(&p), WC_STATUS_SUCCESS);
    ASSERT_EQ(p, a);
    ASSERT_EQ(store.DeleteProfile(a), WC_STATUS_SUCCESS);
    ASSERT_EQ(store.GetNextProfile(&p), WC_STATUS_SUCCESS);
    EXPECT_EQ(p, b);

    WcProfileData data = Named("A2");
    std::string name;
    EXPECT_EQ(a->GetData(&data), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(a->SetData(&data), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(a->GetName(&name), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(store.DeleteProfile(a), WC_STATUS_NOT_FOUND);
    WcProfile* copy = nullptr;
    EXPECT_EQ(store.CopyProfile(a, &copy), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(store.GetProfileByName("A", &p), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(store.DeleteProfile(nullptr), WC_STATUS_INVALID_ARGUMENT);

    SimProfileManager other(DataDir());
    EXPECT_EQ(store.DeleteProfile(Store(other, "Foreign")), WC_STATUS_INVALID_ARGUMENT);
}

TEST_F(ProfileStore, ChangesOfAnotherProcessArePickedUpWithoutLosingIdentityOrUpdates) {
    SimProfileManager mine;
    WcProfile* a = Store(mine, "A");
    WcProfile* b = Store(mine, "B");

    SimProfileManager theirs(DataDir());  // another process on the same store
    EXPECT_EQ(Names(theirs), (std::vector<std::string>{"A", "B"}));
    WcProfile* theirA = nullptr;
    WcProfile* theirB = nullptr;
    ASSERT_EQ(theirs.GetProfileByName("A", &theirA), WC_STATUS_SUCCESS);
    ASSERT_EQ(theirs.GetProfileByName("B", &theirB), WC_STATUS_SUCCESS);
    WcProfileData changed = Named("B");
    changed.ssid[0] = "elsewhere";
    ASSERT_EQ(theirB->SetData(&changed), WC_STATUS_SUCCESS);
    ASSERT_EQ(theirs.DeleteProfile(theirA), WC_STATUS_SUCCESS);
    Store(theirs, "C");

    int notified = 0;
    mine.SetChangeListener([&] { ++notified; });
    ASSERT_EQ(mine.RefreshFromStorage(0), WC_STATUS_SUCCESS);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(Names(mine), (std::vector<std::string>{"B", "C"}));
    WcProfile* found = nullptr;
    ASSERT_EQ(mine.GetProfileByName("B", &found), WC_STATUS_SUCCESS);
    EXPECT_EQ(found, b);
    WcProfileData read;
    ASSERT_EQ(b->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, changed);
    EXPECT_EQ(a->GetData(&read), WC_STATUS_NOT_FOUND);
    ASSERT_EQ(mine.RefreshFromStorage(0), WC_STATUS_SUCCESS);
    EXPECT_EQ(notified, 1);  // nothing new

    // A change made without a refresh first is made on top of the other process's newest state.
    Store(theirs, "D");
    WcProfileData renamed = Named("B2");
    ASSERT_EQ(b->SetData(&renamed), WC_STATUS_SUCCESS);
    ASSERT_EQ(theirs.RefreshFromStorage(0), WC_STATUS_SUCCESS);
    EXPECT_EQ(Names(theirs), (std::vector<std::string>{"B2", "C", "D"}));
    EXPECT_EQ(Names(mine), (std::vector<std::string>{"B2", "C", "D"}));
    // ... and a name the other process took meanwhile is refused.
    Store(theirs, "E");
    WcProfileData clash = Named("e");
    EXPECT_EQ(b->SetData(&clash), WC_STATUS_PROFILE_EXISTS);
}

TEST_F(ProfileStore, FilesAreOwnerOnly) {
    SimProfileManager store;
    WcProfile* p = Store(store, "Secret");
    struct stat st{};
    ASSERT_EQ(stat(StoreFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(DataDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    const std::string exported = root_ + "/Secret.prf";
    ASSERT_EQ(store.ExportProfile(p, exported, ""), WC_STATUS_SUCCESS);
    ASSERT_EQ(stat(exported.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ProfileStore, FailedWriteKeepsTheOldRecordInMemoryAndOnDisk) {
    SimProfileManager store;
    WcProfile* p = Store(store, "Office");
    const std::string before = ReadAll(StoreFile());
    WcProfileData big = Named("Office");
    big.reserved044 = std::string(200000, 'x');

    // Writes beyond 64 KiB fail with EFBIG while the limit holds.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const WcStatus status = p->SetData(&big);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(status, WC_STATUS_STORAGE_ERROR_WRITE);
    WcProfileData read;
    ASSERT_EQ(p->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, Named("Office"));
    EXPECT_EQ(ReadAll(StoreFile()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataDir()), {}), 2);  // store and lock

    // A store that cannot be reached at all.
    WriteAll(root_ + "/file", "x");
    SimProfileManager unreachable(root_ + "/file/zelcore");
    WcProfile* q = nullptr;
    ASSERT_EQ(unreachable.CreateProfile(0, &q), WC_STATUS_SUCCESS);
    WcProfileData data = Named("X");
    EXPECT_EQ(q->SetData(&data), WC_STATUS_STORAGE_ERROR);
}

TEST_F(ProfileStore, MalformedStoreIsSetAsideNotOverwritten) {
    ASSERT_TRUE(std::filesystem::create_directories(DataDir()));
    const std::string garbage = "ZELVO-PROFILE-STORE 1\nprofile 1\nprofileName = \"unterminated\n";
    WriteAll(StoreFile(), garbage);
    SimProfileManager store;
    uint32_t count = 9;
    ASSERT_EQ(store.GetProfileCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(ReadAll(StoreFile()), garbage);  // reading alone changes nothing
    Store(store, "Fresh");
    std::vector<std::string> aside;
    for (const auto& e : std::filesystem::directory_iterator(DataDir()))
        if (e.path().filename().string().starts_with("profiles.dat.bad-")) aside.push_back(e.path());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadAll(aside[0]), garbage);
    SimProfileManager again(DataDir());
    EXPECT_EQ(Names(again), (std::vector<std::string>{"Fresh"}));
}

TEST_F(ProfileStore, ProcessStoreFollowsTheRunTimeRoot) {
    SimProfileManager* store = SimProfileManager::Instance();
    WcProfile* p = Store(*store, "Here");
    const std::string first = root_;
    char pattern[] = "/tmp/zelvo-profilestore-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    setenv("ZELVO_ROOT", pattern, 1);
    uint32_t count = 9;
    ASSERT_EQ(store->GetProfileCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 0u);
    std::string name;
    EXPECT_EQ(p->GetName(&name), WC_STATUS_NOT_FOUND);  // belongs to the other root
    EXPECT_FALSE(std::filesystem::exists(std::string(pattern) + "/zelcore/profiles.dat"));
    std::filesystem::remove_all(pattern);
    setenv("ZELVO_ROOT", first.c_str(), 1);
    EXPECT_EQ(Names(*store), (std::vector<std::string>{"Here"}));
}

TEST_F(ProfileStore, ReadersOnOtherThreadsSeeWholeRecordsWhileOneThreadEdits) {
    SimProfileManager store;
    WcProfile* p = Store(store, "Busy");
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0}, walks{0};
    std::thread reader([&] {
        while (!stop) {
            WcProfile* q = nullptr;
            for (WcStatus s = store.GetFirstProfile(&q); s == WC_STATUS_SUCCESS; s = store.GetNextProfile(&q)) {
                WcProfileData d;
                if (q->GetData(&d) == WC_STATUS_SUCCESS && d.ssid[0] != d.ssid[1]) ++torn;
            }
            ++walks;
        }
    });
    for (int i = 0; i < 60; ++i) {
        WcProfileData d = Named("Busy");
        d.ssid[0] = d.ssid[1] = std::to_string(i);
        ASSERT_EQ(p->SetData(&d), WC_STATUS_SUCCESS);
        if (i % 10 == 0) Store(store, "Extra" + std::to_string(i));
    }
    stop = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(walks, 0);
}

TEST_F(ProfileStore, LibraryLogStaysApartFromTheProgramTrace) {
    SimLogger logger;
    logger.Write(1, "before any level");
    EXPECT_EQ(logger.SetLogFile("\\Zelvo.txt"), WC_STATUS_SUCCESS);
    logger.Write(1, "level 0 writes nothing");
    EXPECT_FALSE(std::filesystem::exists(root_ + "/zelcore.log"));
    ASSERT_EQ(logger.SetLevel(2), WC_STATUS_SUCCESS);
    logger.Write(2, "kept line");
    logger.Write(3, "too detailed");
    EXPECT_EQ(SimLogger::LogPath(), root_ + "/zelcore.log");
    const std::string log = ReadAll(root_ + "/zelcore.log");
    EXPECT_NE(log.find("kept line\n"), std::string::npos);
    EXPECT_EQ(log.find("level 0"), std::string::npos);
    EXPECT_EQ(log.find("too detailed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/Zelvo.txt"));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/\\Zelvo.txt"));
}

TEST_F(ProfileStore, EveryOperationCanBeMadeToFailAndIsCounted) {
    SimProfileManager store;
    WcProfile* p = Store(store, "Office");
    const std::string file = root_ + "/x.prf";
    ASSERT_EQ(store.ExportProfile(p, file, ""), WC_STATUS_SUCCESS);
    ASSERT_EQ(store.DeleteProfile(p), WC_STATUS_SUCCESS);
    p = Store(store, "Office");
    WcProfileData data = Named("Office");
    std::string name;
    uint32_t count = 0;
    WcProfile* out = nullptr;
    struct Case {
        const char* op;
        std::function<WcStatus()> call;
    } cases[] = {
        {"WcProfileManager::GetProfileCount", [&] { return store.GetProfileCount(&count); }},
        {"WcProfileManager::RefreshFromStorage", [&] { return store.RefreshFromStorage(0); }},
        {"WcProfileManager::GetFirstProfile", [&] { return store.GetFirstProfile(&out); }},
        {"WcProfileManager::GetProfileByName", [&] { return store.GetProfileByName("Office", &out); }},
        {"WcProfileManager::GetDefaultProfileData", [&] { return store.GetDefaultProfileData(&data); }},
        {"WcProfileManager::CopyProfile", [&] { return store.CopyProfile(p, &out); }},
        {"WcProfileManager::ExportProfile", [&] { return store.ExportProfile(p, file, ""); }},
        {"WcProfile::GetData", [&] { return p->GetData(&data); }},
        {"WcProfile::SetData", [&] { return p->SetData(&data); }},
        {"WcProfile::GetName", [&] { return p->GetName(&name); }},
    };
    for (const Case& c : cases) {
        SimControl::ResetCounts();
        SimControl::FailNext(c.op, WC_STATUS_BUSY, 1);
        EXPECT_EQ(c.call(), WC_STATUS_BUSY) << c.op;
        EXPECT_EQ(c.call(), WC_STATUS_SUCCESS) << c.op;
        EXPECT_EQ(SimControl::CallCount(c.op), 2u) << c.op;
    }
    // The library's own lookups are neither counted nor failed.
    SimControl::ResetCounts();
    SimControl::FailNext("WcProfileManager::GetProfileByName", WC_STATUS_BUSY, 1);
    WcProfileData found;
    EXPECT_TRUE(store.FindRecord("office", &out, &found));
    EXPECT_EQ(out, p);
    EXPECT_EQ(found, data);
    EXPECT_FALSE(store.FindRecord("Elsewhere", &out, &found));
    EXPECT_EQ(SimControl::CallCount("WcProfileManager::GetProfileByName"), 0u);
    // Deleting and creating and importing are hooked too.
    for (const char* op : {"WcProfileManager::DeleteProfile", "WcProfileManager::CreateProfile",
                           "WcProfileManager::ImportProfile", "WcProfileManager::GetNextProfile"}) {
        SimControl::FailNext(op, WC_STATUS_BUSY, 1);
    }
    EXPECT_EQ(store.DeleteProfile(p), WC_STATUS_BUSY);
    EXPECT_EQ(store.CreateProfile(0, &out), WC_STATUS_BUSY);
    EXPECT_EQ(store.ImportProfile(&out, file), WC_STATUS_BUSY);
    EXPECT_EQ(store.GetNextProfile(&out), WC_STATUS_BUSY);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Office"}));
}
