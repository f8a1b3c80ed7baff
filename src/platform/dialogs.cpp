#include "platform/dialogs.h"

namespace pellino {

bool AskConfirmation(const std::string& text) {
    return ShowMessageBox(text, "Confirm", mb::kYesNo | mb::kIconQuestion) == idresult::kYes;
}

void ShowInformation(const std::string& text) {
    ShowMessageBox(text, "Information", mb::kOk | mb::kIconInformation);
}

}  // namespace pellino
