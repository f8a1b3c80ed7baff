#include "editors/settimedialog.h"

#include <string>

#include "editors/editorhelp.h"
#include "platform/application.h"
#include "platform/help.h"
#include "runtime/formats.h"
#include "schedule/dialogbar.h"

namespace pellino {

namespace {

constexpr int kHelpContext = 2987;
constexpr int kCellWidth = 24;
constexpr int kCellHeight = 19;
constexpr int kHeaderHeight = 20;
constexpr Color kHeaderGrey = 0x808080;
const Font kHeaderFont{"Arial", 11, true, colors::kWhite};

std::unique_ptr<Panel> MakeCell(Panel& parent, const std::string& caption, int tag, int left,
                                int top, const char* hint) {
    auto cell = std::make_unique<Panel>(&parent);
    cell->SetName(std::string("Cell").append(std::to_string(tag)));
    cell->SetText(caption);
    cell->SetTag(tag);
    cell->SetBounds(left, top, kCellWidth, kCellHeight);
    cell->SetRaised(true);
    cell->SetHint(hint);
    return cell;
}

void SetUpHeader(Panel& header, Label& caption, const char* text, int width) {
    header.SetBounds(0, 0, width, kHeaderHeight);
    header.SetColor(kHeaderGrey);
    caption.SetBounds(0, 3, width, kHeaderHeight - 4);
    caption.SetText(text);
    caption.SetFont(kHeaderFont);
}

// The cell whose tag is `chosen` yellow, every other one silver.
void Highlight(const std::vector<std::unique_ptr<Panel>>& cells, int chosen) {
    for (const auto& cell : cells) {
        cell->SetColor(cell->Tag() == chosen ? colors::kYellow : colors::kSilver);
    }
}

}  // namespace

TSetTimeDialog::TSetTimeDialog() : Form("TSetTimeDialog") {
    LayOut();
    ExplainControls(*this);
    OnActivate = [this] { FormActivate(); };
    Okbutton.OnClick = [this] { OkbuttonClick(); };
    CancelButton.OnClick = [this] { CancelButtonClick(); };
    Helpbutton.OnClick = [this] { HelpbuttonClick(); };
}

void TSetTimeDialog::LayOut() {
    SetName("SetTimeDialog");
    SetCaption("SetTimeDialog");
    SetBorder(FormBorder::Dialog);
    SetIcons(BorderIcons{false, false, false});
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetShowHints(true);
    SetClientSize(306, 334);

    HourPanel.SetName("HourPanel");
    HourPanel.SetBounds(8, 8, 290, 118);
    HourPanel.SetBorderStyle(BorderStyle::Single);
    SetUpHeader(HourHeader, HourCaption, "  Hour", 288);
    AmLabel.SetBounds(12, 37, 26, 16);
    AmLabel.SetText("AM");
    AmLabel.SetFont(Font{"Arial", 11, true, colors::kBlack});
    PmLabel.SetBounds(12, 83, 26, 16);
    PmLabel.SetText("PM");
    PmLabel.SetFont(Font{"Arial", 11, true, colors::kBlack});
    // Two rows of six for the morning, two for the afternoon; each half runs "12", "1" .. "11".
    for (int hour = 0; hour < 24; ++hour) {
        const int inHalf = hour % 12;
        // A little gap parts the afternoon rows from the morning ones.
        const int top = 26 + (hour / 6) * 22 + (hour >= 12 ? 2 : 0);
        const int left = 52 + (inHalf % 6) * 38;
        auto cell = MakeCell(HourPanel, std::to_string(inHalf == 0 ? 12 : inHalf), hour, left, top,
                             "Click to set the hours portion of the time");
        Panel& ref = *cell;
        cell->OnClick = [this, &ref] { HourClick(ref); };
        hourCells_.push_back(std::move(cell));
    }

    MinutePanel.SetName("MinutePanel");
    MinutePanel.SetBounds(8, 132, 290, 150);
    MinutePanel.SetBorderStyle(BorderStyle::Single);
    SetUpHeader(MinuteHeader, MinuteCaption, "  Minute", 288);
    for (int minute = 0; minute < 60; ++minute) {
        char caption[3] = {static_cast<char>('0' + minute / 10),
                           static_cast<char>('0' + minute % 10), '\0'};
        auto cell =
            MakeCell(MinutePanel, caption, minute, 10 + (minute % 10) * 27, 26 + (minute / 10) * 20,
                     "Click to set the minutes portion of the time");
        Panel& ref = *cell;
        cell->OnClick = [this, &ref] { MinuteClick(ref); };
        minuteCells_.push_back(std::move(cell));
    }

    SetUpDialogBar(ButtonBar, "ButtonBar", 306, 334, 46);
    SetUpBarButton(Okbutton,
                   {"Okbutton", "Ok", BoundsRect(8, 7, 81, 33), "Save this time", Glyph::Check});
    Okbutton.SetDefault(true);
    SetUpBarButton(CancelButton, {"CancelButton", "&Cancel", BoundsRect(97, 7, 81, 33), kCancelHint,
                                  Glyph::Cross});
    CancelButton.SetCancel(true);
    SetUpBarButton(Helpbutton,
                   {"Helpbutton", "&Help", BoundsRect(217, 7, 81, 33), kHelpHint, Glyph::Help});
}

void TSetTimeDialog::FormActivate() {
    // Taken again at every activation; ShowDateTime keeps PickedTime equal to Hour:Minute, so a
    // later activation changes nothing.
    Hour = std::stoi(FormatDateTime("hh", PickedTime));
    Minute = std::stoi(FormatDateTime("nn", PickedTime));
    ShowDateTime();
}

void TSetTimeDialog::HourClick(Panel& cell) {
    Hour = cell.Tag();
    ShowDateTime();
}

void TSetTimeDialog::MinuteClick(Panel& cell) {
    Minute = cell.Tag();
    ShowDateTime();
}

void TSetTimeDialog::ShowDateTime() {
    // Seconds of the time handed over are dropped here.
    PickedTime = (Hour * 3600 + Minute * 60) / 86400.0;
    SetCaption("Set Time As: " + FormatDateTime("hh:mm am/pm", PickedTime));
    Highlight(hourCells_, Hour);
    Highlight(minuteCells_, Minute);
}

void TSetTimeDialog::OkbuttonClick() {
    SetModalResult(mr::kOk);
}

void TSetTimeDialog::CancelButtonClick() {
    SetModalResult(mr::kCancel);
}

void TSetTimeDialog::HelpbuttonClick() {
    ShowHelpContext(Application::HelpFile(), kHelpContext);
}

}  // namespace pellino
