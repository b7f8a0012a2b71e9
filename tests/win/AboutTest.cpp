// The About box, opened modeless from its template: the version read from this test program's own
// version block (the same as the program's), its texts and tooltips, and the links under real mouse
// input. Wine hands a clicked link to the commands named under its WineBrowser key: the browser is
// one that does nothing and the mail program one that writes down the address it was given.
#include "widgets/CHelp.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

using namespace std::chrono_literals;

constexpr const wchar_t* kBrowserKey = L"Software\\Wine\\WineBrowser";

void SetWineBrowserValue(const wchar_t* name, const std::wstring& command) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kBrowserKey, name, REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The build folder lies on drive Z:, which is the Unix root.
        std::wstring unixRecord = mailRecord.wstring().substr(2);
        std::replace(unixRecord.begin(), unixRecord.end(), L'\\', L'/');
        std::filesystem::remove(mailRecord);
        SetWineBrowserValue(L"Browsers", L"true");
        SetWineBrowserValue(L"Mailers", L"/bin/sh -c \"printf %s \\\"$1\\\" >" + unixRecord + L"\" sh");
        MovePointerTo(POINT{0, 0});
        ASSERT_TRUE(about.CreateModeless());
        PumpMessages(&about, 200ms);
    }
    void TearDown() override {
        for (const wchar_t* name : {L"Browsers", L"Mailers"}) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrowserKey, name);
        }
        std::filesystem::remove(mailRecord);
    }
    // The text color of the link as its static asks the dialog for it before painting.
    Color LinkColor(int id) {
        UniqueDc dc(CreateCompatibleDC(nullptr));
        LRESULT brush = SendMessageW(about.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                     reinterpret_cast<LPARAM>(about.Item(id)));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(GetBkMode(dc.Get()), TRANSPARENT);
        return GetTextColor(dc.Get());
    }
    POINT InsideLink(int id) {
        RECT rect{};
        GetWindowRect(about.Item(id), &rect);
        return POINT{rect.left + 4, (rect.top + rect.bottom) / 2};
    }

    std::filesystem::path mailRecord = ModuleFolder() + L"about-mail-record.txt";
    CHelp about;
};

// The tooltips are popups of the thread, each with the one tool over its link.
BOOL CALLBACK CollectToolTip(HWND hwnd, LPARAM found) {
    TOOLINFOW tool{sizeof(tool)};
    if (ClassName(hwnd) == TOOLTIPS_CLASSW &&
        SendMessageW(hwnd, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
        reinterpret_cast<std::map<HWND, HWND>*>(found)->emplace(tool.hwnd, hwnd);
    }
    return TRUE;
}

TEST_F(AboutTest, ShowsThisProgramsVersionTheAddressesAndOrangeToolTips) {
    EXPECT_EQ(WindowText(about.Hwnd()), L"About Huewright");
    EXPECT_EQ(about.ItemText(IDC_ABOUT_TEXT),
              L"Huewright V1.0 Build 0\nA palette designer for web pages.\n\n"
              L"For the latest version of Huewright,\nplease visit our web site.");
    EXPECT_NE(SendMessageW(about.Item(IDC_ABOUT_ICON), STM_GETICON, 0, 0), 0);
    std::map<HWND, HWND> toolTips;
    EnumThreadWindows(GetCurrentThreadId(), CollectToolTip, reinterpret_cast<LPARAM>(&toolTips));
    const std::pair<int, const wchar_t*> links[] = {
        {IDC_ABOUT_WEB_LINK, L"Surf to huewright.lumenfold.com to download latest Huewright"},
        {IDC_ABOUT_MAIL_LINK, L"Click to send email to Lumenfold"}};
    for (auto [id, tip] : links) {
        HWND link = about.Item(id);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_TRUE(font.lfUnderline);
        ASSERT_EQ(toolTips.count(link), 1u);
        HWND toolTip = toolTips[link];
        wchar_t text[128]{};
        TOOLINFOW tool{sizeof(tool), 0, link, 1001};
        tool.lpszText = text;
        SendMessageW(toolTip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, tip);
        EXPECT_EQ(SendMessageW(toolTip, TTM_GETTIPBKCOLOR, 0, 0), 0x40BCFF);
        EXPECT_EQ(SendMessageW(toolTip, TTM_GETTIPTEXTCOLOR, 0, 0), 0);
    }
    EXPECT_EQ(about.ItemText(IDC_ABOUT_WEB_LINK), L"huewright.lumenfold.com");
    EXPECT_EQ(about.ItemText(IDC_ABOUT_MAIL_LINK), L"support@lumenfold.com");
    EXPECT_EQ(toolTips.count(about.Item(IDOK)), 0u);
}

TEST_F(AboutTest, HoveringTurnsTheLinkRedWithTheHandAndLeavingTurnsItBlue) {
    HWND link = about.Item(IDC_ABOUT_WEB_LINK);
    EXPECT_EQ(LinkColor(IDC_ABOUT_WEB_LINK), 0xFF0000u);
    MovePointerTo(InsideLink(IDC_ABOUT_WEB_LINK));
    EXPECT_EQ(LinkColor(IDC_ABOUT_WEB_LINK), 0x0000FFu);
    EXPECT_EQ(GetCapture(), link);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    MovePointerTo(InsideLink(IDC_ABOUT_MAIL_LINK));
    EXPECT_EQ(LinkColor(IDC_ABOUT_WEB_LINK), 0xFF0000u);
    EXPECT_NE(GetCapture(), link);
}

// Wine passes the address on with its spaces percent-encoded.
TEST_F(AboutTest, ClickingTheSupportLinkStartsTheMailProgramAndTheLinkStaysVisited) {
    MouseGesture({InsideLink(IDC_ABOUT_MAIL_LINK)});
    EXPECT_EQ(LinkColor(IDC_ABOUT_MAIL_LINK), 0x8F2205u);
    ASSERT_TRUE(WaitFor(
        [&] {
            std::error_code missing;
            auto size = std::filesystem::file_size(mailRecord, missing);
            return !missing && size > 0;
        },
        15s));
    std::ifstream record(mailRecord);
    std::string url{std::istreambuf_iterator<char>(record), {}};
    EXPECT_EQ(url, "mailto:support@lumenfold.com?subject=Huewright&body="
                   "%0DHuewright%20version%201.0%20Build%200%0D%0DHi,%0d");
    MovePointerTo(InsideLink(IDC_ABOUT_WEB_LINK));
    EXPECT_EQ(LinkColor(IDC_ABOUT_MAIL_LINK), 0x8F2205u);
}

} // namespace
