#pragma once
// Every function the program calls in the common controls, the common
// dialogs, OLE, the accessibility interface, the shell and the shell's light
// API: none of them is needed
// to show the pad, and each DLL costs start-up time and memory, so each is
// loaded at its first use (see deferred_library.h). Call them by their DLL's
// name: shell32::ShellExecuteExW(&info).

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "base/deferred_library.h"

// What a missing function answers, where "nothing done" is no answer of its type.
inline constexpr HRESULT kDeferredMissing = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

namespace comctl32 {
inline constinit DeferredLibrary library{L"comctl32.dll"};
inline constinit DeferredFunction<decltype(&::InitCommonControlsEx)> InitCommonControlsEx{
    library, "InitCommonControlsEx", FALSE};
}  // namespace comctl32

namespace comdlg32 {
inline constinit DeferredLibrary library{L"comdlg32.dll"};
inline constinit DeferredFunction<decltype(&::GetOpenFileNameW)> GetOpenFileNameW{
    library, "GetOpenFileNameW", FALSE};
inline constinit DeferredFunction<decltype(&::GetSaveFileNameW)> GetSaveFileNameW{
    library, "GetSaveFileNameW", FALSE};
}  // namespace comdlg32

namespace ole32 {
inline constinit DeferredLibrary library{L"ole32.dll"};
inline constinit DeferredFunction<decltype(&::CoCreateInstance)> CoCreateInstance{
    library, "CoCreateInstance", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::CoInitializeEx)> CoInitializeEx{
    library, "CoInitializeEx", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::CoTaskMemFree)> CoTaskMemFree{library,
                                                                            "CoTaskMemFree"};
inline constinit DeferredFunction<decltype(&::CoUninitialize)> CoUninitialize{library,
                                                                              "CoUninitialize"};
inline constinit DeferredFunction<decltype(&::OleInitialize)> OleInitialize{
    library, "OleInitialize", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::OleUninitialize)> OleUninitialize{library,
                                                                                "OleUninitialize"};
inline constinit DeferredFunction<decltype(&::RegisterDragDrop)> RegisterDragDrop{
    library, "RegisterDragDrop", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::ReleaseStgMedium)> ReleaseStgMedium{
    library, "ReleaseStgMedium"};
inline constinit DeferredFunction<decltype(&::RevokeDragDrop)> RevokeDragDrop{
    library, "RevokeDragDrop", kDeferredMissing};
}  // namespace ole32

// Asked for only when a screen reader or another assistive program asks a
// window about itself.
namespace oleacc {
inline constinit DeferredLibrary library{L"oleacc.dll"};
inline constinit DeferredFunction<decltype(&::CreateStdAccessibleObject)> CreateStdAccessibleObject{
    library, "CreateStdAccessibleObject", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::LresultFromObject)> LresultFromObject{
    library, "LresultFromObject", 0};
}  // namespace oleacc

namespace oleaut32 {
inline constinit DeferredLibrary library{L"oleaut32.dll"};
inline constinit DeferredFunction<decltype(&::SysAllocString)> SysAllocString{
    library, "SysAllocString", nullptr};
inline constinit DeferredFunction<decltype(&::SysFreeString)> SysFreeString{library,
                                                                            "SysFreeString"};
}  // namespace oleaut32

namespace shell32 {
inline constinit DeferredLibrary library{L"shell32.dll"};
inline constinit DeferredFunction<decltype(&::DragQueryFileW)> DragQueryFileW{library,
                                                                              "DragQueryFileW", 0};
inline constinit DeferredFunction<decltype(&::SHBrowseForFolderW)> SHBrowseForFolderW{
    library, "SHBrowseForFolderW", nullptr};
inline constinit DeferredFunction<decltype(&::SHGetFolderPathW)> SHGetFolderPathW{
    library, "SHGetFolderPathW", kDeferredMissing};
inline constinit DeferredFunction<decltype(&::SHGetPathFromIDListW)> SHGetPathFromIDListW{
    library, "SHGetPathFromIDListW", FALSE};
inline constinit DeferredFunction<decltype(&::ShellExecuteExW)> ShellExecuteExW{
    library, "ShellExecuteExW", FALSE};
}  // namespace shell32

namespace shlwapi {
inline constinit DeferredLibrary library{L"shlwapi.dll"};
// Missing, every path counts as relative: the caller then refuses it.
inline constinit DeferredFunction<decltype(&::PathIsRelativeW)> PathIsRelativeW{
    library, "PathIsRelativeW", TRUE};
inline constinit DeferredFunction<decltype(&::SHDeleteKeyW)> SHDeleteKeyW{
    library, "SHDeleteKeyW", ERROR_PROC_NOT_FOUND};
inline constinit DeferredFunction<decltype(&::StrCmpLogicalW)> StrCmpLogicalW{library,
                                                                              "StrCmpLogicalW", 0};
}  // namespace shlwapi
