// Dialog: the base of every dialog. Runs modally from a template (or modeless, for tests, with
// the same procedure), binds the object at WM_INITDIALOG and dispatches through a small message
// map that derived classes fill in their constructors:
//     OnCommand(IDC_ADD, &MainDialog::AddPoint);
//     OnNotify(IDC_POINTS, NM_DBLCLK, &MainDialog::OnPointDoubleClick);
//     OnMessage(WM_DROPFILES, &MainDialog::OnDropFiles);
// Results follow the dialog-procedure rule: WM_CTLCOLOR*, WM_INITDIALOG and WM_QUERYDRAGICON
// return their value directly, every other handled message through DWLP_MSGRESULT. No exception
// crosses the window procedure: one that reaches it is caught there and told to the user by
// ReportError once the failed message has returned.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "win/window.h"

namespace vondrel::win {

class Dialog {
public:
    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog modally; returns the value given to End (IDOK, IDCANCEL, ...), or -1.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog modeless (tests drive it by messages); End then destroys it.
    HWND CreateModeless(HWND owner);

    HWND Hwnd() const { return hwnd; }
    Window Self() const { return Window(hwnd); }
    Window Item(int id) const { return Window(GetDlgItem(hwnd, id)); }
    bool IsModal() const { return modal; }
    // The result of the last run (for modeless dialogs, once ended).
    INT_PTR Result() const { return result; }

    // Ends the run with `value`.
    void End(INT_PTR value);

    // The dialog bound to `window` (a window of this class's procedure), else nullptr.
    static Dialog* FromWindow(HWND window);
    // Called in a catch block at a window procedure of this dialog or one of its controls: the
    // exception's text is queued and a message posted, which hands it to ReportError.
    void CatchEscaped();

protected:
    // Called at WM_INITDIALOG after binding; returning TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL commands when no handler is registered for them.
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // From OnInitDialog: the window was put where it belongs (even where it was made), so it is
    // not centred.
    void KeepPlace() { placeKept = true; }
    // Tells the user of an exception a handler let escape (a message box by default).
    virtual void ReportError(const std::string& text);

    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR*)>;
    // Returns true when the message was handled (with `result` set), false for default processing.
    using MessageHandler = std::function<bool(WPARAM, LPARAM, LRESULT& result)>;

    template <class D>
    void OnCommand(int id, void (D::*handler)()) {
        D* self = static_cast<D*>(this);
        commands.push_back({id, kAnyClick, [self, handler] { (self->*handler)(); }});
    }
    // A command whose handler is any callable (for a run of buttons that differ by one value).
    void OnCommandCall(int id, CommandHandler handler) { commands.push_back({id, kAnyClick, std::move(handler)}); }
    template <class D>
    void OnCommandCode(int id, int code, void (D::*handler)()) {
        D* self = static_cast<D*>(this);
        commands.push_back({id, code, [self, handler] { (self->*handler)(); }});
    }
    template <class D>
    void OnNotify(int id, UINT code, LRESULT (D::*handler)(NMHDR*)) {
        D* self = static_cast<D*>(this);
        notifies.push_back({id, code, [self, handler](NMHDR* header) { return (self->*handler)(header); }});
    }
    // The handler's result is the message's result; no default processing follows.
    template <class D>
    void OnMessage(UINT message, LRESULT (D::*handler)(WPARAM, LPARAM)) {
        D* self = static_cast<D*>(this);
        messages.push_back({message, [self, handler](WPARAM w, LPARAM l, LRESULT& result) {
                                result = (self->*handler)(w, l);
                                return true;
                            }});
    }
    // The handler runs, then the message gets the default dialog processing as well.
    template <class D>
    void OnMessageThenDefault(UINT message, void (D::*handler)(WPARAM, LPARAM)) {
        D* self = static_cast<D*>(this);
        messages.push_back({message, [self, handler](WPARAM w, LPARAM l, LRESULT&) {
                                (self->*handler)(w, l);
                                return false;
                            }});
    }
    // The handler decides: true when it handled the message (result set), false for the default.
    template <class D>
    void OnMessageIf(UINT message, bool (D::*handler)(WPARAM, LPARAM, LRESULT&)) {
        D* self = static_cast<D*>(this);
        messages.push_back({message, [self, handler](WPARAM w, LPARAM l, LRESULT& result) {
                                return (self->*handler)(w, l, result);
                            }});
    }

private:
    // Hands every queued exception text to ReportError.
    void ReportEscaped();
    // Matches notification codes 0 (button click, menu) and 1 (accelerator).
    static constexpr int kAnyClick = -1;
    struct CommandEntry {
        int id;
        int code;
        CommandHandler handler;
    };
    struct NotifyEntry {
        int id;
        UINT code;
        NotifyHandler handler;
    };
    struct MessageEntry {
        UINT message;
        MessageHandler handler;
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchCommand(int id, int code);
    void CenterIfNotMoved(const RECT& before);

    int templateId;
    HWND hwnd = nullptr;
    bool modal = false;
    bool placeKept = false;
    INT_PTR result = -1;
    std::vector<CommandEntry> commands;
    std::vector<NotifyEntry> notifies;
    std::vector<MessageEntry> messages;
    std::vector<std::string> escaped;  // texts of caught exceptions not yet reported
};

// The module whose resources the dialogs and icons come from.
HINSTANCE ResourceModule();

}  // namespace vondrel::win
