// Whole-file reads and writes that report the system's reason, for the files the user names or opens:
// exported palettes and the HTML test page.
#pragma once

#include <windows.h>

#include <string>

// Writes a new file of a name no other file has, beside the file (beside its target when it is a
// symbolic link), flushes it and puts it in the file's place, keeping the old file's attributes and
// permissions: a failed write leaves an existing file as it was. Returns 0 or the system's error code.
DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes);
// Returns 0 or the system's error code; files over 1 GiB are refused with ERROR_FILE_TOO_LARGE.
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes);
#include "framework/UniqueHandle.h"

// The steps of WriteWholeFile, for a writer that writes in pieces. The file a symbolic link leads to
// (the name itself when it is no link or names nothing yet):
std::wstring FinalPath(const std::wstring& path);
// A new file beside `path`, under a name no file has, which `partial` receives.
UniqueFile CreateBeside(const std::wstring& path, std::wstring& partial);
// The flushed new file in place of `path`, keeping the attributes and security of the one it replaces.
DWORD PutInPlace(const std::wstring& partial, const std::wstring& path);
// Flushes the entries of the folder that holds `path` to the disk, as far as the file system allows:
// under Wine the folder is a Linux one, whose new names can otherwise be lost with the power.
void FlushFolderOf(const std::wstring& path);
