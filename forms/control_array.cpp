#include "forms/control_array.h"

ControlArray::ControlArray(Form& form, const std::wstring& name, int first, int last,
                           const std::function<ControlDesign(int)>& design,
                           const std::function<Control*(int)>& container)
    : first_(first)
{
    for (int index = first; index <= last; ++index) {
        controls_.push_back(std::make_unique<Control>(
            form, name + L"(" + std::to_wstring(index) + L")", design(index),
            container ? container(index) : nullptr));
    }
}

int ControlArray::IndexOf(const Control& control) const
{
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].get() == &control)
            return first_ + static_cast<int>(i);
    }
    return -1;
}
