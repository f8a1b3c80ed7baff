#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace pellino {

class Control;
class Form;

enum class ControlKind : std::uint8_t {
    Form,
    Panel,
    Label,
    Button,
    Custom,
    Edit,
    CheckBox,
    RadioButton,
    SpinEdit,
    TabSet,
    Notebook,
    NotebookPage,
};

enum class Align : std::uint8_t { None, Top, Bottom, Left, Right, Client };

// Key codes with the platform's virtual-key values.
namespace keys {
inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;
inline constexpr int kNext = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int kF1 = 0x70;
}  // namespace keys

struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool left = false;
    bool right = false;
    bool middle = false;
    bool doubleClick = false;
    bool Empty() const {
        return !shift && !ctrl && !alt && !left && !right && !middle && !doubleClick;
    }
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// What the user did with a scroll bar (or the mouse wheel, as lines).
enum class ScrollAction : std::uint8_t { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The mouse pointer a custom control asks for at a point.
enum class Cursor : std::uint8_t { Default, SizeWE };

// What a backend does for a control. Every operation has a neutral default, so a backend overrides
// only what its native control needs; the headless backend needs none of them.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void SetBounds(const Rect&) {}
    virtual void SetText(const std::string&) {}
    virtual void SetVisible(bool) {}
    virtual void SetEnabled(bool) {}
    virtual void SetFont(const Font&) {}
    virtual void SetColor(Color) {}
    virtual void SetHint(const std::string&) {}
    virtual void Invalidate() {}
    virtual void SetFocus() {}
    virtual bool Focused() const { return false; }
    virtual void SetTabStop(bool) {}
    // Family operations; each family's controls call only their own.
    virtual void SetChecked(bool) {}
    virtual void SetDefault(bool) {}
    virtual void SetScrollRange(bool /*vertical*/, int /*max*/, int /*page*/, int /*pos*/) {}
    virtual void SetMaxLength(int /*length*/) {}
    // The selection of a text field, in characters; false when the native field cannot say.
    virtual void SetSelection(int /*start*/, int /*length*/) {}
    virtual bool GetSelection(int& /*start*/, int& /*length*/) const { return false; }
};

// How the platform reports a press of a button: a plain click, or the second click of a quick pair,
// which it reports as a double click for the buttons the program draws and for radio buttons.
enum class ButtonPress : std::uint8_t { Click, DoubleClick };

// Made by the linked backend for each control when its form's window comes to exist. The headless
// backend makes none.
std::unique_ptr<ControlPeer> CreateControlPeer(Control& control);

// A control of a form. State lives here; the backend mirrors it into the native control, and
// reports native events by first updating this state and then calling the portable handler.
class Control {
public:
    Control(Control* parent, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    Form* OwnerForm();

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Bounds within the parent's client area.
    const Rect& Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    void SetBounds(int left, int top, int width, int height) {
        SetBounds(BoundsRect(left, top, width, height));
    }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    void SetWidth(int width) { SetBounds(bounds_.left, bounds_.top, width, Height()); }
    void SetHeight(int height) { SetBounds(bounds_.left, bounds_.top, Width(), height); }
    // The area children are placed in, relative to the control.
    virtual Rect ClientRect() const { return Rect{0, 0, Width(), Height()}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    Align GetAlign() const { return align_; }
    void SetAlign(Align align);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible itself and every parent up to the form.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // A control uses its parent's font until it is given one of its own.
    const Font& GetFont() const;
    void SetFont(const Font& font);
    bool ParentFont() const { return !ownFont_; }

    Color GetColor() const { return color_; }
    void SetColor(Color color);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);

    void SetFocus();
    bool Focused() const;
    // Asks for the control to be drawn again. A control that batches changes may hold the
    // request until the batch ends.
    virtual void Invalidate();
    // Painted by the program (panels and custom controls) rather than by the platform.
    bool DrawsItself() const;

    // A press of the control by the user (or by a test acting as one): the same path as a native
    // click, through the error dispatch.
    void Click();
    std::function<void()> OnClick;
    // Backend use: the native button reported a press. The second click of a double click is a
    // press like the first: a user who clicks twice quickly means two presses.
    void PressedByPlatform(ButtonPress press);

    // Lays out the children aligned to the edges, in creation order, as the designed form does.
    void Realign();

    ControlPeer* Peer() const { return peer_.get(); }
    // Backend use: make and drop the native controls of this control and its children.
    void CreatePeers();
    void DestroyPeers();
    // Backend use: the native control was resized by the system (bounds in design pixels).
    void BoundsChangedByPlatform(const Rect& bounds);
    // Backend use: the user changed the native control's text; nothing is echoed back to it.
    void TextChangedByPlatform(const std::string& text) { text_ = text; }

protected:
    virtual void DoClick();
    // Runs after the program changed the text.
    virtual void TextSetByProgram() {}
    // Runs after the bounds changed, whoever changed them.
    virtual void BoundsChanged() {}
    virtual void FontChanged();
    // Called after a peer is made, to replay this control's state into it.
    virtual void ApplyStateToPeer();

private:
    void AddChild(Control* child);
    void RemoveChild(Control* child);

    ControlKind kind_;
    Control* parent_;                 // not owned; the form holds its controls as members
    std::vector<Control*> children_;  // not owned
    std::unique_ptr<ControlPeer> peer_;
    std::string name_;
    Rect bounds_;
    Align align_ = Align::None;
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    bool ownFont_ = false;
    Font font_;
    Color color_ = colors::kBtnFace;
    std::string hint_;
    int tag_ = 0;
    bool tabStop_ = false;
};

enum class BorderStyle : std::uint8_t { None, Single };

class Panel : public Control {
public:
    explicit Panel(Control* parent) : Control(parent, ControlKind::Panel) {}

    BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle style);
    // A raised or lowered bevel; panels used as clickable cells are raised.
    bool Raised() const { return raised_; }
    void SetRaised(bool raised);

    Rect ClientRect() const override;

private:
    BorderStyle borderStyle_ = BorderStyle::None;
    bool raised_ = false;
};

class Label : public Control {
public:
    explicit Label(Control* parent) : Control(parent, ControlKind::Label) {}

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    // The control that the label's accelerator ("&Message": Alt+M) gives the focus to; not owned.
    // On the platform the dialog keys move the focus to the control created right after the
    // label, so a form creates the two in that order.
    Control* FocusControl() const { return focusControl_; }
    void SetFocusControl(Control* control) { focusControl_ = control; }
    bool Centered() const { return centered_; }
    void SetCentered(bool centered) { centered_ = centered; }
    // Whether the caption's '&' marks an accelerator, as in the program's own labels; a label
    // that shows a text of the user's shows it as typed, and has no accelerator.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show) { showAccelChar_ = show; }

private:
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = true;
    bool centered_ = false;
    Control* focusControl_ = nullptr;  // not owned
};

// The small pictures that buttons can carry beside their captions. They are drawn from lines and
// rectangles in design pixels, so they stay sharp at every screen resolution.
enum class Glyph : std::uint8_t {
    None,
    Clock,
    Check,
    Cross,
    Help,
    Folder,
    Speaker,
    Options,
    NewItem,
    Pencil,
    Bin,
    Copies,
    Minimize,
    Door,
    // The small arrow of a button that drops a menu down, drawn at its right end.
    DropDownArrow,
};

// Where a button's picture stands: left of a caption centred in the rest of the button, or
// against one edge with the caption beside it (the bars of the main window).
enum class GlyphLayout : std::uint8_t { Left, LeftCaptionLeft, RightCaptionRight };

// Paints a glyph centred in `box`, in `color` (the button's caption colour). The glyph of a
// disabled button is all grey, as its caption is, but for its white paper.
void PaintGlyph(Canvas& canvas, Glyph glyph, const Rect& box, Color color, bool enabled = true);

class Button : public Control {
public:
    explicit Button(Control* parent);

    // Pressing the button sets this as its form's modal result (0: none).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Enter presses the default button, Escape the cancel button.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    // Whether the button wears the default frame, the dark outline of the button that Enter
    // presses: the focused button does, and while no button has the focus, the default one. Its
    // form moves the frame as the focus moves.
    bool DefaultFrame() const { return defaultFrame_; }
    void SetDefaultFrame(bool framed);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool isCancel) { cancel_ = isCancel; }
    // A picture left of the caption (or alone, without a caption).
    Glyph GetGlyph() const { return glyph_; }
    void SetGlyph(Glyph glyph);
    GlyphLayout GetGlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(GlyphLayout layout) { glyphLayout_ = layout; }
    // A flat button has no raised frame, only a thin outline.
    bool Flat() const { return flat_; }
    void SetFlat(bool flat) { flat_ = flat; }
    // A caption in a colour of its own ("Delete" in red), a picture, the flat look or the arrow
    // of a drop-down: the platform's push button shows none of them, so the program draws such a
    // button itself.
    bool DrawnByProgram() const;
    // A button that drops a menu down shows a small arrow at its right end, so the user knows
    // that a press brings choices rather than an action.
    bool DropDown() const { return dropDown_; }
    void SetDropDown(bool dropDown);

protected:
    void DoClick() override;

private:
    int modalResult_ = 0;
    bool default_ = false;
    bool defaultFrame_ = false;
    bool cancel_ = false;
    bool flat_ = false;
    bool dropDown_ = false;
    Glyph glyph_ = Glyph::None;
    GlyphLayout glyphLayout_ = GlyphLayout::Left;
};

// What a form sets on each of its controls, and on a button its picture too.
struct ControlArgs {
    const char* name = "";
    const char* caption = "";
    Rect bounds;
    const char* hint = "";
};
void SetUpControl(Control& control, const ControlArgs& args);
struct ButtonArgs {
    const char* name = "";
    const char* caption = "";
    Rect bounds;
    const char* hint = "";
    Glyph glyph = Glyph::None;
};
void SetUpButton(Button& button, const ButtonArgs& args);

// What the one-line fields share: the text the user edits and the part of it that is selected.
// Text set by the program puts the caret at the start, as the platform does.
class TextField : public Control {
public:
    // The selection in characters; an empty one is the caret. The platform's field keeps it while
    // the user works, so it is read from there when the field has a window.
    int SelStart() const;
    int SelLength() const;
    // Selects the whole text, so that what the user types next replaces it.
    void SelectAll();

    // Backend use: the Tab key or an accelerator brought the focus to the field. As in the
    // platform's dialogs, the whole text is selected then, so that a value typed next replaces
    // the old one; a click with the mouse places the caret instead and does not come here.
    void FocusedByKeyboard();

protected:
    TextField(Control* parent, ControlKind kind);
    void TextSetByProgram() override;
    void ApplyStateToPeer() override;
    // The user's keys (or a paste) at the caret: they replace the selection, as far as `limit`
    // characters allow (0: no limit), and the caret follows them.
    void ReplaceSelectionByUser(const std::string& chars, int limit);
    // Runs after the user changed the text.
    virtual void TextChangedByUser() {}
    // Whether FocusedByKeyboard selects the text: the platform's fields do, unless told not to.
    virtual bool SelectsOnKeyboardFocus() const { return true; }

private:
    void Select(int start, int length);
    int selStart_ = 0;
    int selLength_ = 0;
};

// The control as a one-line field (an edit or a spin field), or null.
TextField* AsTextField(Control* control);

// A single line of text that the user edits. Text set by code is kept whole; what the user types
// stops at MaxLength characters, as on the platform.
class Edit : public TextField {
public:
    explicit Edit(Control* parent);

    int MaxLength() const { return maxLength_; }  // 0: no limit
    void SetMaxLength(int length);
    // Whether the whole text is selected when the focus comes to the field by the Tab key or an
    // accelerator, as the platform does for its fields unless told otherwise.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool select) { autoSelect_ = select; }

    // A prompt ("[Type reminder message here]") is a text that asks for the user's own: it is the
    // field's text, but while it stands untouched the first key the user types, or a paste,
    // replaces it whole instead of adding to it. The program setting the same text again shows
    // the prompt again.
    void SetPrompt(const std::string& prompt);
    bool PromptShown() const { return promptShown_; }

    // The user replaces the whole text by typing (or a test acting as the user): cut to
    // MaxLength, as the native field cuts typing.
    void TypeText(const std::string& text);
    // The user types these characters at the caret, or pastes them there (or a test acting as
    // the user).
    void Type(const std::string& chars);
    void Paste(const std::string& text) { Type(text); }

    // The text as the platform's field can hold it. The field ends its text at a 0 byte, so each
    // 0 byte shows as a blank there; the field's own text keeps its bytes.
    std::string NativeText() const;
    // Backend use: the native field's text changed. A text equal to what the field was given is
    // no change by the user, and leaves the field's own bytes as they are.
    void NativeTextChangedByPlatform(const std::string& native);
    // Backend use: the user is about to type or paste into the field. An untouched prompt goes
    // first; true when it went.
    bool UserInputStarting();

    // Runs after the user changed the text (keys, a paste); not for text set by the program.
    std::function<void()> OnChange;

protected:
    void TextSetByProgram() override;
    void TextChangedByUser() override;
    bool SelectsOnKeyboardFocus() const override { return autoSelect_; }
    void ApplyStateToPeer() override;

private:
    int maxLength_ = 0;
    bool autoSelect_ = true;
    std::string prompt_;
    bool promptShown_ = false;
};

// A whole-number field with up and down arrows. The arrows and the Up and Down keys step the
// value and hold it between the bounds; what the user types stays as typed while the field has
// the focus, and is pulled to the nearer bound when the focus leaves for another control of the
// form (a message box or another window taking the focus is no leaving). Only digits, "+", "-"
// and the decimal separator can be typed.
class SpinEdit : public TextField {
public:
    explicit SpinEdit(Control* parent);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Increment() const { return increment_; }
    void SetRange(int minValue, int maxValue);
    void SetIncrement(int increment) { increment_ = increment; }
    char DecimalSeparator() const { return decimalSeparator_; }
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    // The text read as a whole number, or the least value when it is not one; not held inside
    // the bounds.
    int Value() const;
    // Shows a value held inside the bounds.
    void SetValue(int value);
    // One press of an arrow (or of Up or Down): +1 up, -1 down.
    void Step(int direction);
    // Whether the user can type the character into the field.
    bool IsValidChar(char c) const;
    // The user types a text over the whole field: the characters that cannot be typed are lost.
    void TypeText(const std::string& text);

    // Backend use (and, without a window system, the form's focus tracking): the focus left for
    // another control of the form.
    void FocusLostByPlatform();

private:
    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 1;
    char decimalSeparator_ = '.';
};

// The state the check box and the radio button share: a check mirrored into the native button.
class CheckableControl : public Control {
public:
    bool Checked() const { return checked_; }

protected:
    using Control::Control;
    // Stores a new check and mirrors it; false when nothing changed.
    bool StoreChecked(bool checked);
    void ApplyStateToPeer() override;

private:
    bool checked_ = false;
};

// A box the user checks and clears. Its click handler runs after every change of Checked, by the
// user or by code.
class CheckBox : public CheckableControl {
public:
    explicit CheckBox(Control* parent);
    void SetChecked(bool checked);

protected:
    // The user's click toggles the box.
    void DoClick() override;
};

// One choice of a group: the radio buttons with the same parent. Checking one, by the user or by
// code, clears the others and runs its click handler; clearing one by code runs nothing.
class RadioButton : public CheckableControl {
public:
    explicit RadioButton(Control* parent);
    void SetChecked(bool checked);

protected:
    void DoClick() override;
};

// A control that paints itself through a Canvas and takes the mouse and the keyboard.
class CustomControl : public Control {
public:
    explicit CustomControl(Control* parent);

    virtual void Paint(Canvas& canvas);
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void DblClick();
    // Key may be set to 0 to mark it handled.
    virtual void KeyDown(int& key, ShiftState shift);
    // A character typed while the control has the focus ('\r' for Enter); 0 marks it handled.
    virtual void KeyPress(char& key);
    // The user worked a scroll bar; `thumb` is the thumb's position for ScrollAction::Thumb.
    virtual void Scrolled(bool vertical, ScrollAction action, int thumb);

    // The pointer to show over a client point, so a control can show where a drag would size.
    virtual Cursor CursorAt(int /*x*/, int /*y*/) const { return Cursor::Default; }

    void SetScrollRange(bool vertical, int max, int page, int position);

    // Whether Enter reaches the control instead of pressing a button of its form.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool want) { wantReturns_ = want; }

    std::function<void()> OnDblClick;
    std::function<void(int& key, ShiftState)> OnKeyDown;
    std::function<void(char& key)> OnKeyPress;

protected:
    // A control of another kind that the program draws all the same.
    CustomControl(Control* parent, ControlKind kind);

private:
    bool wantReturns_ = false;
};

// The control as one the program draws, or null: the plain kind and the tab strip.
CustomControl* AsCustom(Control* control);

}  // namespace pellino

namespace pellino {

// A strip of tabs, drawn by the program as flat buttons side by side, the chosen one pressed in.
// The user's choice of a tab (a click on it, or the arrow keys, Home and End while the strip has
// the focus) sets TabIndex and then runs OnClick; setting TabIndex from code runs nothing. The
// strip takes the focus from the keyboard only: a click chooses a tab and leaves the focus where
// it was.
class TabSet : public CustomControl {
public:
    explicit TabSet(Control* parent);

    const std::vector<std::string>& Tabs() const { return tabs_; }
    void SetTabs(const std::vector<std::string>& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

    // A user's choice of a tab (by the mouse, the keyboard or a test acting as the user).
    void SelectTab(int index);
    // Where the tab `index` lies in the strip, in design pixels; empty for no such tab.
    Rect TabRect(int index) const;

    void Paint(Canvas& canvas) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void KeyDown(int& key, ShiftState shift) override;

private:
    std::vector<std::string> tabs_;
    int tabIndex_ = -1;
};

class Notebook;

// One page of a notebook: it fills the notebook and shows while it is the notebook's page.
class NotebookPage : public Control {
public:
    NotebookPage(Notebook& notebook, const std::string& caption);
};

// Pages on top of each other, one shown at a time.
class Notebook : public Control {
public:
    explicit Notebook(Control* parent) : Control(parent, ControlKind::Notebook) {}

    int PageIndex() const { return pageIndex_; }
    // Shows the page; runs OnPageChanged when the page really changed.
    void SetPageIndex(int index);
    const std::vector<NotebookPage*>& Pages() const { return pages_; }

    std::function<void()> OnPageChanged;

private:
    friend class NotebookPage;
    std::vector<NotebookPage*> pages_;  // not owned
    int pageIndex_ = -1;
};

}  // namespace pellino
