// The copy-color format dialog, run modally and driven from inside its own loop with real mouse and
// key input: the choice shown on opening, what OK and Cancel report, and the refusal of a custom
// template that is too long. Also the CF_TEXT block that the copies put on the clipboard.
#include "library/CCopyColorFormat.h"
#include "library/Clipboard.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class DrivenFormatDialog;
using Step = std::function<void(DrivenFormatDialog&)>;

constexpr UINT_PTR kStepTimer = 1;
constexpr int kIdleTicksAllowed = 40;
constexpr int kChoiceIds[] = {IDC_FORMAT_HTML, IDC_FORMAT_CPP, IDC_FORMAT_BASIC, IDC_FORMAT_RGB,
                              IDC_FORMAT_CUSTOM};

// The dialog with a script of steps, one per timer tick of its modal loop, so each step sees the
// input of the one before handled. No step runs while a message box disables the dialog; a dialog
// still open long after its last step is ended, so a failure cannot hang the test.
class DrivenFormatDialog : public CCopyColorFormat {
public:
    DrivenFormatDialog(int number, const std::wstring& format, std::vector<Step> steps)
        : CCopyColorFormat(number, format), steps(std::move(steps)) {}

protected:
    bool OnInitDialog() override {
        SetTimer(Hwnd(), kStepTimer, 60, nullptr);
        return CCopyColorFormat::OnInitDialog();
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) {
            return CCopyColorFormat::OnMessage(message, wParam, lParam);
        }
        if (!IsWindowEnabled(Hwnd())) {
            return TRUE;
        }
        if (next < steps.size()) {
            // A step may pump messages; the timer must not start the next one meanwhile.
            KillTimer(Hwnd(), kStepTimer);
            steps[next++](*this);
            SetTimer(Hwnd(), kStepTimer, 60, nullptr);
        } else if (++idleTicks > kIdleTicksAllowed) {
            ADD_FAILURE() << "the dialog stayed open after its last step";
            EndDialog(-2);
        }
        return TRUE;
    }

private:
    std::vector<Step> steps;
    size_t next = 0;
    int idleTicks = 0;
};

struct Outcome {
    INT_PTR result;
    int number;
    std::wstring format;
};

Outcome RunDialog(int number, const std::wstring& format, std::vector<Step> steps) {
    DrivenFormatDialog dialog(number, format, std::move(steps));
    INT_PTR result = dialog.DoModal();
    return {result, dialog.ColorFormat(), dialog.ColorFormatStr()};
}

// A real left click in the middle of the control.
Step Click(int id) {
    return [id](DrivenFormatDialog& dialog) {
        RECT rect{};
        GetWindowRect(dialog.Item(id), &rect);
        MovePointerTo(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        INPUT inputs[2]{{INPUT_MOUSE}, {INPUT_MOUSE}};
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
    };
}

Step EnterCustomText(const std::wstring& text) {
    return [text](DrivenFormatDialog& dialog) {
        SetDlgItemTextW(dialog.Hwnd(), IDC_FORMAT_CUSTOM_TEXT, text.c_str());
    };
}

// The one choice that is checked, or 0 when none is.
int CheckedChoice(const DrivenFormatDialog& dialog) {
    int checked = 0;
    for (int id : kChoiceIds) {
        if (dialog.IsChecked(id)) {
            EXPECT_EQ(checked, 0) << "both " << checked << " and " << id << " are checked";
            checked = id;
        }
    }
    return checked;
}

TEST(CopyColorFormatTest, OpensWithTheStoredChoiceAndTheCustomTextOnlyForCustomAndCancelKeepsAll) {
    struct Case {
        int number;
        const wchar_t* format;
        int checkedId;
        const wchar_t* editText;
    };
    const Case cases[] = {
        {0, L"#RRGGBB", IDC_FORMAT_HTML, L""},
        {2, L"&H00BBGGRR", IDC_FORMAT_BASIC, L""},
        {4, L"rgb(RRR, GGG, BBB)", IDC_FORMAT_CUSTOM, L"rgb(RRR, GGG, BBB)"},
        {7, L"RRR-GGG-BBB", 0, L""},
        {-1, L"#RRGGBB", 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "number " << c.number);
        auto check = [&](DrivenFormatDialog& dialog) {
            EXPECT_EQ(WindowText(dialog.Hwnd()), L"Set copy-color format");
            EXPECT_EQ(CheckedChoice(dialog), c.checkedId);
            HWND edit = dialog.Item(IDC_FORMAT_CUSTOM_TEXT);
            EXPECT_EQ(WindowText(edit), c.editText);
            EXPECT_TRUE(IsWindowEnabled(edit));
        };
        Outcome outcome = RunDialog(c.number, c.format, {check, Click(IDCANCEL)});
        EXPECT_EQ(outcome.result, IDCANCEL);
        EXPECT_EQ(outcome.number, c.number);
        EXPECT_EQ(outcome.format, c.format);
    }
}

TEST(CopyColorFormatTest, APredefinedChoiceGivesItsTemplate) {
    const wchar_t* const templates[] = {L"#RRGGBB", L"0x00BBGGRR", L"&H00BBGGRR", L"RRR,GGG,BBB"};
    for (int number = 0; number < 4; ++number) {
        SCOPED_TRACE(testing::Message() << "choice " << number);
        int id = kChoiceIds[number];
        auto check = [id](DrivenFormatDialog& dialog) { EXPECT_EQ(CheckedChoice(dialog), id); };
        Outcome outcome = RunDialog(4, L"custom RRGGBB", {Click(id), check, Click(IDOK)});
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.number, number);
        EXPECT_EQ(outcome.format, templates[number]);
    }
}

TEST(CopyColorFormatTest, ACustomTemplateOfUpTo32CharactersIsTakenWhole) {
    for (std::wstring text : {L"RR:GG:BB " + std::wstring(23, L'x'), std::wstring()}) {
        SCOPED_TRACE(testing::Message() << "length " << text.size());
        Outcome outcome =
            RunDialog(0, L"#RRGGBB", {Click(IDC_FORMAT_CUSTOM), EnterCustomText(text), Click(IDOK)});
        EXPECT_EQ(outcome.result, IDOK);
        EXPECT_EQ(outcome.number, 4);
        EXPECT_EQ(outcome.format, text);
    }
}

TEST(CopyColorFormatTest, ACustomTemplateOf33CharactersIsRefusedAndTheDialogStaysOpen) {
    const std::wstring tooLong = L"RRR,GGG,BBB " + std::wstring(21, L'y');
    MessageBoxAnswerer boxes(IDOK);
    auto check = [&](DrivenFormatDialog& dialog) {
        EXPECT_EQ(boxes.seen.size(), 1u);
        HWND edit = dialog.Item(IDC_FORMAT_CUSTOM_TEXT);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_EQ(WindowText(edit), tooLong);
        EXPECT_EQ(dialog.ColorFormat(), 1);
        EXPECT_EQ(dialog.ColorFormatStr(), L"0x00BBGGRR");
    };
    Outcome outcome =
        RunDialog(1, L"0x00BBGGRR",
                  {Click(IDC_FORMAT_CUSTOM), EnterCustomText(tooLong), Click(IDOK), check, Click(IDCANCEL)});
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.number, 1);
    EXPECT_EQ(outcome.format, L"0x00BBGGRR");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, L"Huewright");
    EXPECT_EQ(boxes.seen[0].text, L"Custom format string is too long.");
    EXPECT_TRUE(boxes.seen[0].hasOk && !boxes.seen[0].hasYes);
    EXPECT_FALSE(boxes.seen[0].showsIcon);
}

TEST(CopyColorFormatTest, EscapeChangesNothing) {
    auto escape = [](DrivenFormatDialog& dialog) { PressKeys({VK_ESCAPE}, &dialog); };
    Outcome outcome =
        RunDialog(2, L"&H00BBGGRR", {Click(IDC_FORMAT_CUSTOM), EnterCustomText(L"RRGGBB"), escape});
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.number, 2);
    EXPECT_EQ(outcome.format, L"&H00BBGGRR");
}

TEST(CopyColorFormatTest, OkWithNoChoiceGivesNumber5AndKeepsTheTemplate) {
    Outcome outcome = RunDialog(7, L"BB/GG/RR", {Click(IDOK)});
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.number, 5);
    EXPECT_EQ(outcome.format, L"BB/GG/RR");
}

// With UTF-8 as the ANSI code page a euro sign takes three bytes, more than two a code unit.
TEST(ClipboardTextTest, TheAnsiBlockHoldsTheWholeTerminatedTextInAnyCodePage) {
    const std::wstring euros(40, L'\u20AC');
    std::string utf8;
    for (int i = 0; i < 40; ++i) {
        utf8 += "\xE2\x82\xAC";
    }
    UniqueGlobal block = AnsiTextBlock(euros, CP_UTF8);
    ASSERT_TRUE(block);
    const size_t size = GlobalSize(block.Get());
    const auto* bytes = static_cast<const char*>(GlobalLock(block.Get()));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(bytes, strnlen(bytes, size)), utf8);
    EXPECT_LT(utf8.size(), size) << "no room for the terminator";
    GlobalUnlock(block.Get());
    // Never below two bytes a code unit and one, whatever the code page needs.
    EXPECT_GE(GlobalSize(AnsiTextBlock(L"ab", CP_UTF8).Get()), 5u);
}

} // namespace
