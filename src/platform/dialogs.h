#pragma once

#include <string>

namespace pellino {

// Message box buttons and icons, with the values of the Windows message box flags.
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
}  // namespace mb

// Answers, with the values of the Windows dialog results.
namespace idresult {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace idresult

// A modal message box over the active window; returns the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// "Confirm", Yes and No, the question icon: true for Yes.
bool AskConfirmation(const std::string& text);
// "Information", OK, the information icon.
void ShowInformation(const std::string& text);

}  // namespace pellino
