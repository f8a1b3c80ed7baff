#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/form.h"

namespace pellino::testing {

// The control of a form that has the focus, by name; for a field also its text and whether the
// whole of it is selected, as after a refusal: "TimeEdit '9:00 AM' selected".
inline std::string FocusOf(Form& form) {
    Control* focused = form.ActiveControl();
    if (!focused) return "nothing";
    auto* field = dynamic_cast<TextField*>(focused);
    if (!field) return focused->Name();
    const bool whole =
        field->SelStart() == 0 && field->SelLength() == static_cast<int>(field->Text().size());
    return focused->Name() + " '" + field->Text() + "'" + (whole ? " selected" : " not selected");
}

}  // namespace pellino::testing
