#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <atomic>
#include <fstream>
#include <thread>

#include "ResourceTestSupport.h"
#include "platform/ResourceMenuBuilder.h"
#include "zelgui/services/WgResources.h"

namespace {

QString Text(unsigned id) { return ResourceChain::Instance().LoadString(id); }

TEST_F(ResourceTest, LookupFollowsOemProgramLibraryOrder) {
    ResourceChain& chain = ResourceChain::Instance();
    ASSERT_NE(WgResources::Library(), nullptr);
    ASSERT_NE(WmResources::Register(), nullptr);
    ResourceLibrary* oem = Load(BinDir() + "/oemres.so");
    ASSERT_NE(oem, nullptr);
    ASSERT_TRUE(chain.SetCurrent(oem));

    // Each text comes from the first library that has it.
    EXPECT_EQ(Text(8100), "Zelvo");                  // OEM only
    EXPECT_EQ(Text(115), " - Current Profile: ");    // program
    EXPECT_EQ(Text(26), "No Link");                  // library
    QString missing = "untouched";
    EXPECT_FALSE(chain.FindString(65000, missing));  // nowhere
    EXPECT_EQ(missing, "untouched");
    EXPECT_TRUE(Text(65000).isEmpty());

    // An installer's OEM library made current overrides program and library texts; what it lacks
    // falls through to the default OEM library, then the program, then the library.
    ResourceLibrary* installer = Load(Fixture("testoem"));
    ASSERT_NE(installer, nullptr);
    ASSERT_TRUE(chain.SetCurrent(installer));
    EXPECT_EQ(Text(115), "OEM profile: ");
    EXPECT_EQ(Text(26), "OEM no link");
    EXPECT_EQ(Text(8102), "OEM Caption");
    EXPECT_EQ(Text(8100), "Zelvo");
    EXPECT_EQ(Text(2350), "Current Status");
    EXPECT_EQ(Text(52), "Not Associated");
    QString caption;
    EXPECT_FALSE(chain.FindStringIn(installer, 8103, caption));
    EXPECT_TRUE(chain.FindStringIn(oem, 8103, caption));

    // Unloading the installer's library brings the default texts back.
    ASSERT_TRUE(chain.Unload(installer));
    EXPECT_EQ(chain.Current(), nullptr);
    EXPECT_EQ(Text(115), " - Current Profile: ");
    EXPECT_FALSE(chain.Unload(installer));
}

TEST_F(ResourceTest, RanksOrderLibrariesWhateverTheLoadOrder) {
    ResourceChain& chain = ResourceChain::Instance();
    ResourceLibrary* library = Load(Fixture("testlibrary"));
    ResourceLibrary* locale = Load(Fixture("testlocale"));
    ResourceLibrary* program = WmResources::Register();
    ResourceLibrary* oem = Load(Fixture("testoem"));
    ASSERT_TRUE(library && locale && program && oem);
    EXPECT_EQ(WmResources::Register(), program);  // once only

    std::vector<ResourceLibrary*> order = chain.Order();
    auto position = [&](ResourceLibrary* l) { return std::find(order.begin(), order.end(), l) - order.begin(); };
    EXPECT_LT(position(oem), position(locale));
    EXPECT_LT(position(locale), position(program));
    EXPECT_LT(position(program), position(WgResources::Library()));
    EXPECT_LT(position(WgResources::Library()), position(library));  // built-in first within its rank

    const struct {
        unsigned id;
        const char* text;
    } cases[] = {
        {9001, "oem 9001"},
        {9002, "locale 9002"},
        {9003, "library 9003"},
        {115, "OEM profile: "},
        {2350, "Current Status"},
    };
    for (const auto& c : cases) EXPECT_EQ(Text(c.id), QString::fromUtf8(c.text)) << c.id;

    // A partial translation leaves the rest of the program's texts in English.
    ASSERT_TRUE(chain.Unload(oem));
    EXPECT_EQ(Text(115), "locale profile: ");
    EXPECT_EQ(Text(2351), "Profile Name:");
}

TEST_F(ResourceTest, BrokenLibrariesAreRefused) {
    std::filesystem::path notLibrary = std::filesystem::path(m_root) / "oemres.so";
    { std::ofstream(notLibrary) << "not a shared object"; }
    const std::string cases[] = {
        notLibrary.string(),                       // not a shared object
        m_root + "/missing.so",                    // absent
        BinDir() + "/libzelplatform.so",           // a library, but without resources
    };
    for (const std::string& path : cases) {
        std::string error;
        size_t before = ResourceChain::Instance().Order().size();
        EXPECT_EQ(ResourceChain::Instance().Load(path, &error), nullptr) << path;
        EXPECT_FALSE(error.empty()) << path;
        EXPECT_EQ(ResourceChain::Instance().Order().size(), before);
    }
}

TEST_F(ResourceTest, MalformedTablesAreRefused) {
    static const ZelResString sorted[] = {{1, "a"}, {2, "b"}};
    static const ZelResString unsorted[] = {{2, "b"}, {1, "a"}};
    static const ZelResString twice[] = {{1, "a"}, {1, "b"}};
    static const ZelResString noText[] = {{1, nullptr}};
    static const ZelResMenuEntry open[] = {{ZEL_MENU_POPUP, 0, "x"}, {ZEL_MENU_COMMAND, 5, "y"}};
    static const ZelResMenuEntry stray[] = {{ZEL_MENU_END, 0, nullptr}};
    static const ZelResMenuEntry untitled[] = {{ZEL_MENU_COMMAND, 5, nullptr}};
    static const ZelResMenu openMenu[] = {{1, open, 2}};
    static const ZelResMenu strayMenu[] = {{1, stray, 1}};
    static const ZelResMenu untitledMenu[] = {{1, untitled, 1}};
    static const unsigned char png[] = {1};
    static const ZelResImage unsortedIcons[] = {{5, 32, 32, png, 1}, {5, 16, 16, png, 1}};
    static const ZelResImage emptyIcon[] = {{5, 16, 16, png, 0}};

    auto module = [](auto change) {
        ZelResourceModule m{ZEL_RESOURCE_MAGIC, ZEL_RESOURCE_VERSION, "t", ZEL_RANK_OEM, 0, sorted, 2, nullptr, 0, nullptr, 0, nullptr, 0};
        change(m);
        return m;
    };
    const struct {
        const char* what;
        ZelResourceModule module;
        bool valid;
    } cases[] = {
        {"well formed", module([](ZelResourceModule&) {}), true},
        {"wrong magic", module([](ZelResourceModule& m) { m.magic = 1; }), false},
        {"newer version", module([](ZelResourceModule& m) { m.version = 2; }), false},
        {"unknown rank", module([](ZelResourceModule& m) { m.rank = 9; }), false},
        {"no name", module([](ZelResourceModule& m) { m.name = nullptr; }), false},
        {"strings unsorted", module([](ZelResourceModule& m) { m.strings = unsorted; }), false},
        {"string twice", module([](ZelResourceModule& m) { m.strings = twice; }), false},
        {"string without text", module([](ZelResourceModule& m) { m.strings = noText; m.stringCount = 1; }), false},
        {"count without table", module([](ZelResourceModule& m) { m.strings = nullptr; }), false},
        {"popup not closed", module([](ZelResourceModule& m) { m.menus = openMenu; m.menuCount = 1; }), false},
        {"end without popup", module([](ZelResourceModule& m) { m.menus = strayMenu; m.menuCount = 1; }), false},
        {"command without text", module([](ZelResourceModule& m) { m.menus = untitledMenu; m.menuCount = 1; }), false},
        {"icon sizes unsorted", module([](ZelResourceModule& m) { m.icons = unsortedIcons; m.iconCount = 2; }), false},
        {"empty picture", module([](ZelResourceModule& m) { m.bitmaps = emptyIcon; m.bitmapCount = 1; }), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResourceLibrary::Validate(&c.module), c.valid) << c.what;
        ResourceLibrary* added = ResourceChain::Instance().AddBuiltIn(&c.module);
        EXPECT_EQ(added != nullptr, c.valid) << c.what;
        ResourceChain::Instance().Unload(added);  // the table lives on this stack only
    }
    EXPECT_FALSE(ResourceLibrary::Validate(nullptr));
}

TEST_F(ResourceTest, LookupsRunWhileLibrariesComeAndGo) {
    WmResources::Register();
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::thread reader([&] {
        while (!done) {
            QString text = Text(115);
            if (text != " - Current Profile: " && text != "OEM profile: ") ++wrong;
            if (ResourceChain::Instance().FormatString(23, {5.5}) != "5.5 Mbps") ++wrong;
            ResourceChain::Instance().LoadIconImage(8050, 16);
        }
    });
    for (int i = 0; i < 40; ++i) {
        ResourceLibrary* oem = ResourceChain::Instance().Load(Fixture("testoem"));
        ASSERT_NE(oem, nullptr);
        ResourceChain::Instance().SetCurrent(oem);
        ResourceChain::Instance().Unload(oem);
    }
    done = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
}

struct MenuLine {
    ResourceMenuItem::Kind kind;
    unsigned id;
    const char* text;
};

void ExpectItems(const std::vector<ResourceMenuItem>& items, const std::vector<MenuLine>& expected, const char* where) {
    ASSERT_EQ(items.size(), expected.size()) << where;
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, expected[i].kind) << where << " item " << i;
        EXPECT_EQ(items[i].id, expected[i].id) << where << " item " << i;
        EXPECT_EQ(items[i].text, QString::fromUtf8(expected[i].text)) << where << " item " << i;
    }
}

constexpr auto CMD = ResourceMenuItem::Kind::Command;
constexpr auto SEP = ResourceMenuItem::Kind::Separator;

TEST_F(ResourceTest, ProgramMenusHoldTheirItems) {
    WmResources::Register();
    ResourceMenu bar;
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(129, bar));
    ASSERT_EQ(bar.items.size(), 3u);
    const char* popups[] = {"&Action", "&Options", "&Help"};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_NE(bar.Popup(i), nullptr);
        EXPECT_EQ(bar.Popup(i)->text, popups[i]);
    }
    EXPECT_EQ(bar.Popup(3), nullptr);
    ExpectItems(bar.Popup(0)->items,
                {{CMD, 32771, "Enable &Radio"}, {CMD, 32772, "Enable &Tray Icon"}, {SEP, 0, ""}, {CMD, 32775, "Manual &Login"},
                 {SEP, 0, ""}, {CMD, 32777, "Rea&uthenticate"}, {SEP, 0, ""}, {CMD, 32779, "E&xit"}},
                "Action");
    ExpectItems(bar.Popup(1)->items,
                {{CMD, 32780, "&Display Settings..."}, {CMD, 33303, "&Scan List Settings..."}, {CMD, 33304, "Select &Client Software..."}},
                "Options");
    ExpectItems(bar.Popup(2)->items, {{CMD, 32784, "&About %s"}}, "Help");

    ResourceMenu tray;
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(149, tray));
    ASSERT_NE(tray.Popup(0), nullptr);
    ExpectItems(tray.Popup(0)->items,
                {{CMD, 32776, "E&xit"}, {SEP, 0, ""}, {CMD, 32778, "&Open %s..."}, {SEP, 0, ""}, {CMD, 32781, "&Preferences..."},
                 {SEP, 0, ""}, {CMD, 32771, "Enable &Radio"}, {CMD, 32775, "Manual &Login"}, {CMD, 32777, "Rea&uthenticate"},
                 {SEP, 0, ""}, {CMD, 32785, "Show Connection Status"}, {SEP, 0, ""}, {CMD, 33305, "Disable WLAN if LAN is Connected"}},
                "tray");
    EXPECT_FALSE(ResourceChain::Instance().LoadMenu(130, tray));

    // An OEM library may bring its own tray menu; the program's menu bar stays.
    ResourceLibrary* oem = Load(Fixture("testoem"));
    ASSERT_TRUE(ResourceChain::Instance().SetCurrent(oem));
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(149, tray));
    ExpectItems(tray.Popup(0)->items, {{CMD, 32778, "&Open %s"}, {SEP, 0, ""}, {CMD, 32776, "&Quit"}}, "OEM tray");
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(129, bar));
    EXPECT_EQ(bar.Popup(0)->text, "&Action");
}

TEST_F(ResourceTest, QtMenusCarryCommandIds) {
    WmResources::Register();
    ResourceMenu resource;
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(129, resource));
    QMenuBar bar;
    ResourceMenuBuilder::FillBar(&bar, resource);
    ASSERT_EQ(bar.actions().size(), 3);
    QMenu* action = bar.actions()[0]->menu();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->title(), "&Action");
    ASSERT_EQ(action->actions().size(), 8);
    EXPECT_EQ(ResourceMenuBuilder::CommandId(action->actions()[0]), 32771u);
    EXPECT_TRUE(action->actions()[2]->isSeparator());
    EXPECT_EQ(ResourceMenuBuilder::CommandId(action->actions()[2]), 0u);
    EXPECT_EQ(ResourceMenuBuilder::CommandId(bar.actions()[0]), 0u);  // a popup carries no command

    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(149, resource));
    std::unique_ptr<QMenu> tray(ResourceMenuBuilder::BuildPopup(resource, 0));
    ASSERT_NE(tray, nullptr);
    QAction* open = ResourceMenuBuilder::FindCommand(tray.get(), 32778);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), "&Open %s...");
    EXPECT_EQ(open->data().toUInt(), 32778u);
    EXPECT_EQ(ResourceMenuBuilder::FindCommand(tray.get(), 32784), nullptr);
    EXPECT_EQ(ResourceMenuBuilder::BuildPopup(resource, 1), nullptr);
}

TEST_F(ResourceTest, IconsAndBitmapsByNumber) {
    WmResources::Register();
    ResourceChain& chain = ResourceChain::Instance();
    EXPECT_TRUE(chain.LoadIconImage(8052, 16).isNull());  // no OEM library yet
    ResourceLibrary* oem = Load(BinDir() + "/oemres.so");
    ASSERT_NE(oem, nullptr);

    const unsigned trayIcons[] = {8052, 8053, 8054, 8055, 8056, 8057, 8058, 8060, 8061, 8062, 8063, 8064,
                                  8065, 8066, 8067, 8068, 8069, 8070, 8071, 8072, 8073};
    for (unsigned id : trayIcons) {
        for (int size : {16, 22, 32}) {
            QImage image = chain.LoadIconImage(id, size);
            EXPECT_EQ(image.size(), QSize(size, size)) << id << " at " << size;
        }
        QString tooltip;
        EXPECT_TRUE(chain.FindStringIn(oem, id, tooltip) && !tooltip.isEmpty()) << id;
    }
    // Sizes not drawn are scaled from the nearest larger one (else the largest).
    EXPECT_EQ(chain.LoadIconImage(8055, 24).size(), QSize(24, 24));
    EXPECT_EQ(chain.LoadIconImage(8055, 64).size(), QSize(64, 64));
    // Different signal levels are different pictures.
    EXPECT_NE(chain.LoadIconImage(8055, 16), chain.LoadIconImage(8058, 16));

    QIcon window = chain.LoadIcon(8050);
    EXPECT_FALSE(window.isNull());
    EXPECT_GE(window.availableSizes().size(), 3);
    EXPECT_EQ(chain.LoadIconPixmap(8050, 16).size(), QSize(16, 16));
    EXPECT_FALSE(chain.LoadBitmapImage(199).isNull());   // program's logo
    for (unsigned id = 167; id <= 178; ++id) EXPECT_FALSE(chain.LoadBitmapImage(id).isNull()) << id;  // band badges
    for (unsigned id : {151u, 153u, 154u, 155u, 157u, 158u, 161u, 162u, 165u, 1174u})
        EXPECT_EQ(chain.LoadIconImage(id, 16).size(), QSize(16, 16)) << id;
    EXPECT_FALSE(chain.LoadBitmapImage(8001).isNull());  // OEM bitmap
    EXPECT_TRUE(chain.LoadBitmap(200).isNull());
    EXPECT_TRUE(chain.LoadIcon(7).isNull());

    // An OEM library made current supplies its own window icon.
    ResourceLibrary* installer = Load(Fixture("testoem"));
    ASSERT_TRUE(chain.SetCurrent(installer));
    EXPECT_EQ(chain.LoadIcon(8050).availableSizes().size(), 1);
}

}  // namespace
