#include <vector>

#include "ResourceTestSupport.h"
#include "platform/CheckedFormat.h"
#include "zelgui/services/WgHelper.h"

namespace {

struct FormatCase {
    const char* format;
    std::vector<FormatArg> args;
    bool fits;
    const char* expected;  // when it fits
};

TEST(CheckedFormat, FittingFormatsAreFilled) {
    const FormatCase cases[] = {
        {"%d Kbps", {500}, true, "500 Kbps"},
        {"%.1f Mbps", {5.5}, true, "5.5 Mbps"},
        {"%.3f GHz", {2.437}, true, "2.437 GHz"},
        {"%.0f mW (AP Setting)", {31.6}, true, "32 mW (AP Setting)"},
        {"%s\n%s\n%s", {"a", std::string("b"), QString("c")}, true, "a\nb\nc"},
        {"100 %%", {}, true, "100 %"},
        {"%u", {4294967295u}, true, "4294967295"},
        {"%x", {-1}, true, "ffffffff"},
        {"%lld", {-5LL}, true, "-5"},
        {"%I64u", {18446744073709551615ull}, true, "18446744073709551615"},
        {"%02X-%02X-%02X", {0xAB, 0x1, 255u}, true, "AB-01-FF"},
        {"[%5s|%-5s]", {"ab", "cd"}, true, "[   ab|cd   ]"},
        {"%.2s", {"abcdef"}, true, "ab"},
        {"%.2s|", {"a\U0001F600b"}, true, "a|"},  // a cut never splits a character
        {"%c%c", {65, 0x263A}, true, "A\u263A"},
        {"%08.3f", {3.14159}, true, "0003.142"},
        {"%+d %ld %i", {7, 8L, -9}, true, "+7 8 -9"},
        {"%ls / %S", {"wide", "also"}, true, "wide / also"},
        {"Größe: %s", {"äöü"}, true, "Größe: äöü"},
        {"no conversions", {}, true, "no conversions"},
    };
    for (const FormatCase& c : cases) {
        QString out = "before";
        ASSERT_TRUE(CheckedFormat::Format(QString::fromUtf8(c.format), c.args, out)) << c.format;
        EXPECT_EQ(out, QString::fromUtf8(c.expected)) << c.format;
    }
}

TEST(CheckedFormat, UnfittingFormatsAreRefused) {
    const FormatCase cases[] = {
        {"%s Mbps", {5.5}, false, ""},        // text for a floating value
        {"%d", {"x"}, false, ""},             // whole number for a text
        {"%f", {1}, false, ""},               // floating value for a whole number
        {"%s", {7u}, false, ""},
        {"%d", {}, false, ""},                // too few arguments
        {"%d Kbps %d", {500}, false, ""},
        {"%d", {1, 2}, false, ""},            // too many
        {"", {1}, false, ""},
        {"%n", {1}, false, ""},               // writes memory
        {"%d%n", {1}, false, ""},
        {"%p", {1}, false, ""},
        {"%*d", {5, 1}, false, ""},           // width from the arguments
        {"%.*f", {2, 1.0}, false, ""},
        {"%1$s", {"a"}, false, ""},           // positional
        {"50 %", {}, false, ""},              // lone percent at the end
        {"%k", {1}, false, ""},               // unknown conversion
        {"%99999d", {1}, false, ""},          // width beyond any use
        {"%.99999f", {1.0}, false, ""},
        {"%Ld", {1}, false, ""},              // length of another kind
        {"%hs", {"a"}, false, ""},
        {"%5%", {}, false, ""},
    };
    for (const FormatCase& c : cases) {
        EXPECT_FALSE(CheckedFormat::Fits(QString::fromUtf8(c.format), c.args)) << c.format;
        QString out = "before";
        EXPECT_FALSE(CheckedFormat::Format(QString::fromUtf8(c.format), c.args, out)) << c.format;
        EXPECT_EQ(out, "before") << c.format;
    }
}

TEST(CheckedFormat, InsertStyleTexts) {
    const FormatCase cases[] = {
        {"%1 dB", {"-55"}, true, "-55 dB"},
        {"%1!d! %%", {75}, true, "75 %"},
        {"%2 before %1", {"a", "b"}, true, "b before a"},
        {"%1!.1f!%n%1!.0f!", {2.25}, true, "2.2\n2"},
        {"%1%0 cut here", {"x"}, true, "x"},
        {"%1!5s!|%.%!", {"ab"}, true, "   ab|.!"},
        {"only %1", {"x", "unused"}, true, "only x"},
        {"%12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "twelve"}, true, "twelve"},
        {"%1!d! %%", {"75"}, false, ""},   // text for a whole number
        {"%1 dB", {-55}, false, ""},       // plain inserts are text
        {"%2 dB", {"x"}, false, ""},       // beyond the arguments
        {"%1!n!", {1}, false, ""},
        {"%1!d", {1}, false, ""},          // unclosed conversion
        {"%1!*d!", {1}, false, ""},
        {"%q", {}, false, ""},
        {"100 %", {}, false, ""},
    };
    for (const FormatCase& c : cases) {
        QString out = "before";
        EXPECT_EQ(CheckedFormat::FormatInserts(QString::fromUtf8(c.format), c.args, out), c.fits) << c.format;
        EXPECT_EQ(out, c.fits ? QString::fromUtf8(c.expected) : QString("before")) << c.format;
    }
}

TEST_F(ResourceTest, ReplacedFormatsFallBackToBuiltInTexts) {
    ResourceChain& chain = ResourceChain::Instance();
    WmResources::Register();
    ResourceLibrary* oem = Load(Fixture("testoem"));
    ASSERT_TRUE(chain.SetCurrent(oem));

    const struct {
        unsigned id;
        std::initializer_list<FormatArg> args;
        const char* expected;
    } cases[] = {
        {23, {5.5}, "5.5 Mbps"},                       // OEM text "%s Mbps" does not fit
        {25, {500}, "500 Kbps"},                       // OEM text has one conversion too many
        {38, {20.0}, "20 mW (AP Setting)"},            // OEM text asks for %n
        {39, {20.0}, "20 mW"},                         // OEM text takes its width from the arguments
        {5186, {2.437}, "2.44 GHz (OEM)"},             // OEM text fits and is used
        {2197, {"wlan0"}, "OEM disabled on wlan0"},    // the same for a program text
        {2199, {"wlan0"}, "The RF signals for the following network card(s) have been successfully enabled: \nwlan0"},
    };
    for (const auto& c : cases) {
        QString out;
        EXPECT_TRUE(chain.FormatString(c.id, c.args, out)) << c.id;
        EXPECT_EQ(out, QString::fromUtf8(c.expected)) << c.id;
    }

    // A caller whose arguments fit no text of that number, or an unknown number: empty and false.
    QString out = "before";
    EXPECT_FALSE(chain.FormatString(25, {"500"}, out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(chain.FormatString(65000, {}, out));
    EXPECT_TRUE(chain.FormatString(65000, {}).isEmpty());

    // Insert-style program texts are checked the same way.
    EXPECT_EQ(chain.FormatInserts(2191, {"-55"}), "-55 dB");
    EXPECT_EQ(chain.FormatInserts(2193, {75}), "75 %");  // OEM "%1 %%" would take text
    EXPECT_EQ(chain.FormatInserts(2193, {"75"}), "75 %");  // and does when given text
}

TEST_F(ResourceTest, TranslatedFormatsAreUsedWhenTheyFit) {
    ASSERT_NE(WgHelper::LoadLocaleDependentDll(1031, "zelgui", BinDir().c_str()), nullptr);
    ResourceChain& chain = ResourceChain::Instance();
    EXPECT_EQ(chain.FormatString(23, {5.5}), "5.5 Mbit/s");
    EXPECT_EQ(chain.FormatString(25, {500}), "500 Kbit/s");
    EXPECT_EQ(chain.FormatString(38, {20.0}), "20 mW (AP-Einstellung)");
    EXPECT_EQ(chain.LoadString(27), "Schwach");
    EXPECT_EQ(chain.LoadString(4100), "LEAP");  // not translated: the library's own text
}

}  // namespace
