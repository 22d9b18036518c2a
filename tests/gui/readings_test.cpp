// Readings filled in for the user, in the real windows: the edit dialog's ふりがな following the
// readings an input method confirms in the name, and 編集 > ふりがなの自動入力 with a stand-in
// reading conversion registered in this process.
#include <gtest/gtest.h>

#include <imm.h>

#include <map>

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
    ASSERT_EQ(Members().size(), 8u);
    EXPECT_EQ(Members()[1], "とうきょうたわー") << "followed, and kept when the name was deleted";
}

// A stand-in reading conversion and its class factory: readings from a table, none for other texts.
struct StandInLanguage : win::IFELanguage, IClassFactory {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = IsEqualIID(iid, IID_IClassFactory) ? static_cast<void*>(static_cast<IClassFactory*>(this)) : static_cast<win::IFELanguage*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** object) override { return QueryInterface(iid, object); }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Open() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD, DWORD, INT, const WCHAR*, DWORD*, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConversion(BSTR, LONG, LONG, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG, LONG, BSTR* result) override {
        *result = readings.count(text) ? SysAllocString(readings[text]) : nullptr;
        return *result ? S_OK : S_FALSE;
    }
    std::map<std::wstring, const wchar_t*> readings{{L"東京タワー", L"トウキョウタワー"}, {L"新宿駅", L"しんじゅくえき"}};
};

TEST(ReadingCommand, ProposesTheInputMethodsReadingsAndStoresTheCheckedOnesAsOneStep) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    test::TempDir dir;
    std::string bytes = test::PointFileBytes({"東京タワー", "新宿駅", "渋谷", "謎"});
    const std::string rt = "<rt>よみ</rt>";  // only 渋谷 keeps its reading
    for (int n = 0; n < 3; ++n) bytes.erase(bytes.find(rt, n == 2 ? bytes.find("謎") : 0), rt.size());
    test::WriteFileBytes(dir.Path("p.xml"), bytes);
    test::MainWindow window(dir.Path("p.xml"));
    const auto readings = [&] { return test::ColumnTexts(window.MainList().Hwnd(), 2); };
    const std::vector<std::string> before{"", "", "よみ", ""};
    window.Command(ID_EDIT_FILL_READINGS);  // no input method: one message, nothing changed
    EXPECT_EQ(readings(), before);

    StandInLanguage language;
    const CLSID clsid = {0x5d0e1a43, 0x7c2b, 0x4e61, {0x9a, 0x11, 0x30, 0x42, 0x6b, 0x7e, 0x21, 0x05}};
    DWORD cookie = 0;
    CoRegisterClassObject(clsid, static_cast<IClassFactory*>(&language), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    wchar_t clsidText[40];
    const DWORD size = StringFromGUID2(clsid, clsidText, 40) * sizeof(wchar_t);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MSIME.Japan\\CLSID", nullptr, REG_SZ, clsidText, size);
    EXPECT_TRUE(test::WithModalWindow("#32770", "ふりがなの自動入力", [](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_READINGS_LIST);
        EXPECT_EQ(test::ColumnTexts(list, 1), (std::vector<std::string>{"とうきょうたわー", "しんじゅくえき"}));
        EXPECT_TRUE(ListView_GetCheckState(list, 0) && ListView_GetCheckState(list, 1));
        ListView_SetCheckState(list, 1, FALSE);
        test::Click(dialog, IDOK);
    }, [&] { window.Command(ID_EDIT_FILL_READINGS); }));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\MSIME.Japan");
    CoRevokeClassObject(cookie);
    EXPECT_EQ(readings(), (std::vector<std::string>{"とうきょうたわー", "", "よみ", ""}));
    window.Command(ID_EDIT_UNDO);
    EXPECT_EQ(readings(), before) << "one step";
    EXPECT_EQ(window.prompts.messages.size(), 1u);
}

}  // namespace
}  // namespace vondrel
