// Whole-file reads and writes that report the system's reason, for the files the user names or opens:
// exported palettes and the HTML test page.
#pragma once

#include <windows.h>

#include <string>

// Writes beside the file first and then puts the new file in its place, so a failed write leaves an
// existing file as it was. Returns 0 or the system's error code.
DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes);
// Returns 0 or the system's error code; files over 1 GiB are refused with ERROR_FILE_TOO_LARGE.
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes);
