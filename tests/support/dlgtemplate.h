#pragma once
// In-memory dialog templates for driving the dialog procedures.

#include <windows.h>

#include <vector>

namespace corvix_test {

// A visible 100 x 50 dialog-unit dialog with a caption and no controls.
class DialogTemplate {
public:
    explicit DialogTemplate(const wchar_t* title);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

}  // namespace corvix_test
