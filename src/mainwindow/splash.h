#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace pellino {

// The program's name drawn as its logo: white bold letters on the teal of the lists' selection.
// It is a picture, not a control one can use, so the keyboard passes it by.
class TLogo : public CustomControl {
public:
    explicit TLogo(Control* parent) : CustomControl(parent) { SetTabStop(false); }
    void Paint(Canvas& canvas) override;
};

// The About window: the logo, the version and two credit lines, and "OK". It stays on top and
// is shown modally, centred over the main window.
class TSplashform : public Form {
public:
    TSplashform();

    TLogo Logo{this};
    Label VersionLabel{this};
    Label PlatformLabel{this};
    Label CreditLabel{this};
    Panel Rule{this};
    Label SecondCreditLabel{this};
    Button OkButton{this};
};

}  // namespace pellino
