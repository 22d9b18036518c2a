// The "住所検索" dialog (template 175): searches the address search service (net/geocoder.h)
// for a typed text and lists the candidates with their WGS 84 positions; OK or a double-click
// chooses one. The request runs on a worker thread, one at a time; 閉じる, Esc and the close box
// cancel it. A failure shows as one line in the dialog.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "net/geocoder.h"
#include "win/dialog.h"

namespace vondrel {

// Shows the dialog with `text` (code page 932) in its text box, searched at once when not
// empty. The candidate chosen, or nothing when closed.
std::optional<net::Place> SearchAddress(HWND owner, const std::string& text);

// The dialog SearchAddress runs (tests create it modeless and drive it by messages).
class AddressSearchDialog : public win::Dialog {
public:
    explicit AddressSearchDialog(std::string text);
    ~AddressSearchDialog() override;

    const std::optional<net::Place>& Chosen() const { return chosen; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void Search();
    // Cancels the request in flight and waits for its worker.
    void Stop();
    LRESULT OnSearchDone(WPARAM, LPARAM);
    LRESULT OnResultsDoubleClick(NMHDR*);
    LRESULT OnResultsFocus(NMHDR*);
    void OnTextFocus();

    const std::string initialText;
    std::vector<net::Place> places;
    std::optional<net::Place> chosen;
    std::unique_ptr<net::HttpClient> client;
    std::thread worker;
    std::mutex mutex;
    net::GeocodeResult done;  // the worker's result, under `mutex`
};

}  // namespace vondrel
