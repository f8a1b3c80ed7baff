#include "editors/timetext.h"

#include "platform/dialogs.h"
#include "runtime/formats.h"
#include "runtime/strings.h"

namespace pellino {

std::string UserTimeText(TDateTime time) {
    const UserFormatsScope user;
    return FormatDateTime("t", time);
}

bool TryUserTime(const std::string& text, TDateTime& value) {
    const UserFormatsScope user;
    return TryStrToTime(UpperCase(text), value);
}

std::string InvalidTimeMessage(const std::string& prefix) {
    return prefix + "\r   Example: " + UserTimeText(Now());
}

bool CheckValidTime(Edit& field) {
    TDateTime value = 0;
    if (TryUserTime(field.Text(), value)) {
        field.SetText(UserTimeText(value));
        return true;
    }
    // The box is shown with the fixed set back in force: nothing that runs while it is open may
    // meet the user's set.
    const std::string message =
        InvalidTimeMessage("Invalid time. Please use your Windows Time format");
    ShowInformation(message);
    return false;
}

}  // namespace pellino
