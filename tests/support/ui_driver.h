// Driving a modal dialog as a person would, from inside its own message loop, through messages;
// the actions and readings also reach the windows of another process (the end-to-end tests).
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win/dialog.h"

namespace zavo::testing {

// Runs `dialog` modally and `drive` once it is shown, as steps of the dialog's own loop (a wait in
// `drive` lets that loop, or one nested in it, run). `drive` must end the dialog; if it does not
// within `timeout`, the dialog is cancelled and the test fails. Returns the dialog's result.
INT_PTR RunDriven(win::Dialog& dialog, const std::function<void(HWND)>& drive,
                  std::chrono::milliseconds timeout = std::chrono::seconds(30), HWND owner = nullptr);

// Waits until `condition` holds, false on timeout; inside a driven dialog its loop runs meanwhile.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A shown top-level window of the thread with this caption (code page 932); null on timeout.
HWND WaitForWindow(DWORD threadId, const std::string& caption,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The thread that runs the window.
DWORD WindowThread(HWND window);

// A message sent and answered; the test fails when the window does not answer within a minute.
LRESULT Send(HWND window, UINT message, WPARAM w, LPARAM l);

// Typing into an edit or a combo box: one WM_CHAR per character, WM_IME_CHAR for a double-byte one.
void Type(HWND edit, const std::string& text);
// Select all and delete, as a person clearing a field would.
void ClearEdit(HWND edit);
// A key press posted to the window, so that it passes the dialog manager (Enter, Escape, Tab).
void PressKey(HWND window, UINT virtualKey);
// A click on a button (BM_CLICK), back once its handler is done.
void Click(HWND button);
void SetChecked(HWND dialog, int id, bool on);
// The same click posted, for a button whose handler opens a modal window the next step answers.
void ClickLater(HWND button);
// A right-button press on a window, posted as the mouse would.
void RightClick(HWND window);
// Moves the keyboard focus to another control of the driven dialog.
void Focus(HWND control);

// Reading what a person sees.
std::string TextOf(HWND window);
std::string ItemTextOf(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsShown(HWND dialog, int id);

// Mouse button messages at a list box item's centre: the list box selects and notifies itself.
void MouseClickListItem(HWND list, int index);
void MouseDoubleClickListItem(HWND list, int index);
// Pasting text at the caret (EM_REPLACESEL, undoable), one change notification for all of it.
void Paste(HWND edit, const std::string& text);
// A combo box's list dropped down, an item of it clicked, or closed without a pick.
void DropDown(HWND combo);
void PickDroppedItem(HWND combo, int index);
void CloseDropDown(HWND combo);
// Every item of a list box or of a combo box's list, top to bottom.
std::vector<std::string> ListItems(HWND list);
std::vector<std::string> ComboItems(HWND combo);

// A message box's text, and answering it with one of its buttons (IDOK, IDCANCEL, ...).
std::string MessageBoxText(HWND box);
// The icon a message box shows, null when it shows none; compare with LoadIcon(nullptr, IDI_...).
HICON MessageBoxIcon(HWND box);
// The control with the keyboard focus once `window` of this thread is active.
HWND FocusIn(HWND window);
void Answer(HWND box, int buttonId);

}  // namespace zavo::testing
