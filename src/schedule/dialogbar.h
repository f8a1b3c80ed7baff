#pragma once

#include "platform/controls.h"

namespace pellino {

// The bar across the bottom of the reminder dialogs: grey, its buttons with white captions and
// pictures.
void SetUpDialogBar(Panel& bar, const char* name, int clientWidth, int clientHeight, int height);
void SetUpBarButton(Button& button, const ButtonArgs& args);

// The help button of every reminder dialog, with the hint they share.
inline constexpr const char* kHelpHint = "Get Windows help for Pellino!";
inline constexpr const char* kCancelHint = "Cancel all changes made";

}  // namespace pellino
