#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace pellino {

// The main window: the toolbar with the clock panel at the top, the lists between, and the bar
// with "Minimize" and "E&xit" at the bottom.
class TMainForm : public Form {
public:
    TMainForm();
    ~TMainForm() override;

    Panel Panel1{this};
    Panel TimePanel{&Panel1};
    Panel Panel4{this};
    Button MinimizeButton{&Panel4};
    Button ExitButton{&Panel4};

    void FormResize();
    void MinimizeButtonClick();
    void ExitButtonClick();

private:
    void LayOut();
};

}  // namespace pellino
