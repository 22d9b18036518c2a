// Readings from the input method: the reading of each composition the user confirms in a control
// (the input context's result reading), and a Japanese input method's reading conversion of any
// text through its language interface (ProgID "MSIME.Japan").
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <memory>
#include <string>

#include "win/subclassed_window.h"

namespace vondrel::win {

// The reading of the composition just confirmed in `window`, from its input context; empty when
// the input method gives none.
std::wstring ResultReading(HWND window);

// Calls `confirmed` with the reading of each composition confirmed in the control it is attached
// to (WM_IME_COMPOSITION with GCS_RESULTREADSTR), read by `read`, before the control takes the
// result.
class ConfirmedReadings : public SubclassedWindow {
public:
    using Reader = std::function<std::wstring(HWND)>;
    void Attach(HWND control, std::function<void(const std::wstring&)> confirmed, Reader read = ResultReading);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::function<void(const std::wstring&)> onConfirmed;
    Reader reader;
};

// The input method's language interface (IFELanguage) and its analysis result, declared here
// because MinGW's headers have none: the methods in their vtable order.
// The result of GetJMorphResult, one block from the task allocator; for a reverse conversion
// the output is the reading. The fields after the counts (word positions, the WDD list, the
// strings' own buffer) are not read.
#pragma pack(push, 1)
struct MorphResult {
    DWORD size;
    WCHAR* output;
    WORD outputLength;
    WCHAR* read;
    WORD readLength;
    WORD* inputPositions;
    WORD* outputWordIndexes;
    WORD* readWordIndexes;
    WORD* monoRubyPositions;
    void* words;
    INT wordCount;
    void* reserved;
};
#pragma pack(pop)
// GetJMorphResult's request for a reading of converted text, and its modes: hiragana output
// (no flag), phrase prediction, no invisible characters in the output.
constexpr DWORD kFeLanguageReverse = 0x00030000;
constexpr DWORD kFeLanguageReadingMode = 0x10000000 | 0x40000000;
struct IFELanguage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Open() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    // The analysis of `length` characters of `input`; `columns` may be null.
    virtual HRESULT STDMETHODCALLTYPE GetJMorphResult(DWORD request, DWORD mode, INT length, const WCHAR* input,
                                                      DWORD* columns, MorphResult** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConversionModeCaps(DWORD* caps) = 0;
    // The reading of `length` characters of `text` from `start` (counted from 1; -1: to the end).
    virtual HRESULT STDMETHODCALLTYPE GetPhonetic(BSTR text, LONG start, LONG length, BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetConversion(BSTR text, LONG start, LONG length, BSTR* result) = 0;
};
extern const IID kIidFeLanguage;
extern const wchar_t kJapaneseImeProgId[];

// An opened reading conversion, closed and released with the object.
class ReadingConverter {
public:
    // The conversion of the Japanese input method, or nullptr when none is installed or it does
    // not open. COM must be initialised on the calling thread (the program does so at start).
    static std::unique_ptr<ReadingConverter> Open();
    ~ReadingConverter();
    ReadingConverter(const ReadingConverter&) = delete;
    ReadingConverter& operator=(const ReadingConverter&) = delete;

    // The reading of `text` as the input method gives it: its reverse conversion, or where that
    // fails, its phonetic conversion; empty when it gives none.
    std::wstring Reading(const std::wstring& text) const;

private:
    explicit ReadingConverter(IFELanguage* opened) : language(opened) {}
    IFELanguage* language;
};

}  // namespace vondrel::win
