#include "mainwindow/mainform.h"

#include "platform/application.h"

namespace pellino {

namespace {

constexpr Color kBarGrey = 0x808080;  // (128,128,128)

}  // namespace

TMainForm::TMainForm() : Form("TMainForm") {
    LayOut();
    MinimizeButton.OnClick = [this] { MinimizeButtonClick(); };
    ExitButton.OnClick = [this] { ExitButtonClick(); };
    OnResize = [this] { FormResize(); };
}

TMainForm::~TMainForm() = default;

void TMainForm::LayOut() {
    SetName("MainForm");
    SetCaption("Pellino!");
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetClientSize(599, 362);

    Panel1.SetName("Panel1");
    Panel1.SetBounds(0, 0, 599, 41);
    Panel1.SetAlign(Align::Top);
    Panel1.SetBorderStyle(BorderStyle::Single);
    Panel1.SetColor(kBarGrey);

    TimePanel.SetName("TimePanel");
    TimePanel.SetBounds(519, 5, 72, 25);
    TimePanel.SetColor(kBarGrey);
    TimePanel.SetFont(Font{"Arial", 11, false, colors::kWhite});

    Panel4.SetName("Panel4");
    Panel4.SetBounds(0, 322, 599, 40);
    Panel4.SetAlign(Align::Bottom);
    Panel4.SetBorderStyle(BorderStyle::Single);
    Panel4.SetColor(kBarGrey);

    MinimizeButton.SetName("MinimizeButton");
    MinimizeButton.SetText("Minimize");
    MinimizeButton.SetBounds(8, 7, 75, 25);

    ExitButton.SetName("ExitButton");
    ExitButton.SetText("E&xit");
    ExitButton.SetBounds(515, 7, 75, 25);
}

void TMainForm::FormResize() {
    // The clock panel and the exit button keep to the right edge as the window is sized.
    TimePanel.SetBounds(Panel1.Width() - 80, 5, 72, 25);
    ExitButton.SetBounds(Panel4.Width() - 84, 7, 75, 25);
}

void TMainForm::MinimizeButtonClick() { Application::Minimize(); }

void TMainForm::ExitButtonClick() { Close(); }

}  // namespace pellino
