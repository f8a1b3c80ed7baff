#include "platform/controls.h"

#include <algorithm>
#include <cassert>

#include "platform/application.h"
#include "platform/form.h"

namespace pellino {

Control::Control(Control* parent, ControlKind kind) : kind_(kind), parent_(parent) {
    if (parent_) {
        parent_->AddChild(this);
        // A control made after its form's window exists gets its native control at once.
        if (parent_->peer_) CreatePeers();
    }
}

Control::~Control() {
    peer_.reset();
    for (Control* child : children_) child->parent_ = nullptr;
    if (parent_) parent_->RemoveChild(this);
}

void Control::AddChild(Control* child) {
    children_.push_back(child);
}

void Control::RemoveChild(Control* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

Form* Control::OwnerForm() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return c->kind_ == ControlKind::Form ? static_cast<Form*>(c) : nullptr;
}

void Control::SetBounds(const Rect& bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    if (peer_) peer_->SetBounds(bounds_);
    BoundsChanged();
    Realign();
}

void Control::BoundsChangedByPlatform(const Rect& bounds) {
    if (bounds == bounds_) return;
    bounds_ = bounds;
    BoundsChanged();
    Realign();
}

void Control::SetAlign(Align align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void Control::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (peer_) peer_->SetText(text_);
    TextSetByProgram();
    // The platform keeps a window's text without drawing it again; a control that draws its
    // text itself must be drawn anew, or the screen shows the old text until it is uncovered.
    if (DrawsItself()) Invalidate();
}

bool Control::DrawsItself() const {
    return kind_ == ControlKind::Panel || kind_ == ControlKind::Custom ||
           kind_ == ControlKind::TabSet;
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (peer_) peer_->SetVisible(visible_);
    if (parent_ && align_ != Align::None) parent_->Realign();
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible_) return false;
    }
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (peer_) peer_->SetEnabled(enabled_);
}

const Font& Control::GetFont() const {
    if (ownFont_ || !parent_) return font_;
    return parent_->GetFont();
}

void Control::SetFont(const Font& font) {
    if (ownFont_ && font == font_) return;
    ownFont_ = true;
    font_ = font;
    FontChanged();
}

void Control::FontChanged() {
    if (peer_) peer_->SetFont(GetFont());
    // The platform's font message draws nothing for a window the program draws itself.
    if (DrawsItself()) Invalidate();
    for (Control* child : children_) {
        if (child->ParentFont()) child->FontChanged();
    }
}

void Control::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    if (peer_) peer_->SetColor(color_);
}

void Control::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (peer_) peer_->SetHint(hint_);
}

void Control::SetTabStop(bool tabStop) {
    if (tabStop == tabStop_) return;
    tabStop_ = tabStop;
    if (peer_) peer_->SetTabStop(tabStop_);
}

void Control::SetFocus() {
    if (Form* form = OwnerForm()) form->SetActiveControl(this);
    if (peer_) peer_->SetFocus();
}

bool Control::Focused() const {
    if (peer_) return peer_->Focused();
    // Without a window system the form's active control has the focus, as long as it is on the
    // screen: on the platform a control that is hidden loses the focus.
    Control* self = const_cast<Control*>(this);
    Form* form = self->OwnerForm();
    return form && form->ActiveControl() == this && Showing();
}

void Control::Invalidate() {
    if (peer_) peer_->Invalidate();
}

void Control::Click() {
    if (!enabled_ || !Showing()) return;
    Application::Dispatch([this] { DoClick(); });
}

void Control::DoClick() {
    if (OnClick) OnClick();
}

void Control::PressedByPlatform(ButtonPress) {
    Click();
}

void Control::Realign() {
    Rect area = ClientRect();
    for (Control* child : children_) {
        if (!child->visible_ || child->align_ == Align::None) continue;
        Rect r = child->bounds_;
        switch (child->align_) {
            case Align::Top:
                r = BoundsRect(area.left, area.top, area.Width(), r.Height());
                area.top += r.Height();
                break;
            case Align::Bottom:
                r = BoundsRect(area.left, area.bottom - r.Height(), area.Width(), r.Height());
                area.bottom -= r.Height();
                break;
            case Align::Left:
                r = BoundsRect(area.left, area.top, r.Width(), area.Height());
                area.left += r.Width();
                break;
            case Align::Right:
                r = BoundsRect(area.right - r.Width(), area.top, r.Width(), area.Height());
                area.right -= r.Width();
                break;
            case Align::Client:
            case Align::None:
                continue;  // placed last, in the space the others leave
        }
        child->SetBounds(r);
    }
    for (Control* child : children_) {
        if (child->visible_ && child->align_ == Align::Client) {
            child->SetBounds(BoundsRect(area.left, area.top, std::max(0, area.Width()),
                                        std::max(0, area.Height())));
        }
    }
}

void Control::CreatePeers() {
    if (!peer_) {
        peer_ = CreateControlPeer(*this);
        if (peer_) ApplyStateToPeer();
    }
    if (!peer_) return;
    for (Control* child : children_) child->CreatePeers();
}

void Control::DestroyPeers() {
    for (Control* child : children_) child->DestroyPeers();
    peer_.reset();
}

void Control::ApplyStateToPeer() {
    peer_->SetFont(GetFont());
    peer_->SetColor(color_);
    peer_->SetText(text_);
    peer_->SetHint(hint_);
    peer_->SetEnabled(enabled_);
    peer_->SetBounds(bounds_);
    peer_->SetVisible(visible_);
}

void Panel::SetBorderStyle(BorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    Invalidate();
    Realign();
}

void Panel::SetRaised(bool raised) {
    if (raised == raised_) return;
    raised_ = raised;
    Invalidate();
}

Rect Panel::ClientRect() const {
    Rect r{0, 0, Width(), Height()};
    if (borderStyle_ == BorderStyle::Single) {
        r.left += 1;
        r.top += 1;
        r.right -= 1;
        r.bottom -= 1;
    }
    return r;
}

Button::Button(Control* parent) : Control(parent, ControlKind::Button) {
    SetTabStop(true);
}

void Button::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    if (Form* form = OwnerForm()) {
        form->MoveDefaultFrame();
    } else {
        SetDefaultFrame(default_);
    }
}

void Button::SetDefaultFrame(bool framed) {
    // The platform is told even when nothing changes here: its dialog keys move the frame on
    // their own, and the program's word is to stand.
    defaultFrame_ = framed;
    if (Peer()) Peer()->SetDefault(framed);
}

void Button::DoClick() {
    if (Form* form = OwnerForm(); form && modalResult_ != 0) form->SetModalResult(modalResult_);
    Control::DoClick();
}

bool Button::DrawnByProgram() const {
    const Color color = GetFont().color;
    return (color != colors::kBlack && !IsSystemColor(color)) || glyph_ != Glyph::None || flat_ ||
           dropDown_;
}

void Button::SetDropDown(bool dropDown) {
    if (dropDown == dropDown_) return;
    dropDown_ = dropDown;
    Invalidate();
}

void Button::SetGlyph(Glyph glyph) {
    if (glyph == glyph_) return;
    glyph_ = glyph;
    Invalidate();
}

void SetUpControl(Control& control, const ControlArgs& args) {
    control.SetName(args.name);
    control.SetText(args.caption);
    control.SetBounds(args.bounds);
    control.SetHint(args.hint);
}

void SetUpButton(Button& button, const ButtonArgs& args) {
    SetUpControl(button, {args.name, args.caption, args.bounds, args.hint});
    button.SetGlyph(args.glyph);
}

TextField::TextField(Control* parent, ControlKind kind) : Control(parent, kind) {
    SetTabStop(true);
    SetColor(colors::kWindow);
}

int TextField::SelStart() const {
    int start = 0, length = 0;
    if (Peer() && Peer()->GetSelection(start, length)) return start;
    return std::min(selStart_, static_cast<int>(Text().size()));
}

int TextField::SelLength() const {
    int start = 0, length = 0;
    if (Peer() && Peer()->GetSelection(start, length)) return length;
    const int size = static_cast<int>(Text().size());
    return std::min(selLength_, size - std::min(selStart_, size));
}

void TextField::Select(int start, int length) {
    selStart_ = start;
    selLength_ = length;
    if (Peer()) Peer()->SetSelection(start, length);
}

void TextField::SelectAll() {
    Select(0, static_cast<int>(Text().size()));
}

TextField* AsTextField(Control* control) {
    if (!control) return nullptr;
    const ControlKind kind = control->Kind();
    return kind == ControlKind::Edit || kind == ControlKind::SpinEdit
               ? static_cast<TextField*>(control)
               : nullptr;
}

void TextField::FocusedByKeyboard() {
    if (SelectsOnKeyboardFocus()) SelectAll();
}

void TextField::TextSetByProgram() {
    selStart_ = 0;
    selLength_ = 0;
}

void TextField::ApplyStateToPeer() {
    Control::ApplyStateToPeer();
    Peer()->SetSelection(selStart_, selLength_);
}

void TextField::ReplaceSelectionByUser(const std::string& chars, int limit) {
    const std::string text = Text();
    const auto start = static_cast<std::size_t>(SelStart());
    const auto length = static_cast<std::size_t>(SelLength());
    std::size_t room = chars.size();
    if (limit > 0) {
        const std::size_t kept = text.size() - length;
        const auto max = static_cast<std::size_t>(limit);
        room = kept >= max ? 0 : std::min(room, max - kept);
    }
    SetText(text.substr(0, start) + chars.substr(0, room) + text.substr(start + length));
    Select(static_cast<int>(start + room), 0);
    TextChangedByUser();
}

Edit::Edit(Control* parent) : TextField(parent, ControlKind::Edit) {}

void Edit::SetMaxLength(int length) {
    if (length < 0 || length == maxLength_) return;
    maxLength_ = length;
    if (Peer()) Peer()->SetMaxLength(maxLength_);
}

void Edit::SetPrompt(const std::string& prompt) {
    prompt_ = prompt;
    SetText(prompt);
    promptShown_ = !prompt_.empty() && Text() == prompt_;
}

void Edit::TextSetByProgram() {
    TextField::TextSetByProgram();
    promptShown_ = !prompt_.empty() && Text() == prompt_;
}

void Edit::TypeText(const std::string& text) {
    if (!Enabled() || !Showing()) return;
    SelectAll();
    Type(text);
}

void Edit::Type(const std::string& chars) {
    if (!Enabled() || !Showing()) return;
    UserInputStarting();
    ReplaceSelectionByUser(chars, maxLength_);
}

void Edit::TextChangedByUser() {
    promptShown_ = false;
    if (OnChange) Application::Dispatch(OnChange);
}

bool Edit::UserInputStarting() {
    if (!promptShown_) return false;
    SetText("");
    promptShown_ = false;
    return true;
}

std::string Edit::NativeText() const {
    std::string shown = Text();
    for (char& c : shown) {
        if (c == '\0') c = ' ';
    }
    return shown;
}

void Edit::NativeTextChangedByPlatform(const std::string& native) {
    if (native == NativeText()) return;
    TextChangedByPlatform(native);
    TextChangedByUser();
}

void Edit::ApplyStateToPeer() {
    TextField::ApplyStateToPeer();
    Peer()->SetMaxLength(maxLength_);
}

SpinEdit::SpinEdit(Control* parent) : TextField(parent, ControlKind::SpinEdit) {
    SetText("0");
}

void SpinEdit::SetRange(int minValue, int maxValue) {
    minValue_ = minValue;
    maxValue_ = std::max(minValue, maxValue);
}

int SpinEdit::Value() const {
    const std::string& text = Text();
    // A whole number: an optional sign and digits, nothing else, within the int range.
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return minValue_;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return minValue_;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return minValue_;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL) return minValue_;
    return static_cast<int>(value);
}

void SpinEdit::SetValue(int value) {
    SetText(std::to_string(std::clamp(value, minValue_, maxValue_)));
}

void SpinEdit::Step(int direction) {
    if (!Enabled()) return;
    const long long next = static_cast<long long>(Value()) + direction * increment_;
    SetValue(static_cast<int>(std::clamp<long long>(next, minValue_, maxValue_)));
}

bool SpinEdit::IsValidChar(char c) const {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == decimalSeparator_;
}

void SpinEdit::TypeText(const std::string& text) {
    if (!Enabled() || !Showing()) return;
    std::string kept;
    for (char c : text) {
        if (IsValidChar(c)) kept += c;
    }
    SetText(kept);
}

void SpinEdit::FocusLostByPlatform() {
    const int value = Value();
    if (value < minValue_ || value > maxValue_) SetValue(value);
}

bool CheckableControl::StoreChecked(bool checked) {
    if (checked == checked_) return false;
    checked_ = checked;
    if (Peer()) Peer()->SetChecked(checked_);
    return true;
}

void CheckableControl::ApplyStateToPeer() {
    Control::ApplyStateToPeer();
    Peer()->SetChecked(checked_);
}

CheckBox::CheckBox(Control* parent) : CheckableControl(parent, ControlKind::CheckBox) {
    SetTabStop(true);
}

void CheckBox::SetChecked(bool checked) {
    if (StoreChecked(checked)) Control::DoClick();
}

void CheckBox::DoClick() {
    SetChecked(!Checked());
}

RadioButton::RadioButton(Control* parent) : CheckableControl(parent, ControlKind::RadioButton) {
    // In a group of radio buttons only the checked one takes the tab stop; the arrow keys move
    // between the others.
    SetTabStop(false);
}

void RadioButton::SetChecked(bool checked) {
    if (!StoreChecked(checked)) return;
    SetTabStop(checked);
    if (!checked) return;
    if (Parent()) {
        for (Control* sibling : Parent()->Children()) {
            if (sibling != this && sibling->Kind() == ControlKind::RadioButton) {
                static_cast<RadioButton*>(sibling)->SetChecked(false);
            }
        }
    }
    Control::DoClick();
}

void RadioButton::DoClick() {
    SetChecked(true);
}

CustomControl::CustomControl(Control* parent) : CustomControl(parent, ControlKind::Custom) {}

CustomControl::CustomControl(Control* parent, ControlKind kind) : Control(parent, kind) {
    SetTabStop(true);
}

void CustomControl::Paint(Canvas&) {}
void CustomControl::MouseDown(MouseButton, ShiftState, int, int) {}
void CustomControl::MouseMove(ShiftState, int, int) {}
void CustomControl::MouseUp(MouseButton, ShiftState, int, int) {}
void CustomControl::DblClick() {
    if (OnDblClick) OnDblClick();
}
void CustomControl::KeyDown(int& key, ShiftState shift) {
    if (OnKeyDown) OnKeyDown(key, shift);
}
void CustomControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(key);
}
void CustomControl::Scrolled(bool, ScrollAction, int) {}

void CustomControl::SetScrollRange(bool vertical, int max, int page, int position) {
    if (Peer()) Peer()->SetScrollRange(vertical, max, page, position);
}

CustomControl* AsCustom(Control* control) {
    if (!control) return nullptr;
    const ControlKind kind = control->Kind();
    return kind == ControlKind::Custom || kind == ControlKind::TabSet
               ? static_cast<CustomControl*>(control)
               : nullptr;
}

namespace {

// The tab strip's measures, in design pixels: the tabs' top and height within the strip, the
// room left of the first tab, beside a caption within its tab, and between two tabs (where the
// grooves that part them lie).
constexpr int kTabTop = 8;
constexpr int kTabHeight = 21;
constexpr int kTabsLeft = 4;
constexpr int kCaptionMargin = 9;
constexpr int kTabGap = 6;

// The platform's colours of raised and sunken edges.
constexpr Color kEdgeHighlight = 0x80000014;   // the lit side
constexpr Color kEdgeLight = 0x80000016;       // the lit side's inner line
constexpr Color kEdgeShadow = 0x80000010;      // the shaded side
constexpr Color kEdgeDarkShadow = 0x80000015;  // the shaded side's outer line of a pressed button

}  // namespace

TabSet::TabSet(Control* parent) : CustomControl(parent, ControlKind::TabSet) {}

void TabSet::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    if (tabIndex_ >= static_cast<int>(tabs_.size()))
        SetTabIndex(static_cast<int>(tabs_.size()) - 1);
    Invalidate();
}

void TabSet::SetTabIndex(int index) {
    if (index < -1 || index >= static_cast<int>(tabs_.size()) || index == tabIndex_) return;
    tabIndex_ = index;
    Invalidate();
}

void TabSet::SelectTab(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
    SetTabIndex(index);
    Click();
}

Rect TabSet::TabRect(int index) const {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return Rect{};
    int left = kTabsLeft;
    for (int i = 0;; ++i) {
        const int width =
            MeasureText(GetFont(), tabs_[static_cast<std::size_t>(i)]).width + 2 * kCaptionMargin;
        if (i == index) return BoundsRect(left, kTabTop, width, kTabHeight);
        left += width + kTabGap;
    }
}

void TabSet::Paint(Canvas& canvas) {
    canvas.FillRect(Rect{0, 0, Width(), Height()}, colors::kBtnFace);
    canvas.SetFont(GetFont());
    Canvas::TextOptions centred;
    centred.horz = HAlign::Center;
    centred.vert = VAlign::Middle;
    for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
        Rect r = TabRect(i);
        // A groove after every tab parts it from the next.
        const int groove = r.right + kTabGap / 2 - 1;
        canvas.DrawLine(groove, r.top + 1, groove, r.bottom - 1, kEdgeShadow);
        canvas.DrawLine(groove + 1, r.top + 1, groove + 1, r.bottom - 1, kEdgeHighlight);
        if (i == tabIndex_) {
            // The chosen tab is a pressed button: shaded above and left, lit below and right,
            // lighter inside, its caption a pixel down and right.
            canvas.FillRect(r, kEdgeHighlight);
            canvas.DrawLine(r.left, r.top, r.right - 1, r.top, kEdgeDarkShadow);
            canvas.DrawLine(r.left, r.top, r.left, r.bottom - 1, kEdgeDarkShadow);
            canvas.DrawLine(r.left + 1, r.top + 1, r.right - 2, r.top + 1, kEdgeShadow);
            canvas.DrawLine(r.left + 1, r.top + 1, r.left + 1, r.bottom - 2, kEdgeShadow);
            canvas.DrawLine(r.left + 1, r.bottom - 2, r.right - 2, r.bottom - 2, kEdgeLight);
            canvas.DrawLine(r.right - 2, r.top + 1, r.right - 2, r.bottom - 1, kEdgeLight);
            r = Rect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        }
        canvas.TextRect(r, tabs_[static_cast<std::size_t>(i)], centred);
        if (i == tabIndex_ && Focused()) {
            canvas.DrawFocusRect(Rect{r.left + 3, r.top + 3, r.right - 4, r.bottom - 4});
        }
    }
}

void TabSet::MouseDown(MouseButton button, ShiftState, int x, int y) {
    if (button != MouseButton::Left) return;
    for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
        const Rect r = TabRect(i);
        const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        // A click on the tab already chosen chooses nothing anew.
        if (inside && i != tabIndex_) SelectTab(i);
    }
}

void TabSet::KeyDown(int& key, ShiftState shift) {
    if (shift.ctrl || shift.alt || tabs_.empty()) return;
    const int last = static_cast<int>(tabs_.size()) - 1;
    int chosen = tabIndex_;
    switch (key) {
        case keys::kLeft:
        case keys::kUp:
            chosen = std::max(0, tabIndex_ - 1);
            break;
        case keys::kRight:
        case keys::kDown:
            chosen = std::min(last, tabIndex_ + 1);
            break;
        case keys::kHome:
            chosen = 0;
            break;
        case keys::kEnd:
            chosen = last;
            break;
        default:
            return;
    }
    key = 0;
    if (chosen != tabIndex_) SelectTab(chosen);
}

NotebookPage::NotebookPage(Notebook& notebook, const std::string& caption)
    : Control(&notebook, ControlKind::NotebookPage) {
    SetText(caption);
    notebook.pages_.push_back(this);
    SetVisible(notebook.pages_.size() == 1);
    SetAlign(Align::Client);
    if (notebook.pageIndex_ < 0) notebook.pageIndex_ = 0;
}

void Notebook::SetPageIndex(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()) || index == pageIndex_) return;
    pageIndex_ = index;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->SetVisible(static_cast<int>(i) == index);
    }
    Realign();
    if (OnPageChanged) Application::Dispatch(OnPageChanged);
}

}  // namespace pellino
