#include "framework/CommonDialogs.h"

#include "framework/SystemLibrary.h"

namespace {

const SystemLibrary& Comdlg32() {
    static const SystemLibrary library(L"comdlg32.dll");
    return library;
}

template <typename Function, typename Argument> bool Call(const char* name, Argument& argument) {
    if (auto* function = Comdlg32().Find<Function>(name)) {
        return function(&argument) != FALSE;
    }
    return false;
}

} // namespace

bool ShowOpenFileDialog(OPENFILENAMEW& dialog) {
    return Call<decltype(GetOpenFileNameW)>("GetOpenFileNameW", dialog);
}

bool ShowSaveFileDialog(OPENFILENAMEW& dialog) {
    return Call<decltype(GetSaveFileNameW)>("GetSaveFileNameW", dialog);
}

bool ShowFontDialog(CHOOSEFONTW& dialog) {
    return Call<decltype(ChooseFontW)>("ChooseFontW", dialog);
}
