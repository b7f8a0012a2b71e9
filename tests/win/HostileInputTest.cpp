// Hostile input through the real controls: seeded random texts in the search, name and color value
// edits of the main dialog and in the custom edit of the copy-format dialog, and random payloads
// dropped on every box. Nothing may crash or hang, and nothing may change beyond what the rules
// of each control allow.
#include "app/CHuewrightDlg.h"
#include "app/WorkspaceFlags.h"
#include "framework/OleDragSource.h"
#include "framework/OleSession.h"
#include "framework/WideText.h"
#include "library/CCopyColorFormat.h"
#include "library/Win32LibraryFile.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// How many inputs each control gets: 10,000 texts in all, and 10,000 drop payloads, each dropped
// on every box. Every copy-format run and every message box costs about two seconds under Wine
// when it waits for a window manager (the test prefix leaves windows unmanaged, a user's may not):
// the names are few, and each format run puts a batch of texts into the custom edit of which only
// the last one meets OK or Cancel.
// Lower these, and only these, if the suite comes near its ctest timeout.
constexpr int kSearchTexts = 4200;
constexpr int kNames = 120;
constexpr int kFormatRuns = 24;
constexpr int kTextsPerFormatRun = 12;
constexpr int kColorEntries = 10000 - kSearchTexts - kNames - kFormatRuns * kTextsPerFormatRun;
constexpr int kDropPayloads = 10000;
constexpr std::mt19937::result_type kSeed = 20260808;

constexpr size_t kNameLimit = 63;
constexpr size_t kCustomFormatLimit = 32;
constexpr const wchar_t* kPlaceholder = L"Enter new palette name here";
constexpr const wchar_t* kInvalidEntry = L"Invalid color entry. Use either \"00FF00\" or \"0,255,0\" format.";

// Seeded texts of the kinds that break parsers and edits: control characters, 64 KiB strings,
// lone surrogates, digits and commas only, long digit runs, near misses of valid texts, mixtures.
class HostileTexts {
public:
    explicit HostileTexts(std::mt19937& random) : random(random) {}

    int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

    // A hostile text; one in four is a near miss of one of `valid` when any are given.
    std::wstring Next(const std::vector<std::wstring>& valid = {}) {
        int kind = Below(100);
        if (kind < 25 && !valid.empty()) {
            return NearMiss(valid[static_cast<size_t>(Below(static_cast<int>(valid.size())))]);
        }
        if (kind < 27) {
            return Units(32 * 1024, L"0123456789,, ,#xXaFgT\x7F\xD800\xDFFF\x4E2D");
        }
        if (kind < 40) {
            return Controls(Below(40));
        }
        if (kind < 55) {
            return Surrogates(Below(30));
        }
        if (kind < 70) {
            return Units(static_cast<size_t>(Below(30)), L"0123456789,");
        }
        if (kind < 80) {
            return Units(12 + static_cast<size_t>(Below(Below(10) ? 60 : 5000)), L"0123456789");
        }
        std::wstring mixed;
        for (int i = Below(50); i > 0; --i) {
            mixed += Below(2) ? AnyLeftToRightUnit() : static_cast<wchar_t>(L' ' + Below(95));
        }
        return mixed;
    }

    std::wstring NearMiss(std::wstring text) {
        static constexpr std::wstring_view kNoise = L"0123456789,ABCDEFabcdefGg #xX\t-+T\xD800";
        for (int edits = Below(3); edits > 0; --edits) {
            size_t at = text.empty() ? 0 : static_cast<size_t>(Below(static_cast<int>(text.size())));
            wchar_t noise = kNoise[static_cast<size_t>(Below(static_cast<int>(kNoise.size())))];
            switch (Below(4)) {
            case 0:
                text.insert(at, 1, noise);
                break;
            case 1:
                text.erase(at, 1);
                break;
            case 2:
                if (at < text.size()) {
                    text[at] = noise;
                }
                break;
            default:
                std::ranges::transform(text, text.begin(),
                                       [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
            }
        }
        return text;
    }

    std::wstring Units(size_t length, std::wstring_view alphabet) {
        std::wstring text(length, L' ');
        for (wchar_t& c : text) {
            c = alphabet[static_cast<size_t>(Below(static_cast<int>(alphabet.size())))];
        }
        return text;
    }

private:
    // Wine 8's edit control faults in gdi32 laying out a right-to-left letter that follows a stray
    // combining mark (U+05B0 then U+05D0, U+FB1E then U+0644), so those scripts are left out.
    wchar_t AnyLeftToRightUnit() {
        for (;;) {
            auto unit = static_cast<wchar_t>(1 + Below(0xFFFF));
            if (!(unit >= 0x0590 && unit <= 0x08FF) && !(unit >= 0xFB1D && unit <= 0xFDFF) &&
                !(unit >= 0xFE70 && unit <= 0xFEFF)) {
                return unit;
            }
        }
    }
    std::wstring Controls(int length) {
        std::wstring text;
        for (int i = 0; i < length; ++i) {
            text += Below(4) ? static_cast<wchar_t>(1 + Below(31)) : Below(2) ? L'\x7F' : L'1';
        }
        return text;
    }
    // Lone halves, halves in the wrong order and a pair cut in the middle, among digits and commas.
    std::wstring Surrogates(int length) {
        std::wstring text;
        for (int i = 0; i < length; ++i) {
            int kind = Below(4);
            text += kind == 0   ? static_cast<wchar_t>(0xD800 + Below(0x400))
                    : kind == 1 ? static_cast<wchar_t>(0xDC00 + Below(0x400))
                    : kind == 2 ? L','
                                : static_cast<wchar_t>(L'0' + Below(10));
        }
        return text;
    }

    std::mt19937& random;
};

void SetText(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The typed color as the entry rules read it: nullopt for an empty text; an invalid entry names
// the selection to show; a valid one its color.
struct EntryRule {
    bool valid;
    Color color;
    DWORD selectionStart;
    DWORD selectionEnd;
};

std::optional<EntryRule> EntryRuleOf(const std::wstring& text) {
    const auto length = static_cast<DWORD>(text.size());
    if (text.empty()) {
        return std::nullopt;
    }
    auto digitsOnly = [](std::wstring_view piece) {
        return std::ranges::all_of(piece, [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    };
    if (text.find(L',') != std::wstring::npos) {
        std::wstring packed;
        std::ranges::copy_if(text, std::back_inserter(packed), [](wchar_t c) { return c != L' '; });
        if (packed.size() > 11) {
            return EntryRule{false, 0, 11, length};
        }
        std::vector<unsigned long long> values;
        for (size_t start = 0; start <= packed.size() && values.size() < 4;) {
            size_t comma = std::min(packed.find(L',', start), packed.size());
            std::wstring piece = packed.substr(start, comma - start);
            start = comma + 1;
            if (piece.empty()) {
                continue;
            }
            if (!digitsOnly(piece)) {
                return EntryRule{false, 0, 0, length};
            }
            values.push_back(std::stoull(piece));
        }
        if (values.size() < 3 || values[0] > 255 || values[1] > 255 || values[2] > 255) {
            return EntryRule{false, 0, 0, length};
        }
        return EntryRule{true, MakeColor(int(values[0]), int(values[1]), int(values[2])), 0, 0};
    }
    if (text.size() != 6) {
        return EntryRule{false, 0, std::min<DWORD>(6, length), length};
    }
    for (DWORD i = 0; i < 6; ++i) {
        const wchar_t c = text[i];
        if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'))) {
            return EntryRule{false, 0, i, i + 1};
        }
    }
    auto channel = [&](size_t at) { return static_cast<int>(std::stoul(text.substr(at, 2), nullptr, 16)); };
    return EntryRule{true, MakeColor(channel(0), channel(2), channel(4)), 0, 0};
}

// A dropped payload as the drop rules read it: UTF-16 up to the first zero unit or the end of the
// block, a leading T for the text color, then three comma-separated decimal numbers, each kept to
// its low 8 bits. Anything with fewer than three pieces colors nothing.
struct DropRule {
    Color color;
    bool toText;
};

int LowByteOf(std::u16string_view piece) {
    size_t i = 0;
    while (i < piece.size() && (piece[i] == u' ' || (piece[i] >= u'\t' && piece[i] <= u'\r'))) {
        ++i;
    }
    const bool negative = i < piece.size() && piece[i] == u'-';
    i += i < piece.size() && (piece[i] == u'-' || piece[i] == u'+');
    int value = 0;
    for (; i < piece.size() && piece[i] >= u'0' && piece[i] <= u'9'; ++i) {
        value = (value * 10 + (piece[i] - u'0')) % 256;
    }
    return negative ? (256 - value) % 256 : value;
}

std::optional<DropRule> DropRuleOf(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    const bool toText = !text.empty() && text[0] == u'T';
    std::u16string_view rest = std::u16string_view(text).substr(toText ? 1 : 0);
    std::vector<int> parts;
    for (size_t start = 0; parts.size() < 3;) {
        size_t comma = rest.find(u',', start);
        parts.push_back(LowByteOf(rest.substr(start, comma - start)));
        if (comma == std::u16string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (parts.size() < 3) {
        return std::nullopt;
    }
    return DropRule{MakeColor(parts[0], parts[1], parts[2]), toText};
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        ASSERT_TRUE(dialog->CreateModeless());
        PumpMessages(dialog.get(), std::chrono::milliseconds(150));
    }
    void TearDown() override {
        if (dialog) {
            DestroyWindow(dialog->Hwnd());
        }
        TakeQuitMessage();
        lastChangedBox = nullptr;
    }
    void Click(int id) { ClickButton(*dialog, id); }
    PaletteColors BoxColors() { return BoxColorsOf(*dialog); }
    std::wstring Counter(int index, size_t count) {
        return index < 0 ? L"new" : std::to_wstring(index + 1) + L" of " + std::to_wstring(count);
    }
    std::wstring StatusText() {
        SendMessageW(dialog->Hwnd(), WM_COMMAND, ID_COPY_STATUS_BAR, 0);
        return ClipboardText();
    }

    OleSession ole;
    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    std::unique_ptr<CHuewrightDlg> dialog = std::make_unique<CHuewrightDlg>();
    std::mt19937 random{kSeed};
    HostileTexts texts{random};
};

TEST_F(HostileInputTest, SearchTextsShowTheFirstMatchOrChangeNothing) {
    const std::vector<std::wstring> names = {L"Blue sky",
                                             L"BLACK",
                                             L"Navy blue",
                                             L"blue",
                                             L"Blue",
                                             L"0,255,0",
                                             L"12345678901234567890",
                                             L"\x03A9mega \xD83D\xDE00",
                                             L"tab\there",
                                             std::wstring(63, L'z')};
    std::vector<PaletteColors> stored;
    for (size_t i = 0; i < names.size(); ++i) {
        Click(IDC_NEW_PALETTE);
        for (int box = 0; box < 4; ++box) {
            dialog->Box(box).SetShading(0, 20, 0, 100, MakeColor(int(i) * 20, box * 50, 7));
        }
        SetText(dialog->Item(IDC_PALETTE_NAME), names[i]);
        Click(IDC_SAVE_PALETTE);
        stored.push_back(BoxColors());
    }
    ASSERT_EQ(dialog->ItemText(IDC_PALETTE_COUNTER), Counter(int(names.size()) - 1, names.size()));

    MessageBoxAnswerer noQuestions(IDNO);
    HWND search = dialog->Item(IDC_SEARCH);
    SetFocus(search);
    int shown = static_cast<int>(names.size()) - 1;
    int matched = 0;
    for (int i = 0; i < kSearchTexts; ++i) {
        SetText(search, texts.Next(names));
        const std::wstring typed = WindowText(search);
        std::vector<int> matches;
        for (size_t k = 0; k < names.size(); ++k) {
            auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - 32 : c; };
            if (!typed.empty() && names[k].size() >= typed.size() &&
                std::equal(typed.begin(), typed.end(), names[k].begin(),
                           [&](wchar_t a, wchar_t b) { return fold(a) == fold(b); })) {
                matches.push_back(static_cast<int>(k));
            }
        }
        if (!matches.empty()) {
            ++matched;
            shown = matches[0];
            // Down steps to the next match, through the dialog's own key handling.
            if (i % 2) {
                MSG down{search, WM_KEYDOWN, VK_DOWN, 0x01500001};
                dialog->PumpMessage(down);
                shown = matches[std::min<size_t>(1, matches.size() - 1)];
            }
        }
        ASSERT_EQ(dialog->ItemText(IDC_PALETTE_COUNTER), Counter(shown, names.size())) << "input " << i;
        ASSERT_EQ(dialog->ItemText(IDC_PALETTE_NAME), names[static_cast<size_t>(shown)]) << "input " << i;
        ASSERT_EQ(BoxColors(), stored[static_cast<size_t>(shown)]) << "input " << i;
        if (i % 64 == 0) {
            PumpMessages(dialog.get());
        }
    }
    EXPECT_TRUE(noQuestions.seen.empty());
    EXPECT_GT(matched, kSearchTexts / 10);
}

TEST_F(HostileInputTest, NamesAreStoredCutTo63OrRefusedAndTheFileReadsBackTheSame) {
    MessageBoxAnswerer answerer(IDOK);
    HWND nameEdit = dialog->Item(IDC_PALETTE_NAME);
    std::vector<std::wstring> stored;
    int shown = -1;
    int refusals = 0;
    for (int i = 0; i < kNames; ++i) {
        if (i % 3 == 0) {
            Click(IDC_NEW_PALETTE);
            shown = -1;
        }
        std::wstring text;
        switch (texts.Below(25)) {
        case 0:
            text = kPlaceholder;
            break;
        case 1:
            // An existing name, or one that only differs after its 63rd character.
            text = stored.empty() ? L"first" : stored[static_cast<size_t>(texts.Below(int(stored.size())))];
            if (text.size() == kNameLimit || texts.Below(2)) {
                text += L"\xD800 and more";
            }
            break;
        case 2:
            // Past the limit; at 62 units an emoji's pair would be cut in half, so it goes whole.
            text = std::wstring(kNameLimit - static_cast<size_t>(texts.Below(2)), L'n') + L"\U0001F600" +
                   texts.Units(static_cast<size_t>(texts.Below(100)), L"ab");
            break;
        default:
            text = texts.Next();
        }
        SetText(nameEdit, text);
        const std::wstring typed = WindowText(nameEdit);
        const std::u16string typedUnits = Utf16(typed);
        const std::wstring name = Wide(CutName(typedUnits));
        const size_t boxesBefore = answerer.seen.size();
        Click(IDC_SAVE_PALETTE);

        bool refused = false;
        if (typed != kPlaceholder && (shown < 0 || name != stored[static_cast<size_t>(shown)])) {
            refused = std::ranges::find(stored, name) != stored.end();
            if (!refused && shown < 0) {
                stored.push_back(name);
                shown = static_cast<int>(stored.size()) - 1;
            } else if (!refused) {
                stored[static_cast<size_t>(shown)] = name;
            }
        }
        refusals += refused;
        ASSERT_EQ(answerer.seen.size(), boxesBefore + (refused ? 1 : 0))
            << "input " << i << " " << testing::PrintToString(typed);
        if (refused) {
            EXPECT_EQ(answerer.seen.back().text, L"Palette already exists with the same name.");
            // Put back, so that moving on seldom asks: a message box may cost two seconds.
            SetText(nameEdit, shown < 0 ? kPlaceholder : stored[static_cast<size_t>(shown)]);
        }
        ASSERT_EQ(dialog->ItemText(IDC_PALETTE_COUNTER), Counter(shown, stored.size())) << "input " << i;
    }
    EXPECT_GT(refusals, 0);

    // The program's own loader finds every name it stored, cut to 63, and no name twice.
    dialog.reset();
    FileError error = 0;
    PaletteLibrary reread;
    Win32Backup backup(L"reread._backup");
    ASSERT_EQ(
        reread.OpenPaletteLibrary(Win32LibraryFile::Open(L"palettes.dat", error), nullptr, backup, 0, {}, {}),
        0u);
    ASSERT_EQ(error, 0u);
    ASSERT_EQ(reread.Count(), static_cast<int>(stored.size()));
    std::set<std::u16string> distinct;
    for (int i = 0; i < reread.Count(); ++i) {
        std::u16string name = RecordName(reread.Record(i));
        EXPECT_LE(name.size(), kNameLimit);
        EXPECT_EQ(name, std::u16string(stored[size_t(i)].begin(), stored[size_t(i)].end())) << "record " << i;
        EXPECT_TRUE(distinct.insert(name).second) << "record " << i << " repeats a name";
    }
}

TEST_F(HostileInputTest, ColorEntriesApplyOrKeepTheColorAndShowTheAlert) {
    const std::vector<std::wstring> valid = {L"00FF00",        L"0,255,0",   L" 1 , 2 , 3 ", L"0,,255,0",
                                             L"255,255,255,9", L"1,2,3,4,x", L"a0B1c2",      L"256,0,0"};
    // The red mode keeps a color exactly; the HSB modes may round it (the selector's SetColor).
    Click(IDC_MODE_RED);
    HWND field = dialog->Item(IDC_COLOR_VALUE);
    HWND elsewhere = dialog->Item(IDC_SEARCH);
    int applied = 0, alerts = 0;
    for (int i = 0; i < kColorEntries; ++i) {
        const Color before = dialog->Selector().CurrentColor();
        SetFocus(field);
        SetText(field, texts.Next(valid));
        const std::wstring typed = WindowText(field);
        if (i % 100 == 0) {
            PressKeys({VK_RETURN}, dialog.get());
        } else if (i % 2) {
            MSG enter{field, WM_KEYDOWN, VK_RETURN, 0x001C0001};
            dialog->PumpMessage(enter);
        } else {
            SetFocus(elsewhere);
        }
        const std::optional<EntryRule> rule = EntryRuleOf(typed);
        if (!rule) {
            // Enter moves on to the trackbar; leaving keeps the focus where it went.
            ASSERT_EQ(dialog->Selector().CurrentColor(), before) << "input " << i;
            ASSERT_EQ(GetFocus(), i % 100 == 0 || i % 2 ? dialog->Item(IDC_SHADE_DECREMENT) : elsewhere)
                << "input " << i;
        } else if (rule->valid) {
            ++applied;
            ASSERT_EQ(dialog->Selector().CurrentColor(), rule->color) << "input " << i;
        } else {
            ++alerts;
            ASSERT_EQ(dialog->Selector().CurrentColor(), before) << "input " << i;
            ASSERT_EQ(GetFocus(), field) << "input " << i;
            DWORD start = 0, end = 0;
            SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            ASSERT_EQ(start, rule->selectionStart) << "input " << i;
            ASSERT_EQ(end, rule->selectionEnd) << "input " << i;
            ASSERT_EQ(StatusText(), kInvalidEntry) << "input " << i;
        }
        if (i % 64 == 0) {
            PumpMessages(dialog.get());
        }
    }
    SetText(field, L"");
    EXPECT_GT(applied, kColorEntries / 20);
    EXPECT_GT(alerts, kColorEntries / 2);
}

// One payload as a data object offers it: the bytes in a movable block of exactly their size.
ComPtr<IDataObject> DataObjectOf(const std::string& bytes, CLIPFORMAT format) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(block.Get()), bytes.data(), bytes.size());
        GlobalUnlock(block.Get());
        EXPECT_EQ(GlobalSize(block.Get()), bytes.size());
    }
    return CreateGlobalDataObject(format, std::move(block));
}

std::string BytesOf(const std::wstring& text, bool terminated) {
    std::string bytes(reinterpret_cast<const char*>(text.c_str()),
                      (text.size() + terminated) * sizeof(wchar_t));
    return bytes;
}

TEST_F(HostileInputTest, DroppedPayloadsColorOneBoxOrNone) {
    auto numbers = [&](int count, int digits) {
        std::wstring text = texts.Below(4) ? L"" : L"T";
        for (int k = 0; k < count; ++k) {
            text += (k ? L"," : L"") + std::wstring(texts.Below(6) ? L"" : L" -") +
                    texts.Units(static_cast<size_t>(1 + texts.Below(digits)), L"0123456789");
        }
        return text;
    };
    int colored = 0;
    for (int i = 0; i < kDropPayloads; ++i) {
        std::string bytes;
        switch (texts.Below(8)) {
        case 0:
            break; // an empty block
        case 1:
        case 2:
            bytes.resize(static_cast<size_t>(texts.Below(50) ? texts.Below(300) : 64 * 1024));
            for (char& byte : bytes) {
                byte = static_cast<char>(texts.Below(256));
            }
            break;
        case 3:
            bytes = BytesOf(numbers(1 + texts.Below(4), 400), texts.Below(2)); // huge numbers
            break;
        case 4:
            bytes = BytesOf(texts.Units(static_cast<size_t>(texts.Below(2000)), L",,,,,1"), texts.Below(2));
            break;
        case 5:
            bytes = BytesOf(numbers(3, 4), texts.Below(2));
            break;
        default:
            bytes = BytesOf(texts.Next(), texts.Below(2));
        }
        if (!bytes.empty() && texts.Below(4) == 0) {
            bytes.pop_back(); // an odd size that cuts the last unit in half
        }
        const CLIPFORMAT format = texts.Below(50) ? CF_TEXT : CF_UNICODETEXT;
        const DWORD allowed = texts.Below(20) ? DROPEFFECT_COPY | DROPEFFECT_MOVE : DROPEFFECT_MOVE;
        std::optional<DropRule> rule = DropRuleOf(bytes);
        if (format != CF_TEXT || !(allowed & DROPEFFECT_COPY)) {
            rule.reset();
        }
        colored += rule.has_value();

        for (int box = 0; box < 4; ++box) {
            ComPtr<IDataObject> data = DataObjectOf(bytes, format);
            PaletteColors expected = BoxColors();
            if (rule) {
                (rule->toText ? expected.text : expected.box)[static_cast<size_t>(box)] = rule->color;
            }
            IDropTarget* target = dialog->Box(box).DropTarget();
            DWORD effect = allowed;
            ASSERT_EQ(target->DragEnter(data.get(), 0, POINTL{}, &effect), S_OK);
            ASSERT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
            effect = allowed;
            ASSERT_EQ(target->Drop(data.get(), 0, POINTL{}, &effect), S_OK) << "payload " << i;
            ASSERT_EQ(effect, static_cast<DWORD>(rule ? DROPEFFECT_COPY : DROPEFFECT_NONE))
                << "payload " << i;
            ASSERT_EQ(BoxColors(), expected) << "payload " << i << " on box " << box + 1;
        }
        if (i % 64 == 0) {
            PumpMessages(dialog.get());
        }
    }
    EXPECT_GT(colored, kDropPayloads / 10);
}

// The copy-format dialog driven from a timer of its own loop: each tick puts the next text into
// the custom edit, which changes nothing while the dialog is open; after the last one OK or Cancel
// is pressed, and after a refused OK, Cancel. Sample runs open on a predefined choice, click
// Custom first and press the buttons with real clicks.
class FuzzedFormatDialog : public CCopyColorFormat {
public:
    static constexpr const wchar_t* kStartFormat = L"#RRGGBB";

    FuzzedFormatDialog(int number, std::vector<std::wstring> texts, bool ok, bool realClicks)
        : CCopyColorFormat(number, kStartFormat), number(number), texts(std::move(texts)), ok(ok),
          realClicks(realClicks), customClicked(!realClicks) {}

    // The edit's text when OK or Cancel was pressed.
    std::wstring typed;

protected:
    bool OnInitDialog() override {
        SetTimer(Hwnd(), kStepTimer, 10, nullptr);
        return CCopyColorFormat::OnInitDialog();
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER || wParam != kStepTimer) {
            return CCopyColorFormat::OnMessage(message, wParam, lParam);
        }
        if (!IsWindowEnabled(Hwnd())) {
            return TRUE; // a message box is up
        }
        // A real click pumps messages; the timer must not start the next step meanwhile.
        KillTimer(Hwnd(), kStepTimer);
        if (!std::exchange(customClicked, true)) {
            Press(IDC_FORMAT_CUSTOM);
        } else if (next < texts.size()) {
            SetDlgItemTextW(Hwnd(), IDC_FORMAT_CUSTOM_TEXT, texts[next++].c_str());
            EXPECT_EQ(ColorFormat(), number);
            EXPECT_EQ(ColorFormatStr(), kStartFormat);
            if (next == texts.size()) {
                typed = ItemText(IDC_FORMAT_CUSTOM_TEXT);
                Press(ok ? IDOK : IDCANCEL);
            }
        } else if (!std::exchange(cancelled, true)) {
            Press(IDCANCEL);
        } else {
            ADD_FAILURE() << "the dialog stayed open";
            EndDialog(-2);
        }
        SetTimer(Hwnd(), kStepTimer, 10, nullptr);
        return TRUE;
    }

private:
    static constexpr UINT_PTR kStepTimer = 1;

    void Press(int id) {
        if (!realClicks) {
            PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
            return;
        }
        MovePointerTo(CentreOf(Item(id)));
        INPUT inputs[2]{{INPUT_MOUSE}, {INPUT_MOUSE}};
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
    }

    int number;
    std::vector<std::wstring> texts;
    size_t next = 0;
    bool ok;
    bool realClicks;
    bool customClicked;
    bool cancelled = false;
};

TEST(HostileInputFormatTest, CustomTemplatesAreTakenWholeOrRefusedOverTheLimit) {
    std::mt19937 random{kSeed};
    HostileTexts texts{random};
    const std::vector<std::wstring> valid = {L"#RRGGBB", L"rgb(RRR, GGG, BBB)", std::wstring(32, L'R')};
    MessageBoxAnswerer answerer(IDOK);
    int taken = 0;
    for (int run = 0; run < kFormatRuns; ++run) {
        std::vector<std::wstring> batch;
        for (int k = 0; k < kTextsPerFormatRun; ++k) {
            batch.push_back(texts.Next(valid));
        }
        const bool sample = run % 6 == 0;
        const int opening = sample ? (run / 6) % 4 : 4;
        const bool ok = texts.Below(4) != 0;
        FuzzedFormatDialog chooser(opening, std::move(batch), ok, sample);
        const size_t boxesBefore = answerer.seen.size();
        const INT_PTR result = chooser.DoModal();
        const bool accepted = ok && chooser.typed.size() <= kCustomFormatLimit;
        taken += accepted;
        ASSERT_EQ(result, accepted ? IDOK : IDCANCEL) << "run " << run;
        ASSERT_EQ(chooser.ColorFormat(), accepted ? 4 : opening) << "run " << run;
        ASSERT_EQ(chooser.ColorFormatStr(), accepted ? chooser.typed : FuzzedFormatDialog::kStartFormat)
            << "run " << run;
        ASSERT_EQ(answerer.seen.size(), boxesBefore + (ok && !accepted)) << "run " << run;
        if (ok && !accepted) {
            EXPECT_EQ(answerer.seen.back().text, L"Custom format string is too long.");
        }
    }
    EXPECT_GT(taken, kFormatRuns / 10);
}

} // namespace
