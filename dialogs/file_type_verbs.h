#pragma once
// The file-type registrations under HKEY_CLASSES_ROOT, as the extension
// chooser lists them. Everything here only reads the registry.

#include <string>
#include <vector>

// Every registered extension, without its dot, in the registry's order.
std::vector<std::wstring> RegisteredExtensions();

struct VerbLine {
    std::wstring label;
    std::wstring program;
};

struct FileTypeVerbs {
    // The label of every verb, in the registry's order, also of verbs that
    // get no line because they run no program.
    std::vector<std::wstring> labels;
    // One line per verb with a program.
    std::vector<VerbLine> lines;
    // The line of the file type's default verb, or -1.
    int defaultLine = -1;
};

// The verbs of an extension as typed by the user (without its dot): those of
// the extension key's own "shell" key when it has one, otherwise those of the
// class its unnamed value names. Nothing for an unregistered extension.
FileTypeVerbs ReadFileTypeVerbs(const std::wstring& extension);
