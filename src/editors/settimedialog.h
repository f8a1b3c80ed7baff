#pragma once

#include <memory>
#include <vector>

#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "runtime/datetime.h"

namespace pellino {

// The time picker: a time of day in two clicks, one on an hour cell and one on a minute cell. The
// caption always shows the time that Ok returns; the chosen cells are yellow, the others silver.
class TSetTimeDialog : public Form {
public:
    TSetTimeDialog();

    // In: the time handed over before the dialog shows. Out: the chosen time, read after Ok.
    TDateTime PickedTime = 0;
    int Hour = 0;
    int Minute = 0;

    Panel HourPanel{this};
    Panel HourHeader{&HourPanel};
    Label HourCaption{&HourHeader};
    Label AmLabel{&HourPanel};
    Label PmLabel{&HourPanel};
    Panel MinutePanel{this};
    Panel MinuteHeader{&MinutePanel};
    Label MinuteCaption{&MinuteHeader};
    Panel ButtonBar{this};
    Button Okbutton{&ButtonBar};
    Button CancelButton{&ButtonBar};
    Button Helpbutton{&ButtonBar};
    // What each control is for, shown by "What's this?" and by F1.
    ContextHelp WhatsThis{*this};

    // The cells in caption order: hours tagged 0 to 23 (the morning "12" is 0), minutes 0 to 59.
    const std::vector<std::unique_ptr<Panel>>& HourCells() const { return hourCells_; }
    const std::vector<std::unique_ptr<Panel>>& MinuteCells() const { return minuteCells_; }

    void FormActivate();
    void HourClick(Panel& cell);
    void MinuteClick(Panel& cell);
    void ShowDateTime();
    void OkbuttonClick();
    void CancelButtonClick();
    void HelpbuttonClick();

private:
    void LayOut();

    // Declared after the panels, so the cells go before the panels that hold them.
    std::vector<std::unique_ptr<Panel>> hourCells_;
    std::vector<std::unique_ptr<Panel>> minuteCells_;
};

}  // namespace pellino
