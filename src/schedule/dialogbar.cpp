#include "schedule/dialogbar.h"

namespace pellino {

namespace {

constexpr Color kBarGrey = 0x808080;  // (128,128,128)

}  // namespace

void SetUpDialogBar(Panel& bar, const char* name, int clientWidth, int clientHeight, int height) {
    bar.SetName(name);
    bar.SetBounds(0, clientHeight - height, clientWidth, height);
    bar.SetAlign(Align::Bottom);
    bar.SetColor(kBarGrey);
}

void SetUpBarButton(Button& button, const ButtonArgs& args) {
    SetUpButton(button, args);
    button.SetFont(Font{"Arial", 11, true, colors::kWhite});
    button.SetColor(kBarGrey);
}

}  // namespace pellino
