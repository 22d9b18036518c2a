// The address search dialog: the worker, its result shown in the list or the status line.
#include "dialogs/address_search_dialog.h"

#include <commctrl.h>

#include <utility>

#include "resource.h"
#include "core/map_position.h"
#include "os/win32_text.h"
#include "win/list_view.h"

namespace vondrel {

namespace {

constexpr UINT kSearchDone = WM_APP + 75;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// Why a search failed, in the user's words where the reason is one of the client's own.
std::wstring Reason(const std::string& detail) {
    static const struct {
        const char* detail;
        const wchar_t* shown;
    } kReasons[] = {
        {"timeout", L"応答がありません"},          {"cannot connect", L"接続できません"},
        {"name not resolved", L"接続できません"},  {"too large", L"応答が大きすぎます"},
        {"not a JSON array", L"応答を読み取れません"},
    };
    for (const auto& reason : kReasons) {
        if (detail == reason.detail) return reason.shown;
    }
    return os::Utf8ToWide(detail);
}

void SetCell(const win::ListView& list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    list.Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

AddressSearchDialog::AddressSearchDialog(std::string text) : Dialog(IDD_ADDRESS_SEARCH), initialText(std::move(text)) {
    OnCommand(IDC_SEARCH_GO, &AddressSearchDialog::Search);
    OnCommandCode(IDC_SEARCH_TEXT, EN_SETFOCUS, &AddressSearchDialog::OnTextFocus);
    OnMessage(kSearchDone, &AddressSearchDialog::OnSearchDone);
    OnNotify(IDC_SEARCH_RESULTS, NM_DBLCLK, &AddressSearchDialog::OnResultsDoubleClick);
    OnNotify(IDC_SEARCH_RESULTS, NM_SETFOCUS, &AddressSearchDialog::OnResultsFocus);
}

AddressSearchDialog::~AddressSearchDialog() { Stop(); }

BOOL AddressSearchDialog::OnInitDialog() {
    const win::ListView list(Item(IDC_SEARCH_RESULTS).Hwnd());
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, "名称", 250);
    list.InsertColumn(1, "位置（WGS 84）", 150);
    list.FitLastColumn(150);
    Item(IDC_SEARCH_TEXT).SetText(initialText);
    if (!initialText.empty()) Search();
    return TRUE;
}

void AddressSearchDialog::Search() {
    if (worker.joinable()) return;  // one request at a time
    const std::string query = os::WideToUtf8(WindowText(Item(IDC_SEARCH_TEXT).Hwnd()));
    if (query.find_first_not_of(" \t") == std::string::npos) return;
    places.clear();
    win::ListView(Item(IDC_SEARCH_RESULTS).Hwnd()).DeleteAllRows();
    Item(IDC_SEARCH_GO).Enable(false);
    SetDlgItemTextW(Hwnd(), IDC_SEARCH_STATUS, L"検索中…");
    client = net::MakeHttpClient(net::GeocoderUserAgent(), net::kGeocoderTimeoutMs);
    worker = std::thread([this, self = Hwnd(), request = client.get(), query] {
        net::GeocodeResult result = net::Geocode(*request, query);
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = std::move(result);
        }
        PostMessageW(self, kSearchDone, 0, 0);
    });
}

void AddressSearchDialog::Stop() {
    if (!worker.joinable()) return;
    client->Cancel();
    worker.join();
    client.reset();
}

LRESULT AddressSearchDialog::OnSearchDone(WPARAM, LPARAM) {
    if (!worker.joinable()) return 0;  // stopped meanwhile
    worker.join();
    client.reset();
    net::GeocodeResult result;
    {
        std::lock_guard<std::mutex> lock(mutex);
        result = std::move(done);
    }
    Item(IDC_SEARCH_GO).Enable(true);
    std::wstring status;
    if (!result.ok) {
        status = L"検索できませんでした（" + Reason(result.detail) + L"）";
    } else if (result.places.empty()) {
        status = L"見つかりませんでした";
    } else {
        status = std::to_wstring(result.places.size()) + L" 件見つかりました";
    }
    SetDlgItemTextW(Hwnd(), IDC_SEARCH_STATUS, status.c_str());
    places = std::move(result.places);
    const win::ListView list(Item(IDC_SEARCH_RESULTS).Hwnd());
    for (int row = 0; row < static_cast<int>(places.size()); ++row) {
        list.InsertRow(row, "", -1);
        SetCell(list, row, 0, os::Utf8ToWide(places[row].title));
        SetCell(list, row, 1, os::Utf8ToWide(FormatMapPosition(places[row].wgs84)));
    }
    if (!places.empty()) {
        list.SelectAndFocus(0);
        Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list.Hwnd()), TRUE);
    }
    return 0;
}

// Enter chooses in the list and searches in the text box.
LRESULT AddressSearchDialog::OnResultsFocus(NMHDR*) {
    Self().Send(DM_SETDEFID, IDOK);
    return 0;
}

void AddressSearchDialog::OnTextFocus() { Self().Send(DM_SETDEFID, IDC_SEARCH_GO); }

LRESULT AddressSearchDialog::OnResultsDoubleClick(NMHDR*) {
    if (win::ListView(Item(IDC_SEARCH_RESULTS).Hwnd()).LowestSelectedRow() >= 0) OnOK();
    return 0;
}

void AddressSearchDialog::OnOK() {
    const int row = win::ListView(Item(IDC_SEARCH_RESULTS).Hwnd()).LowestSelectedRow();
    if (row < 0 || row >= static_cast<int>(places.size())) return;
    chosen = places[static_cast<std::size_t>(row)];
    Stop();
    End(IDOK);
}

void AddressSearchDialog::OnCancel() {
    Stop();
    End(IDCANCEL);
}

std::optional<net::Place> SearchAddress(HWND owner, const std::string& text) {
    // The candidate list's class, in programs that use no other common control.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    AddressSearchDialog dialog(text);
    if (dialog.RunModal(owner) != IDOK) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace vondrel
