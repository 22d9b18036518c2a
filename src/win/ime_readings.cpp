// The input method's readings: the result reading of a confirmed composition and the language
// interface's reading conversion.
#include "win/ime_readings.h"

#include <imm.h>
#include <objbase.h>

#include <utility>

#include "os/win32_owned.h"

namespace vondrel::win {

const IID kIidFeLanguage = {0x019F7152, 0xE6DB, 0x11D0, {0x83, 0xC3, 0x00, 0xC0, 0x4F, 0xDD, 0xB8, 0x2E}};
const wchar_t kJapaneseImeProgId[] = L"MSIME.Japan";

std::wstring ResultReading(HWND window) {
    std::wstring reading;
    const HIMC context = ImmGetContext(window);
    if (!context) return reading;
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTREADSTR, nullptr, 0);
    if (bytes > 0) {
        reading.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
        const LONG got = ImmGetCompositionStringW(context, GCS_RESULTREADSTR, &reading[0], static_cast<DWORD>(bytes));
        reading.resize(got > 0 ? static_cast<std::size_t>(got) / sizeof(wchar_t) : 0);
    }
    ImmReleaseContext(window, context);
    return reading;
}

void ConfirmedReadings::Attach(HWND control, std::function<void(const std::wstring&)> confirmed, Reader read) {
    onConfirmed = std::move(confirmed);
    reader = std::move(read);
    SubclassedWindow::Attach(control);
}

LRESULT ConfirmedReadings::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTREADSTR) && onConfirmed && reader) onConfirmed(reader(Hwnd()));
    return DefaultProc(message, wParam, lParam);
}

std::unique_ptr<ReadingConverter> ReadingConverter::Open() {
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(kJapaneseImeProgId, &clsid))) return nullptr;
    IFELanguage* language = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, kIidFeLanguage, reinterpret_cast<void**>(&language))) ||
        !language) {
        return nullptr;
    }
    if (language->Open() != S_OK) {
        language->Release();
        return nullptr;
    }
    return std::unique_ptr<ReadingConverter>(new ReadingConverter(language));
}

ReadingConverter::~ReadingConverter() {
    language->Close();
    language->Release();
}

std::wstring ReadingConverter::Reading(const std::wstring& text) const {
    if (text.empty()) return {};
    MorphResult* analysed = nullptr;
    const HRESULT reversed = language->GetJMorphResult(kFeLanguageReverse, kFeLanguageReadingMode, static_cast<INT>(text.size()),
                                                       text.c_str(), nullptr, &analysed);
    const os::TaskMemory<MorphResult*> result(analysed);
    if (reversed == S_OK && result && result.Get()->output && result.Get()->outputLength > 0) {
        return std::wstring(result.Get()->output, result.Get()->outputLength);
    }
    const BSTR input = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR output = nullptr;
    std::wstring reading;
    if (input && language->GetPhonetic(input, 1, -1, &output) == S_OK && output) reading.assign(output, SysStringLen(output));
    SysFreeString(output);
    SysFreeString(input);
    return reading;
}

}  // namespace vondrel::win
