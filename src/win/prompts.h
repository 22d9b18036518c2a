// Prompts: message boxes and the standard open/save file dialogs behind one small interface, so
// that tests can script the answers while the program shows the real ones.
#pragma once

#include <windows.h>

#include <string>

#include "os/path.h"

namespace vondrel::win {

struct FileDialogOptions {
    bool save = false;               // a save dialog (else an open dialog)
    bool confirmOverwrite = false;   // save only: ask before replacing an existing file
    std::string filter;              // "Description|*.ext|...||", code page 932
    std::string defaultExtension;    // added when the user types a name without one
    os::Path initialFolder;          // the folder the dialog starts in
    os::Path initialName;            // the file name the dialog starts with (none when empty)
    int filterIndex = 1;             // the file type selected at the start, counted from 1
    std::string title;               // the caption, code page 932; the system's own when empty
};

// What the user chose in a file dialog.
struct FileChoice {
    os::Path path;        // the full path exactly as the dialog gives it (UTF-16, never cut short)
    int filterIndex = 1;  // the file type selected when the dialog ended, counted from 1
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // A message box with the given MB_* buttons; the icon is the framework's default for the
    // button set (exclamation for OK and OK/Cancel, question for Yes/No and Yes/No/Cancel).
    // Returns the button pressed (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, const std::string& text, UINT buttons) = 0;
    // The same with a UTF-8 text (characters code page 932 lacks shown as they are; where a
    // prompt shows only code page 932, as "?").
    virtual int ShowUtf8Message(HWND owner, const std::string& utf8, UINT buttons);
    // A file dialog; returns false when cancelled, else fills `choice`. A save dialog adds the
    // selected type's extension to a name typed without one.
    virtual bool ChooseFile(HWND owner, const FileDialogOptions& options, FileChoice& choice) = 0;
};

// The real dialogs of the system.
class SystemPrompts : public Prompts {
public:
    int ShowMessage(HWND owner, const std::string& text, UINT buttons) override;
    int ShowUtf8Message(HWND owner, const std::string& utf8, UINT buttons) override;
    bool ChooseFile(HWND owner, const FileDialogOptions& options, FileChoice& choice) override;
};

// The caption of the program's message boxes.
extern const wchar_t kMessageCaption[];

// The button set's default icon added to `buttons` when no icon is given.
UINT WithDefaultIcon(UINT buttons);

}  // namespace vondrel::win
