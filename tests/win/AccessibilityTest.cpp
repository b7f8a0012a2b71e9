// What a screen reader hears, read from another process through AccessibleObjectFromWindow as a
// reader reads it: every control the program draws itself, its role, name, value and state, and the
// events that tell readers of changes.
#include "app/AccessibleTexts.h"
#include "library/ColorFormat.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

struct Element {
    LONG role = -1;
    LONG state = -1;
    std::wstring name;
    std::wstring value;
    std::wstring action;
    RECT place{};
    std::vector<Element> parts;
};

std::wstring HexOf(HWND window) {
    wchar_t text[32];
    swprintf(text, std::size(text), L"%llx",
             static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::wstring ColorHex(Color color) {
    wchar_t text[8];
    swprintf(text, std::size(text), L"#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

Element ParseElement(const std::wstring& line) {
    std::wistringstream fields(line);
    Element element;
    std::wstring role, state, place;
    std::getline(fields, role, L'\t');
    std::getline(fields, state, L'\t');
    std::getline(fields, element.name, L'\t');
    std::getline(fields, element.value, L'\t');
    std::getline(fields, element.action, L'\t');
    std::getline(fields, place, L'\t');
    element.role = std::wcstol(role.c_str(), nullptr, 10);
    element.state = std::wcstol(state.c_str(), nullptr, 10);
    swscanf(place.c_str(), L"%ld,%ld,%ld,%ld", &element.place.left, &element.place.top, &element.place.right,
            &element.place.bottom);
    element.place.right += element.place.left;
    element.place.bottom += element.place.top;
    return element;
}

// The lines read_accessible wrote, one element per window given, its parts under it; "!" before a
// window does its default action instead, and gives no element.
std::vector<Element> ReadFromOutside(const std::vector<std::wstring>& windows,
                                     std::wstring* actions = nullptr) {
    TempWorkingDirectory folder;
    std::wstring arguments = L"read.txt";
    for (const std::wstring& window : windows) {
        arguments += L" " + window;
    }
    EXPECT_EQ(RunTestProgram(L"read_accessible.exe", arguments), 0);
    std::ifstream in(std::filesystem::path(folder.Path()) / L"read.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wistringstream lines(
        std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)));
    std::vector<Element> elements;
    for (std::wstring line; std::getline(lines, line);) {
        if (line == L"done" || line == L"refused") {
            if (actions) {
                *actions += line;
            }
        } else if (!line.empty() && line[0] == L'\t') {
            elements.back().parts.push_back(ParseElement(line.substr(1)));
        } else {
            elements.push_back(ParseElement(line));
        }
    }
    return elements;
}

std::vector<Element> ReadFromOutside(std::initializer_list<HWND> windows) {
    std::vector<std::wstring> hex;
    for (HWND window : windows) {
        hex.push_back(HexOf(window));
    }
    return ReadFromOutside(hex);
}

bool StartsWith(const std::wstring& text, const std::wstring& start) {
    return text.compare(0, start.size(), start) == 0;
}

class AccessibilityTest : public MainDialogFixture {};

struct Row {
    const char* what;
    HWND window;
    LONG role;
    std::wstring name;
    std::wstring valueStart; // the value starts with this
    LONG stateOn;            // these state bits are set
    LONG stateOff;           // these are not
};

TEST_F(AccessibilityTest, EveryDrawnControlTellsItsRoleNameValueAndState) {
    dialog.Selector().SetColor(MakeColor(0, 131, 208));
    CheckDlgButton(dialog.Hwnd(), IDC_AUTO_ALL, BST_UNCHECKED);
    SetFocus(dialog.Selector().Hwnd());
    PumpMessages(&dialog);
    const Color selected = dialog.Selector().CurrentColor();
    const PaletteColors boxes = BoxColors();
    const auto boxValue = [&](int box) {
        return L"background " + ColorHex(boxes.box[box]) + L", text " + ColorHex(boxes.text[box]) +
               L", contrast ";
    };
    constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
    const Row rows[] = {
        {"field", dialog.Selector().Hwnd(), ROLE_SYSTEM_SLIDER, L"Color field: hue across, brightness down",
         ColorHex(selected) + L", hue 202°, saturation 100 %, brightness 82 %, near ",
         kFocusable | STATE_SYSTEM_FOCUSED, 0},
        {"slider", dialog.Slider().Hwnd(), ROLE_SYSTEM_SLIDER, L"Saturation", L"100 %", kFocusable,
         STATE_SYSTEM_FOCUSED},
        {"selected well", dialog.Well(0).Hwnd(), ROLE_SYSTEM_PUSHBUTTON, L"Selected color",
         ColorHex(selected) + L", near ", kFocusable, 0},
        {"shade well", dialog.Well(1).Hwnd(), ROLE_SYSTEM_PUSHBUTTON, L"Shade 1",
         ColorHex(dialog.Well(1).GetColor()) + L", near ", 0, kFocusable},
        {"box 1", dialog.Box(0).Hwnd(), ROLE_SYSTEM_PUSHBUTTON, L"Box 1", boxValue(0), kFocusable, 0},
        {"box 4", dialog.Box(3).Hwnd(), ROLE_SYSTEM_PUSHBUTTON, L"Box 4", boxValue(3), kFocusable, 0},
        {"radio", dialog.Item(IDC_MODE_SATURATION), ROLE_SYSTEM_RADIOBUTTON, L"Saturation", L"",
         kFocusable | STATE_SYSTEM_CHECKED, 0},
        {"other radio", dialog.Item(IDC_MODE_HUE), ROLE_SYSTEM_RADIOBUTTON, L"Hue", L"", kFocusable,
         STATE_SYSTEM_CHECKED},
        {"check", dialog.Item(IDC_AUTO_ALL), ROLE_SYSTEM_CHECKBUTTON, L"Auto-assign colors to all boxes:",
         L"", kFocusable, STATE_SYSTEM_CHECKED},
        {"tool button", dialog.Item(IDC_EXIT), ROLE_SYSTEM_PUSHBUTTON, L"Exit", L"", kFocusable, 0},
        {"icon button", dialog.Item(IDC_DESKTOP_GRAB), ROLE_SYSTEM_PUSHBUTTON,
         L"Grab a color from the desktop", L"", kFocusable, 0},
        {"label", dialog.Item(IDC_SHADES_LABEL), ROLE_SYSTEM_STATICTEXT, L"Selected color and its shades :",
         L"", 0, kFocusable},
        {"status bar", dialog.Item(kStatusBarId), ROLE_SYSTEM_STATUSBAR, L"Status bar", StatusText(), 0, 0},
    };
    std::vector<std::wstring> hex;
    for (const Row& row : rows) {
        hex.push_back(HexOf(row.window));
    }
    const std::vector<Element> read = ReadFromOutside(hex);
    ASSERT_EQ(read.size(), std::size(rows));
    for (size_t i = 0; i < read.size(); ++i) {
        const Row& row = rows[i];
        const Element& element = read[i];
        SCOPED_TRACE(row.what);
        EXPECT_EQ(element.role, row.role);
        EXPECT_EQ(element.name, row.name);
        EXPECT_TRUE(StartsWith(element.value, row.valueStart))
            << std::string(element.value.begin(), element.value.end());
        EXPECT_EQ(element.state & row.stateOn, row.stateOn);
        EXPECT_EQ(element.state & row.stateOff, 0);
        RECT window{};
        GetWindowRect(row.window, &window);
        EXPECT_TRUE(EqualRect(&element.place, &window));
    }
    // The status bar's panes are its parts, the first the color text and the second the lock state.
    const Element& bar = read.back();
    ASSERT_EQ(bar.parts.size(), 2u);
    EXPECT_EQ(bar.parts[0].value, StatusText());
    EXPECT_EQ(bar.parts[1].name, L"Unlocked");
    // A box's value ends in the verdict on its contrast.
    EXPECT_NE(read[4].value.find(L" to 1, "), std::wstring::npos);
}

// What the reader hears follows the keys: Home takes the field to its top-left corner.
TEST_F(AccessibilityTest, TheFieldsValueFollowsAKeyPress) {
    HWND field = dialog.Selector().Hwnd();
    dialog.Selector().SetColor(MakeColor(0, 131, 208));
    SetFocus(field);
    PumpMessages(&dialog);
    const std::wstring before = ReadFromOutside({field}).at(0).value;
    PressKeys({VK_HOME}, &dialog);
    const Color moved = dialog.Selector().CurrentColor();
    const std::wstring after = ReadFromOutside({field}).at(0).value;
    EXPECT_NE(after, before);
    EXPECT_EQ(after, FieldAccessibleValue(ModeSaturation, moved));
}

// accDoDefaultAction clicks: a box copies its color, a check button changes and tells its dialog.
TEST_F(AccessibilityTest, TheDefaultActionClicksABoxOrAButton) {
    std::wstring actions;
    ReadFromOutside({L"!" + HexOf(dialog.Box(1).Hwnd()), L"!" + HexOf(dialog.Item(IDC_AUTO_FIRST))},
                    &actions);
    EXPECT_EQ(actions, L"donedone");
    EXPECT_EQ(ClipboardText(), FormatColor(dialog.Box(1).BoxColor(), dialog.Box(1).CopyFormat()));
    EXPECT_TRUE(dialog.ShadedButton(IDC_AUTO_FIRST).IsChecked());
    ReadFromOutside({L"!" + HexOf(dialog.Item(IDC_SHADES_LABEL))}, &actions);
    EXPECT_EQ(actions, L"donedonerefused");
}

// Events as a reader's hook receives them, counted per window.
std::vector<std::pair<DWORD, HWND>> heard;

void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) {
        heard.emplace_back(event, window);
    }
}

long CountHeard(DWORD event, HWND window) {
    return static_cast<long>(std::count(heard.begin(), heard.end(), std::make_pair(event, window)));
}

// Many changes between two frames are told once; a mode change renames the field and the slider, and
// a check tells its new state.
TEST_F(AccessibilityTest, ReadersHearOfValuesOncePerFrameOfNamesAndOfChecks) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Heard,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    heard.clear();
    HWND field = dialog.Selector().Hwnd();
    for (int step = 0; step < 5; ++step) {
        dialog.Selector().SetColor(MakeColor(10 * step, 100, 200));
    }
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    EXPECT_EQ(CountHeard(EVENT_OBJECT_VALUECHANGE, field), 1);

    heard.clear();
    SendMessageW(dialog.Item(IDC_MODE_HUE), BM_SETCHECK, BST_CHECKED, 0);
    Click(IDC_MODE_HUE);
    PumpMessages(&dialog, std::chrono::milliseconds(100));
    EXPECT_GE(CountHeard(EVENT_OBJECT_NAMECHANGE, field), 1);
    EXPECT_GE(CountHeard(EVENT_OBJECT_NAMECHANGE, dialog.Slider().Hwnd()), 1);
    EXPECT_EQ(CountHeard(EVENT_OBJECT_STATECHANGE, dialog.Item(IDC_MODE_HUE)), 1);
    EXPECT_EQ(CountHeard(EVENT_OBJECT_STATECHANGE, dialog.Item(IDC_MODE_SATURATION)), 1);
    UnhookWinEvent(hook);
}

} // namespace
