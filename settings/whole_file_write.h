#pragma once
// Replacing a file's whole content so that no failure, and no end of the
// process or of the power, leaves it half written.

#include <windows.h>

#include <string>
#include <string_view>

// Writes bytes into a hidden temporary file of a name no user's file has,
// in the folder of path; flushes it to the disk; and moves it over path in
// one step. On any failure the file that was at path stays as it was, the
// temporary file is removed, and NumberedError is raised with the text
// failureText (which names a file as %1) filled in with the file really in
// the way (the folder when nothing can be made in it), followed by the
// system's reason (a full disk, a file in use, no access).
void WriteWholeFile(const std::wstring& path, std::string_view bytes, UINT failureText);
