// "View in Browser" in the real dialog: the page of the workspace as written to the working
// folder, and the message when it cannot be written.
#include "app/CHuewrightDlg.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr const wchar_t* kBrowserKey = L"Software\\Wine\\WineBrowser";

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class TestPageTest : public MainDialogFixture {
protected:
    TestPageTest() : MainDialogFixture(std::chrono::milliseconds(250)) {}
    void SetUp() override {
        // Wine hands the page to the first of these commands; here it is one that does nothing.
        const wchar_t kNoBrowser[] = L"true";
        RegSetKeyValueW(HKEY_CURRENT_USER, kBrowserKey, L"Browsers", REG_SZ, kNoBrowser, sizeof(kNoBrowser));
        MainDialogFixture::SetUp();
    }
    void TearDown() override {
        MainDialogFixture::TearDown();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kBrowserKey, L"Browsers");
    }
    void ViewInBrowser() {
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_VIEW_IN_BROWSER, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_VIEW_IN_BROWSER)));
    }
};

// The default palette in the default font, Georgia at 36 points, bold and italic.
TEST_F(TestPageTest, ThePageOfTheDefaultPaletteIsWrittenByteForByte) {
    ViewInBrowser();
    // The source folder is a Unix path, which Wine shows on drive Z:.
    auto expected =
        std::filesystem::path(L"Z:" HUEWRIGHT_SOURCE_DIR) / "tests/core/testpage/default-36-bold-italic.html";
    EXPECT_EQ(FileBytes(L"huewright.html"), FileBytes(expected));
}

TEST_F(TestPageTest, APageThatCannotBeWrittenIsSaid) {
    std::filesystem::create_directory(L"huewright.html");
    MessageBoxAnswerer answerer(IDOK);
    ViewInBrowser();
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].caption, L"Huewright");
    EXPECT_EQ(
        answerer.seen[0].text.rfind(L"The HTML test page \"huewright.html\" could not be written:\n", 0), 0u)
        << answerer.seen[0].text;
}

// The page of "Sea" holds the dark scheme while "Sea (dark)" follows it in the library, and only then:
// the variant's own page has none, and neither has Sea's once the variant is deleted.
TEST_F(TestPageTest, ThePageShowsTheDarkVariantThatFollowsThePalette) {
    SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, L"Sea");
    Click(IDC_SAVE_PALETTE);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_TOOLS_DARK_VARIANT, 0);
    const std::string kDarkScheme = "@media (prefers-color-scheme: dark)";
    ViewInBrowser();
    EXPECT_EQ(FileBytes(L"huewright.html").find(kDarkScheme), std::string::npos);
    Click(IDC_VIEW_PREVIOUS);
    ViewInBrowser();
    EXPECT_NE(FileBytes(L"huewright.html").find(kDarkScheme), std::string::npos);
    Click(IDC_VIEW_NEXT);
    {
        MessageBoxAnswerer answerer(IDYES);
        Click(IDC_DELETE_PALETTE);
    }
    ViewInBrowser();
    EXPECT_EQ(FileBytes(L"huewright.html").find(kDarkScheme), std::string::npos);
}

} // namespace
