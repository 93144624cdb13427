#pragma once
// An indexed set of controls of one name: picTab(0) to picTab(3).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"

class ControlArray {
public:
    // Controls first..last, named "name(i)", declared in index order; the
    // design and the container may depend on the index.
    ControlArray(Form& form, const std::wstring& name, int first, int last,
                 const std::function<ControlDesign(int index)>& design,
                 const std::function<Control*(int index)>& container = nullptr);

    Control& operator()(int index) { return *controls_.at(static_cast<size_t>(index - first_)); }
    const Control& operator()(int index) const
    {
        return *controls_.at(static_cast<size_t>(index - first_));
    }
    int LBound() const { return first_; }
    int UBound() const { return first_ + static_cast<int>(controls_.size()) - 1; }
    // The index of a control of the array, or -1.
    int IndexOf(const Control& control) const;

private:
    int first_;
    std::vector<std::unique_ptr<Control>> controls_;
};
