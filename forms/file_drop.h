#pragma once
// Files dragged from the shell onto a window: OLE drag and drop with the
// file-list clipboard format (CF_HDROP).

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class FileDropTarget {
public:
    using DropHandler = std::function<void(const std::vector<std::wstring>& files)>;

    // Registers the window as a drop target while the object lives. The
    // drag shows the copy effect over it when the data holds a file list
    // and the window is enabled; a drop hands the paths over in their order.
    FileDropTarget(HWND window, DropHandler onDrop);
    ~FileDropTarget();
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    // False when the window could not be registered.
    bool Registered() const { return registered_; }

private:
    class Target;
    // Drops the owner's reference; a drag in progress may hold others.
    struct Releaser {
        void operator()(Target* target) const;
    };

    HWND window_;
    std::unique_ptr<Target, Releaser> target_;
    bool oleInitialized_ = false;
    bool registered_ = false;
};
