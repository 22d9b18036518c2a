// Readings in the real windows: the edit dialog's ふりがな, and 編集 > ふりがなの自動入力.
#include <gtest/gtest.h>

#include <imm.h>

#include "gui/dialog_test_support.h"
#include "win/ime_readings.h"

namespace vondrel {
namespace {

using test::PointEditDialogTest;

// Wine's input contexts hold no readings: a stand-in gives the dialog the readings confirmed.
TEST_F(PointEditDialogTest, ReadingFollowsWhatIsConfirmedInTheName) {
    std::wstring reading;
    services.confirmedReading = [&](HWND) { return reading; };
    Open({});
    for (const wchar_t* confirmed : {L"ﾄｳｷｮｳ", L"タワー"}) {
        reading = confirmed;
        SendMessageW(Item(IDC_EDIT_NAME), WM_IME_COMPOSITION, 0, GCS_RESULTSTR | GCS_RESULTREADSTR);
    }
    SetText(IDC_EDIT_NAME, "");
    Command(IDOK);
    EXPECT_EQ(dialog->Chosen().value_or(PointFields{}).reading, "とうきょうたわー") << "followed, kept with the name deleted";
}

// A stand-in reading conversion and its class factory: one reading reversed, one phonetic only.
struct StandInLanguage : win::IFELanguage, IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = IsEqualIID(iid, IID_IClassFactory) ? static_cast<void*>(static_cast<IClassFactory*>(this))
                                                     : static_cast<win::IFELanguage*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** object) override { return QueryInterface(iid, object); }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Open() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD request, DWORD, INT length, const WCHAR* text, DWORD*,
                                              win::MorphResult** result) override {
        if (request != win::kFeLanguageReverse || std::wstring(text, length) != L"東京タワー") return E_FAIL;
        const wchar_t reading[] = L"トウキョウタワー";
        auto* found = *result = static_cast<win::MorphResult*>(CoTaskMemAlloc(sizeof(win::MorphResult) + sizeof reading));
        *found = win::MorphResult{};
        found->output = static_cast<WCHAR*>(memcpy(found + 1, reading, sizeof reading));
        found->outputLength = static_cast<WORD>(wcslen(reading));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConversion(BSTR, LONG, LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG, LONG, BSTR* result) override {
        const std::wstring name = text;
        *result = name == L"新宿駅" ? SysAllocString(L"しんじゅくえき") : nullptr;
        return *result ? S_OK : S_FALSE;
    }
};

TEST(ReadingCommand, ProposesTheInputMethodsReadingsAndStoresTheCheckedOnesAsOneStep) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    test::MainWindow window(os::Path{});
    for (const char* name : {"謎", "新宿駅", "東京タワー"}) test::AddPoint(window, name);  // each before the last
    const auto readings = [&] { return test::ColumnTexts(window.MainList().Hwnd(), 2); };
    const std::vector<std::string> before{"", "", ""};
    window.Command(ID_EDIT_FILL_READINGS);  // no input method: one message, nothing changed
    EXPECT_EQ(readings(), before);

    StandInLanguage language;
    const wchar_t clsidText[] = L"{5D0E1A43-7C2B-4E61-9A11-30426B7E2105}";
    CLSID clsid{};
    CLSIDFromString(clsidText, &clsid);
    DWORD cookie = 0;
    CoRegisterClassObject(clsid, static_cast<IClassFactory*>(&language), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    // Wine looks class names up in the machine's classes only (of this test's own prefix).
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MSIME.Japan\\CLSID", nullptr, REG_SZ, clsidText, sizeof clsidText);
    EXPECT_TRUE(test::WithModalWindow("#32770", "ふりがなの自動入力", [](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_READINGS_LIST);
        EXPECT_EQ(test::ColumnTexts(list, 1), (std::vector<std::string>{"とうきょうたわー", "しんじゅくえき"}));
        EXPECT_TRUE(ListView_GetCheckState(list, 0) && ListView_GetCheckState(list, 1));
        ListView_SetCheckState(list, 1, FALSE);
        test::Click(dialog, IDOK);
    }, [&] { window.Command(ID_EDIT_FILL_READINGS); }));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MSIME.Japan");
    CoRevokeClassObject(cookie);
    EXPECT_EQ(readings(), (std::vector<std::string>{"とうきょうたわー", "", ""}));
    window.Command(ID_EDIT_UNDO);
    EXPECT_EQ(readings(), before) << "one step";
    EXPECT_EQ(window.prompts.messages.size(), 1u);
}

}  // namespace
}  // namespace vondrel
