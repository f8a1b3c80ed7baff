#include "mainwindow/splash.h"

#include "pellino_version.h"

namespace pellino {

namespace {

constexpr Color kLogoTeal = 0x808040;  // (64,128,128), the colour of a selected list row

void PlaceLabel(Label& label, const char* name, const char* text, int top) {
    label.SetName(name);
    label.SetText(text);
    label.SetBounds(199, top, 220, 16);
}

}  // namespace

void TLogo::Paint(Canvas& canvas) {
    const Rect all{0, 0, Width(), Height()};
    canvas.FillRect(all, kLogoTeal);
    canvas.SetFont(Font{"Arial", 27, true, colors::kWhite});
    canvas.TextRect(all, "Pellino!", Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0});
}

TSplashform::TSplashform() : Form("TSplashform") {
    SetName("Splashform");
    SetCaption("About Pellino!");
    SetBorder(FormBorder::Dialog);
    SetIcons(BorderIcons{false, false, false});
    SetStayOnTop(true);
    SetFont(Font{"Arial", 11, false, colors::kBlack});  // Arial 8 points
    SetClientSize(434, 236);

    Logo.SetName("Logo");
    Logo.SetBounds(15, 14, 161, 42);
    PlaceLabel(VersionLabel, "VersionLabel", "Version " PELLINO_VERSION, 22);
    PlaceLabel(PlatformLabel, "PlatformLabel", "32-bit version for Windows 95", 42);
    PlaceLabel(CreditLabel, "CreditLabel", "Made by the Pellino developers.", 62);
    Rule.SetName("Rule");
    Rule.SetBounds(199, 83, 203, 2);
    Rule.SetColor(colors::kGray);
    PlaceLabel(SecondCreditLabel, "SecondCreditLabel", "Reminders on time, every time.", 99);

    OkButton.SetName("OkButton");
    OkButton.SetText("OK");
    OkButton.SetBounds(318, 184, 89, 33);
    OkButton.SetModalResult(mr::kOk);
    // The only button: Enter and Escape both close the window.
    OkButton.SetDefault(true);
    OkButton.SetCancel(true);
}

}  // namespace pellino
