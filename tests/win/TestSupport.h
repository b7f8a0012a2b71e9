// Helpers shared by the Windows-side tests: pumping the queue, real mouse and Ctrl input, OLE, a
// throwaway working folder and a throwaway settings key.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class Dialog;

// Dispatches every queued message (through the dialog's own pre-translation when one is given)
// and keeps doing so for at least the given time, so timers and posted messages get their turn.
void PumpMessages(Dialog* dialog = nullptr,
                  std::chrono::milliseconds duration = std::chrono::milliseconds(0));

// Removes a WM_QUIT left in the queue by a close path; true if there was one.
bool TakeQuitMessage();

// Pumps until the condition holds or the timeout passes; returns the condition's last value.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Driving a dialog from timer ticks inside its own modal loop, once: a tick while it is driven does
// nothing, and a dialog still open after the drive is ended, so a failure cannot hang the test.
enum class ModalDrive { Waiting, Driving, Driven };
void DriveModalOnce(Dialog* dialog, ModalDrive& stage, const std::function<void(Dialog&)>& drive);

// A button's click as its dialog hears it from the button.
void ClickButton(Dialog& dialog, int id);

// Runs a program of the test folder with the arguments, pumping this thread's messages until it ends
// (it may be asking this thread's windows); its exit code, or -1 when it did not start or end in time.
int RunTestProgram(const std::wstring& name, const std::wstring& arguments,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20));

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The folder of the running test program, with a trailing backslash.
std::wstring ModuleFolder();

// Real mouse input: the button goes down at the first point, the pointer moves through the others
// in small steps with short pauses, and the button comes up at the last. The input is sent from a
// thread of its own while this one pumps messages, so a control that runs a modal loop (an OLE
// drag) inside its button-down handler still gets the rest of the gesture. With a dialog, the
// messages go through its loop.
void MouseGesture(const std::vector<POINT>& path, bool rightButton = false, Dialog* dialog = nullptr);
// Moves the pointer and handles the moves; with a dialog, through its loop.
void MovePointerTo(POINT screen, Dialog* dialog = nullptr);
// The middle of a window on the screen.
POINT CentreOf(HWND hwnd);

// Real key input: the keys go down in order and come up in reverse, then the dialog's loop (or
// the plain one) handles them. The keyboard focus decides which window gets them.
void PressKeys(std::initializer_list<WORD> keys, Dialog* dialog = nullptr);
// The clipboard's CF_TEXT and CF_UNICODETEXT, or empty texts when there is none.
std::string ClipboardAnsiText();
std::wstring ClipboardText();

// Presses or releases Ctrl at the X level (xdotool, through XTest), where GetAsyncKeyState sees it;
// a Ctrl sent with SendInput it does not see under Wine. X hands the key to the window under the
// pointer, so the pointer must be over one of the test's windows; the key message then reaches the
// focused window as a real press would. Returns false when the key state did not arrive. Releasing
// a Ctrl this process does not hold does nothing.
bool HoldCtrlAtXLevel(bool down);

// A visible dialog of this thread that is none of ours (a message box, a file dialog), or null.
HWND FindSystemDialog();

// What a message box of this thread showed, read from inside its own modal loop.
struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    bool hasYes = false;
    bool hasNo = false;
    bool hasOk = false;
    bool showsIcon = false;
};

// While it lives, every message box this thread shows is read and answered with `answer`; the
// newest answerer takes them.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(WPARAM answer);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<SeenMessageBox> seen;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    WPARAM answer;
    UINT_PTR timer;
    MessageBoxAnswerer* previous;
};

// While it lives, this thread's file dialogs are answered with `path` and its message boxes with OK,
// their texts kept in `messages`.
class FileDialogAnswerer {
public:
    // A file type (the filter's index from 1) other than 0 is chosen before the name is typed.
    explicit FileDialogAnswerer(std::wstring path, int fileType = 0);
    ~FileDialogAnswerer();
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    std::vector<std::wstring> messages;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static inline FileDialogAnswerer* active = nullptr;
    UINT_PTR timer;
    std::wstring path;
    int fileType;
};

// Creates a fresh folder under %TEMP%, makes it the working folder and removes it again.
class TempWorkingDirectory {
public:
    TempWorkingDirectory();
    ~TempWorkingDirectory();
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;

    const std::wstring& Path() const { return path; }

private:
    std::wstring previous;
    std::wstring path;
};

// Points the profile at a company key of its own and deletes that key before and after.
class ScratchSettingsKey {
public:
    explicit ScratchSettingsKey(const std::wstring& company = L"Lumenfold");
    ~ScratchSettingsKey();
    ScratchSettingsKey(const ScratchSettingsKey&) = delete;
    ScratchSettingsKey& operator=(const ScratchSettingsKey&) = delete;

private:
    std::wstring companyKey;
};
